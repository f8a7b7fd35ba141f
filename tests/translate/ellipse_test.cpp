// Ellipses end to end: 32 points at the fixed step 2 acos(0.995), 11.4638
// degrees, and the first again, turned; in 3D in the plane of the centre.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

static const char kTable[] = "EL0004 4 0 0 0 0 0 \"\" 1.0 0\n";

static int32_t le32(const Bytes& b, size_t i) {  // throws past the end
    return int32_t(b.at(i) | b.at(i + 1) << 8 | b.at(i + 2) << 16 | uint32_t{b.at(i + 3)} << 24);
}

// Checks the record at `at` (no items, 33 points) and the given points
// (index, point); returns where the next record starts.
static size_t checkRing(const Bytes& b, size_t at,
                        std::initializer_list<std::pair<int, Point3>> points) {
    EXPECT_EQ(le32(b, at + 8), 33 << 16);  // the code's NUL, no items, the count
    for (const auto& [i, p] : points)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(le32(b, at + 48 + 12 * i + 4 * k), p[k]) << i;
    return at + 48 + 12 * 33;
}

// Centre (5000, 5000), a 1000, b 500; then turned by 45 degrees. In 3D, 90
// degrees about x stored rounded (m0 1.0000000009, m3 = m4 = 0) keeps y and z.
TEST(EllipseTranslation, RingOfThirtyThreePoints) {
    DesignFile d(2);
    d.add(onLevel(ellipse2D(1000, 500, 0, 5000, 5000), 4))
        .add(onLevel(ellipse2D(1000, 500, 16200000, 5000, 5000), 4));
    const Bytes bin = convert(d, kTable).bin;
    size_t at = checkRing(bin, 0, {{0, {6000, 5000, 0}}, {1, {5980, 5099, 0}}, {8, {4970, 5499, 0}},
                                   {16, {4001, 4970, 0}}, {31, {5996, 4959, 0}},
                                   {32, {6000, 5000, 0}}});
    at = checkRing(bin, at, {{0, {5707, 5707, 0}}, {1, {5622, 5763, 0}}, {16, {4315, 4273, 0}},
                             {32, {5707, 5707, 0}}});
    EXPECT_EQ(at, bin.size());
    const int32_t aboutX[4] = {1518500250, 1518500250, 0, 0};
    DesignFile solid(3);
    solid.add(onLevel(ellipse3D(1000, 500, aboutX, 5000, 5000, 700), 4));
    const Bytes ring = convert(solid, kTable).bin;
    EXPECT_EQ(checkRing(ring, 0, {{1, {5980, 5000, 700}}, {16, {4001, 5000, 700}}}), ring.size());
}
