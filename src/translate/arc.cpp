// Arcs (type 16): 12 to 200 points at equal parameter steps over the sweep,
// from the start angle.
#include <math.h>

#include "dgn/transform.h"
#include "run/converter.h"

// Radians per stored angle unit, divided by pi (1 / (180 x 360000)).
const double kAngleFactor = 1.54320987654321e-8;

namespace {

// The angles of an arc's walk follow from its start and sweep alone, and
// drawings repeat both often (full circles, the arcs of a cell's symbol):
// the cosines and sines of the last few walks are kept, the same values the
// walk computes.
struct ArcAngles {
  double pi;
  int32_t start, sweepWord;
  int count;
  double cosT[200], sinT[200];
};
const int kKeptWalks = 8;

const ArcAngles& arcAngles(int32_t start, int32_t sweepWord) {
  static ArcAngles kept[kKeptWalks];
  static int next = 0;
  for (const ArcAngles& walk : kept) {
    if (walk.count > 0 && walk.start == start && walk.sweepWord == sweepWord && walk.pi == pi) {
      return walk;
    }
  }
  ArcAngles& walk = kept[next];
  next = (next + 1) % kKeptWalks;
  walk.pi = pi;
  walk.start = start;
  walk.sweepWord = sweepWord;

  // The sweep is stored as sign and magnitude, not in two's complement.
  double sweep = sweepWord < 0 ? -static_cast<double>(sweepWord & 0x7FFFFFFF) : sweepWord;
  double t0 = start * pi * kAngleFactor;
  double w = sweep * pi * kAngleFactor;
  const double chordAngle = 2 * acos(0.995);
  double steps = fabs(w / chordAngle);
  walk.count = steps < 12 ? 12 : steps > 200 ? 200 : static_cast<int>(steps);
  double step = w / (walk.count - 1);
  double t = t0;
  for (int i = 0; i < walk.count; ++i) {
    if (i > 0) t += step;
    walk.cosT[i] = cos(t);
    walk.sinT[i] = sin(t);
  }
  return walk;
}

}  // namespace

void Converter::translateArc() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  const bool solid = dimension == 3;
  int32_t start = element.dgnInt(36);
  int32_t sweepWord = element.dgnInt(40);
  ConicFields f = conicFields(44);
  const double a = f.a, b = f.b;
  const double* m = f.m;
  const double* origin = f.origin;

  double rho = f.rotation * pi * kAngleFactor;
  const double cosRho = cos(rho), sinRho = sin(rho);

  // At most 200 points: they are stored straight into the record.
  const ArcAngles& walk = arcAngles(start, sweepWord);
  for (int i = 0; i < walk.count; ++i) {
    double A = a * walk.cosT[i];
    double B = b * walk.sinT[i];
    double x, y, z = 0;
    if (solid) {
      x = m[0] * A + m[1] * B + origin[0];
      y = m[3] * A + m[4] * B + origin[1];
      z = m[6] * A + m[7] * B + origin[2];
    } else {
      x = origin[0] + A * cosRho - B * sinRho;
      y = origin[1] + A * sinRho + B * cosRho;
    }
    recordPoints[i] = outputPoint(truncToInt32(x), truncToInt32(y), truncToInt32(z));
  }
  recordHeader.pointCount = static_cast<uint16_t>(walk.count);
  recordHeader.kind = 'C';
  writeElementRecord(false);
}
