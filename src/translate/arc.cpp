// Arcs (type 16): 12 to 200 points at equal parameter steps over the sweep,
// from the start angle.
#include <math.h>

#include "dgn/transform.h"
#include "run/converter.h"
#include "translate/angle_walks.h"
#include "translate/geometry.h"

// Radians per stored angle unit, divided by pi (1 / (180 x 360000)).
const double kAngleFactor = 1.54320987654321e-8;

// The walk of `start` and `sweepWord`, from those kept or worked out now in
// place of the oldest.
static const ArcWalk& arcWalk(AngleWalks& walks, int32_t start, int32_t sweepWord) {
  for (const ArcWalk& walk : walks.arcs) {
    if (walk.count > 0 && walk.start == start && walk.sweepWord == sweepWord) return walk;
  }
  ArcWalk& walk = walks.arcs[walks.nextArc];
  walks.nextArc = (walks.nextArc + 1) % AngleWalks::kKeptArcs;
  walk.start = start;
  walk.sweepWord = sweepWord;

  // The sweep is stored as sign and magnitude, not in two's complement.
  double sweep = sweepWord < 0 ? -static_cast<double>(sweepWord & 0x7FFFFFFF) : sweepWord;
  double t0 = start * kPi * kAngleFactor;
  double w = sweep * kPi * kAngleFactor;
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

  double rho = f.rotation * kPi * kAngleFactor;
  const double cosRho = cos(rho), sinRho = sin(rho);

  // At most 200 points: they are stored straight into the record.
  const ArcWalk& walk = arcWalk(*angleWalks, start, sweepWord);
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
