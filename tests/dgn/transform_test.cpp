// From design-file units to KELO units, and the range limit.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <string>

#include "dgn/transform.h"
#include "run/converter.h"

static std::string str(const Point& p) {
  return std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z);
}

TEST(TransformPoint, RoundingScaleShiftWrapAndRangeLimit) {
  Converter c;
  c.originOffset[0] = c.originOffset[1] = c.originOffset[2] = 0.0;
  c.scaleFactor = 1.0f;
  uorRatio = 1000;
  utmShift = 0.0;
  EXPECT_EQ("0 -677 -4", str(c.transformPoint(-1, -678, -5)));  // + 0.00001, toward zero
  // The offset comes before scaling, the scale is the float nearest 0.1, and
  // 4000 * uorRatio comes off y after: x -493 * 0.1f = -49.3000007...,
  // y 1000000.0149... - 4000000, z 1e9 * 0.1f = 100000001.49...
  c.scaleFactor = 0.1f;
  c.originOffset[0] = -500.0;
  utmShift = 4000;
  EXPECT_EQ("-49 -2999999 100000001", str(c.transformPoint(7, 10000000, 1000000000)));
  // Only the low 32 bits are kept (3000000000, -2999999999); a NaN shift makes y 0.
  c.scaleFactor = 10.0f;
  c.originOffset[0] = 0.0;
  utmShift = std::nan("");
  EXPECT_EQ("-1294967296 0 1294967297", str(c.transformPoint(300000000, 10, -300000000)));
  utmShift = 0.0;

  // Values outside the 64-bit range, and no numbers, convert to 0.
  const double inf = std::numeric_limits<double>::infinity();
  const struct { double value; int32_t result; } cases[] = {
      {-2.7, -2}, {4294967297.9, 1}, {-4294967297.5, -1}, {std::nan(""), 0}, {1e30, 0}, {-inf, 0}};
  for (const auto& t : cases) EXPECT_EQ(t.result, truncToInt32(t.value)) << t.value;
  // One-sided: only values above 2^32 stop the run.
  EXPECT_FALSE(exceedsRangeLimit(4294967296.0) || exceedsRangeLimit(-1e300) ||
               exceedsRangeLimit(std::nan("")));
  EXPECT_TRUE(exceedsRangeLimit(4294967296.5) && exceedsRangeLimit(inf));
}
