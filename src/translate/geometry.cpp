#include "translate/geometry.h"

#include <math.h>

void perpendicularFoot(double x1, double y1, double x2, double y2, double px, double py,
                       double* fx, double* fy) {
  if (x1 == x2 && y1 == y2) {
    *fx = x2;
    *fy = y2;
  } else if (x1 == x2) {
    *fx = x1;
    *fy = py;
  } else if (y1 == y2) {
    *fx = px;
    *fy = y1;
  } else {
    double s = (y2 - y1) / (x2 - x1);
    *fx = (y1 - s * x1 - px / s - py) / (-1 / s - s);
    *fy = y1 + s * (*fx - x1);
  }
}

double pointDistance(double x1, double y1, double x2, double y2) {
  return sqrt(pow(x1 - x2, 2.0) + pow(y1 - y2, 2.0));
}

double clampedAcos(double value) {
  if (value > 1.0) value = 1.0;
  if (value < -1.0) value = -1.0;
  return acos(value);
}
