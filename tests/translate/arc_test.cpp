// Arcs end to end: 12 to 200 points over the sweep, the sign-and-magnitude
// sweep word, the 2D rotation, the 3D quaternion. A point is (trunc(a cos t),
// trunc(b sin t)) turned, in KELO units one unit nearer 0 when negative.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

static const char kTable[] = "AR0006 6 0 0 0 0 0 \"\" 1.0 0\n";
static const int32_t k90 = 32400000;  // 1/360000 degree

static int32_t le32(const Bytes& b, size_t i) {  // throws past the end
    return int32_t(b.at(i) | b.at(i + 1) << 8 | b.at(i + 2) << 16 | uint32_t{b.at(i + 3)} << 24);
}

// Checks the record at `at` (no items, `count` points) and the given points
// (index, point); returns where the next record starts.
static size_t checkArc(const Bytes& b, size_t at, int count,
                       std::initializer_list<std::pair<int, Point3>> points) {
    EXPECT_EQ(le32(b, at + 8), count << 16);  // the code's NUL, no items, the count
    for (const auto& [i, p] : points)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(le32(b, at + 48 + 12 * i + 4 * k), p[k]) << i;
    return at + 48 + 12 * count;
}

TEST(ArcTranslation, PointsFollowTheSweep) {
    DesignFile d(2);
    d.add(onLevel(arc2D(0, k90, 1000, 1000, 0, 0, 0), 6))           // 90/11 degrees apart
        .add(onLevel(arc2D(0, 4 * k90, 1001, 1001, 0, 0, 0), 6))    // 12 degrees apart
        .add(onLevel(arc2D(0, 2 * k90, 1001, 1001, 0, 0, 0), 6))    // 180/14 degrees apart
        .add(onLevel(arc2D(0, sweepSignMagnitude(-k90), 1000, 1000, 0, 0, 0), 6))  // mirrored
        .add(onLevel(arc2D(0, k90, 2000, 1000, k90, 0, 0), 6));  // (-142, 1979) in design units
    const Bytes bin = convert(d, kTable).bin;
    size_t at = checkArc(bin, 0, 12, {{1, {989, 142, 0}}, {6, {654, 755, 0}}, {11, {0, 1000, 0}}});
    at = checkArc(bin, at, 31, {{1, {979, 208, 0}}, {15, {-1000, 0, 0}}, {30, {1001, 0, 0}}});
    at = checkArc(bin, at, 15, {{1, {975, 222, 0}}, {7, {0, 1001, 0}}, {14, {-1000, 0, 0}}});
    at = checkArc(bin, at, 12, {{1, {989, -141, 0}}, {11, {0, -999, 0}}});
    at = checkArc(bin, at, 12, {{0, {0, 2000, 0}}, {1, {-141, 1979, 0}}, {11, {-999, 0, 0}}});
    EXPECT_EQ(at, bin.size());
}

TEST(ArcTranslation, IdentityQuaternionGivesThePlaneArcAtTheOriginsZ) {
    const int32_t identity[4] = {2147483647, 0, 0, 0};
    DesignFile d(3);
    d.add(onLevel(arc3D(0, k90, 1000, 1000, identity, 3000, 4000, 500), 6));
    const Bytes bin = convert(d, kTable).bin;
    EXPECT_EQ(checkArc(bin, 0, 12, {{0, {4000, 4000, 500}}, {1, {3989, 4142, 500}},
                                    {11, {3000, 5000, 500}}}),
              bin.size());
}
