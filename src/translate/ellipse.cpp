// Ellipses (type 15): a closed ring walked with a fixed angle step, 32
// points and a copy of the first.
#include <math.h>

#include "dgn/encodings.h"
#include "dgn/transform.h"
#include "run/converter.h"

void Converter::translateEllipse() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  bool solid = dimension == 3;
  const int centreAt = solid ? 68 : 56;
  clipField(36, 8);
  clipField(44, 8);
  for (int i = 0; i < (solid ? 4 : 1); ++i) clipField(52 + 4 * i, 4);
  for (int i = 0; i < (solid ? 3 : 2); ++i) clipField(centreAt + 8 * i, 8);

  uint8_t* e = elementBuffer - 4;  // e[n] is element byte n
  swapWordHalves(e + 52, solid ? 4 : 1);
  double m[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (solid) {
    int32_t q[4] = {readI32(e + 52), readI32(e + 56), readI32(e + 60), readI32(e + 64)};
    quaternionToMatrix(q, m);
  }
  double a = readDouble(static_cast<uint8_t*>(vaxDToDouble(e + 36)));
  double b = readDouble(static_cast<uint8_t*>(vaxDToDouble(e + 44)));
  double centre[3] = {0, 0, 0};
  for (int i = 0; i < (solid ? 3 : 2); ++i) {
    centre[i] = readDouble(static_cast<uint8_t*>(vaxDToDouble(e + centreAt + 8 * i)));
  }
  double phi = readI32(e + 52) * pi / 64800000;

  // Each chord departs from a circle by at most 0.5 % of its radius.
  const double step = 2 * acos(0.995);
  for (double t = 0.0; t < 2 * pi; t += step) {
    if (solid) {
      // The ring lies in the plane of the centre, whatever the rotation.
      double x = centre[0] + m[0] * a * cos(t) + m[1] * b * sin(t);
      double y = centre[1] + m[3] * a * cos(t) + m[4] * b * sin(t);
      addRecordPoint(transformPoint(truncToInt32(x), truncToInt32(y), truncToInt32(centre[2])));
    } else {
      double x = centre[0] + a * cos(t) * cos(phi) - b * sin(t) * sin(phi);
      double y = centre[1] + a * cos(t) * sin(phi) + b * sin(t) * cos(phi);
      Point p = transformPoint(truncToInt32(x), truncToInt32(y), 0);
      p.z = 0;
      addRecordPoint(p);
    }
  }
  addRecordPoint(recordPoints[0]);
  recordHeader.kind = 'C';
  writeRecord(recordHeader, recordBox, recordPoints, recordItems);
}
