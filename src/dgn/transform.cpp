#include "dgn/transform.h"

#include <stdio.h>

#include <algorithm>

#include "dgn/element_fields.h"
#include "run/converter.h"
#include "run/program_texts.h"

bool exceedsRangeLimit(double value) { return value > 4294967296.0; }

PointTransform Converter::currentTransform() const {
  PointTransform t = {
      {originOffset[0], originOffset[1], originOffset[2]}, scaleFactor, uorRatio * utmShift};
  return t;
}

Point Converter::transformPoint(int32_t x, int32_t y, int32_t z) const {
  Point p = {transform.x(x), transform.y(y), transform.z(z)};
  return p;
}

// The range block holds each coordinate plus 2^31. A corner beyond the limit
// stops the run: the records written so far are kept, nothing of this
// element is. Called by the element loop, with its transform.
bool Converter::testRange() {
  const char* corner[2] = {"bajo", "alto"};
  for (int c = 0; c < 2; ++c) {
    double* t = transformedRange + 3 * c;
    for (int axis = 0; axis < 3; ++axis) {
      uint32_t stored = static_cast<uint32_t>(element.dgnInt(kRangeBlock + 12 * c + 4 * axis));
      double value =
          (static_cast<double>(stored) - 2147483648.0 + transform.offset[axis]) * transform.scale;
      if (axis == 1) value -= transform.yShift;
      t[axis] = value + 0.00001;
    }
    if (exceedsRangeLimit(t[0]) || exceedsRangeLimit(t[1]) || exceedsRangeLimit(t[2])) {
      errorPrintf("%s%s: (%10.3f, %10.3f, %10.3f).\n%s%10.3f\n", kRangeExceeded, corner[c],
                  t[0] / uorRatio, t[1] / uorRatio, t[2] / uorRatio, kRangeMaximum,
                  4294967296.0 / uorRatio);
      return false;
    }
  }
  // Coordinates beyond 32 bits are written as their low 32 bits; the range
  // tells which elements have them.
  const double* t = transformedRange;
  double high =
      std::max(std::max(std::max(t[0], t[1]), std::max(t[2], t[3])), std::max(t[4], t[5]));
  double low = std::min(std::min(std::min(t[0], t[1]), std::min(t[2], t[3])), std::min(t[4], t[5]));
  if (high >= 2147483648.0 || low <= -2147483649.0) ++counts.wrappingElements;
  return true;
}
