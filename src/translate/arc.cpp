// Arcs (type 16): 12 to 200 points at equal parameter steps over the sweep,
// from the start angle.
#include <math.h>

#include "dgn/encodings.h"
#include "dgn/transform.h"
#include "run/converter.h"

// Radians per stored angle unit, divided by pi (1 / (180 x 360000)).
const double kAngleFactor = 1.54320987654321e-8;

void Converter::translateArc() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  bool solid = dimension == 3;
  // Element bytes of the origin's first coordinate.
  const int originAt = solid ? 76 : 64;
  clipField(36, 4);
  clipField(40, 4);
  clipField(44, 8);
  clipField(52, 8);
  for (int i = 0; i < (solid ? 4 : 1); ++i) clipField(60 + 4 * i, 4);
  for (int i = 0; i < (solid ? 3 : 2); ++i) clipField(originAt + 8 * i, 8);

  uint8_t* e = elementBuffer - 4;  // e[n] is element byte n
  swapWordHalves(e + 36, 2);
  swapWordHalves(e + 60, solid ? 4 : 1);
  double m[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (solid) {
    int32_t q[4] = {readI32(e + 60), readI32(e + 64), readI32(e + 68), readI32(e + 72)};
    quaternionToMatrix(q, m);
  }
  double a = readDouble(static_cast<uint8_t*>(vaxDToDouble(e + 44)));
  double b = readDouble(static_cast<uint8_t*>(vaxDToDouble(e + 52)));
  double origin[3] = {0, 0, 0};
  for (int i = 0; i < (solid ? 3 : 2); ++i) {
    origin[i] = readDouble(static_cast<uint8_t*>(vaxDToDouble(e + originAt + 8 * i)));
  }

  int32_t start = readI32(e + 36);
  int32_t sweepWord = readI32(e + 40);
  // The sweep is stored as sign and magnitude, not in two's complement.
  double sweep = sweepWord < 0 ? -static_cast<double>(sweepWord & 0x7FFFFFFF) : sweepWord;
  double t0 = start * pi * kAngleFactor;
  double w = sweep * pi * kAngleFactor;
  double rho = readI32(e + 60) * pi * kAngleFactor;

  const double chordAngle = 2 * acos(0.995);
  double steps = fabs(w / chordAngle);
  int count = steps < 12 ? 12 : steps > 200 ? 200 : static_cast<int>(steps);
  double step = w / (count - 1);

  double t = t0;
  for (int i = 0; i < count; ++i) {
    if (i > 0) t += step;
    double A = a * cos(t);
    double B = b * sin(t);
    if (solid) {
      double x = m[0] * A + m[1] * B + origin[0];
      double y = m[3] * A + m[4] * B + origin[1];
      double z = m[6] * A + m[7] * B + origin[2];
      addRecordPoint(transformPoint(truncToInt32(x), truncToInt32(y), truncToInt32(z)));
    } else {
      double x = origin[0] + A * cos(rho) - B * sin(rho);
      double y = origin[1] + A * sin(rho) + B * cos(rho);
      Point p = transformPoint(truncToInt32(x), truncToInt32(y), 0);
      p.z = 0;
      addRecordPoint(p);
    }
  }
  recordHeader.kind = 'C';
  writeElementRecord(false);
}
