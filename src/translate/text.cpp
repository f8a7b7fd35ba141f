// Texts (type 17): a text record at the point the justification names, or,
// as the text's table row says, an annotation ("@" rows) or a point record
// ("C" rows).
#include <math.h>
#include <string.h>

#include "dgn/encodings.h"
#include "dgn/transform.h"
#include "run/converter.h"
#include "run/words.h"
#include "translate/geometry.h"

namespace {

// Element bytes of the fields that differ between 2D and 3D files.
struct TextLayout {
  int rotation;  // 2D: the angle; 3D: the quaternion
  int origin;
  int count;
  int chars;
};
const TextLayout kText2D = {46, 50, 58, 60};
const TextLayout kText3D = {46, 62, 74, 76};

// Offset of the justification point from the origin, and the KELO code of
// that point, for each DGN justification.
struct Justification {
  double lengths;  // multiples of the text length along the baseline
  double heights;  // multiples of the half height across it
  int code;
};

Justification justificationOf(int dgn) {
  switch (dgn) {
    case 0: return {0, 2, 2};
    case 1: return {0, 1, 1};
    case 6: return {0.5, 2, 3};
    case 7: return {0.5, 1, 8};
    case 8: return {0.5, 0, 7};
    case 12: return {1, 2, 4};
    case 13: return {1, 1, 5};
    case 14: return {1, 0, 6};
    default: return {0, 0, 0};
  }
}

}  // namespace

void Converter::translateText() {
  const bool solid = dimension == 3;
  const TextLayout& at = solid ? kText3D : kText2D;
  recordHeader.kind = 'T';
  recordHeader.equals = '=';
  int font = element.byte(36);
  int dgnJustification = element.byte(37);
  int32_t heightMult = element.dgnInt(42);
  double H = scaleFactor * static_cast<double>(heightMult) * 0.006 + 0.01;

  double angle, cosA, sinA;
  if (solid) {
    double m[9];
    elementRotation(at.rotation, m);
    cosA = m[0];
    sinA = m[3];
    angle = clampedAcos(m[0]);
    double degrees = angle * 180 / kPi;
    if (m[3] < 0) {
      angle = 2 * kPi - angle;
      degrees = 360 - degrees;
    }
    recordBox.textAngle = truncToInt32(100 * degrees);
  } else {
    int32_t r = element.dgnInt(at.rotation) / 3600;
    angle = r * 0.01 * kPi / 180;
    cosA = cos(angle);
    sinA = sin(angle);
    recordBox.textAngle = r;
  }
  recordBox.textHeight = truncToInt32(H);

  int32_t ox = element.dgnInt(at.origin), oy = element.dgnInt(at.origin + 4);
  int32_t oz = solid ? element.dgnInt(at.origin + 8) : 0;
  double Ox = (ox + originOffset[0]) * scaleFactor + 0.00001;
  double Oy = (oy + originOffset[1]) * scaleFactor + 0.00001;
  double Mx = (transformedRange[0] + transformedRange[3]) / 2;
  double My = (transformedRange[1] + transformedRange[4]) / 2 + uorRatio * utmShift;

  // A baseline at 90 or 270 degrees must take the vertical case: cos(pi/2)
  // is not exactly 0.
  double baseCos = fabs(cosA) < 1e-12 ? 0.0 : cosA;
  double baseSin = fabs(sinA) < 1e-12 ? 0.0 : sinA;
  double fx, fy;
  perpendicularFoot(Ox, Oy, Ox + 10000 * baseCos, Oy + 10000 * baseSin, Mx, My, &fx, &fy);
  double D = pointDistance(Ox, Oy, fx, fy);
  double L = 2 * D;

  Justification j = justificationOf(dgnJustification);
  double hx = H / 2 * cos(angle + kPi / 2), hy = H / 2 * sin(angle + kPi / 2);
  double dx = 0, dy = 0;
  if (j.lengths == 0.5) {
    dx = D * cosA;
    dy = D * sinA;
  } else if (j.lengths == 1) {
    dx = L * cosA;
    dy = L * sinA;
  }
  if (j.heights == 2) {
    dx += 2 * hx;
    dy += 2 * hy;
  } else if (j.heights == 1) {
    dx += hx;
    dy += hy;
  }
  recordBox.textJustification = j.code;

  // The characters, cut at their count, at a NUL and at the element's end.
  char chars[256];
  int count = element.byte(at.count);
  int inside = element.fieldsInside(at.chars, 1);
  if (count > inside) count = inside;
  memcpy(chars, element.bytes + at.chars, count);
  chars[count] = '\0';

  currentRow.font = static_cast<int16_t>(font);
  copyTerminated(currentRow.name, chars, 9);
  if (!lookupCode(kByFontAndName)) {
    lookupCode(lookupMode == kByGraphicGroup ? kByGraphicGroup : kBySymbology);
  }
  setRecordCode();

  double e0 = solid ? 0.0000001 : 0.000001;
  Point& p = recordPoints[0];
  p.x = truncToInt32((ox + originOffset[0]) * scaleFactor + dx + e0);
  p.y = truncToInt32((oy + originOffset[1]) * scaleFactor + dy + e0 - uorRatio * utmShift);
  p.z = solid ? truncToInt32((oz + originOffset[2]) * scaleFactor + e0) : 0;

  if (currentRow.simbKelo[0] == '@') {
    copyTerminated(textArea, currentRow.simbKelo, sizeof currentRow.simbKelo - 1);
    double alto = currentRow.alto;
    int32_t height = solid ? truncToInt32(uorRatio * alto * scaleFactor)
                           : truncToInt32(alto * scaleFactor * 100);
    recordBox.textHeight = height == 0 ? 100 : height;
  } else if (currentRow.simbKelo[0] == 'C') {
    recordHeader.kind = 'C';
    recordHeader.pointCount = 1;
  } else {
    copyTerminated(textArea, chars, sizeof chars - 1);
  }
  writeElementRecord(false);
}
