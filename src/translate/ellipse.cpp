// Ellipses (type 15): a closed ring walked with a fixed angle step, 32
// points and a copy of the first.
#include <math.h>

#include "dgn/transform.h"
#include "run/converter.h"
#include "translate/angle_walks.h"
#include "translate/geometry.h"

static const EllipseWalk& ellipseWalk(AngleWalks& walks) {
  EllipseWalk& ring = walks.ellipse;
  if (ring.count == 0) {
    // Each chord departs from a circle by at most 0.5 % of its radius.
    const double step = 2 * acos(0.995);
    for (double t = 0.0; t < 2 * kPi && ring.count < 40; t += step, ++ring.count) {
      ring.cosT[ring.count] = cos(t);
      ring.sinT[ring.count] = sin(t);
    }
  }
  return ring;
}

void Converter::translateEllipse() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  const bool solid = dimension == 3;
  ConicFields f = conicFields(36);
  const double a = f.a, b = f.b;
  const double* m = f.m;
  const double* centre = f.origin;
  double phi = f.rotation * kPi / 64800000;
  const double cosPhi = cos(phi), sinPhi = sin(phi);

  // Fewer points than a record holds: they are stored straight.
  const EllipseWalk& ring = ellipseWalk(*angleWalks);
  Point* out = recordPoints;
  for (int i = 0; i < ring.count; ++i) {
    const double cosT = ring.cosT[i], sinT = ring.sinT[i];
    double x, y;
    if (solid) {
      // The ring lies in the plane of the centre, whatever the rotation.
      x = centre[0] + m[0] * a * cosT + m[1] * b * sinT;
      y = centre[1] + m[3] * a * cosT + m[4] * b * sinT;
    } else {
      x = centre[0] + a * cosT * cosPhi - b * sinT * sinPhi;
      y = centre[1] + a * cosT * sinPhi + b * sinT * cosPhi;
    }
    *out++ = outputPoint(truncToInt32(x), truncToInt32(y), truncToInt32(centre[2]));
  }
  *out++ = recordPoints[0];
  recordHeader.pointCount = static_cast<uint16_t>(out - recordPoints);
  recordHeader.kind = 'C';
  writeRecord(recordHeader, recordBox, recordPoints, recordItems);
}
