// Plane geometry of the translators.
#ifndef DGNBIN_TRANSLATE_GEOMETRY_H_
#define DGNBIN_TRANSLATE_GEOMETRY_H_

// 4 x atan(1) to the last bit, the value the angles have always been
// computed with.
const double kPi = 3.141592653589793;

// Foot of the perpendicular from (px, py) onto the line through (x1, y1) and
// (x2, y2). Vertical and horizontal lines are handled exactly.
void perpendicularFoot(double x1, double y1, double x2, double y2, double px, double py,
                       double* fx, double* fy);

double pointDistance(double x1, double y1, double x2, double y2);

// Arc cosine of a value that rounding may have carried just beyond [-1, 1].
double clampedAcos(double value);

#endif  // DGNBIN_TRANSLATE_GEOMETRY_H_
