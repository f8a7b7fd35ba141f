// Arcs end to end: 12 to 200 points at equal steps over the sweep, the
// sign-and-magnitude sweep word, the rotation of 2D arcs and the quaternion
// of 3D ones. Points are worked out at t = start + k x sweep / (n - 1),
// x = trunc(a cos t), y = trunc(b sin t) (turned by the rotation), then
// moved to KELO units, where adding 0.00001 and truncating toward zero
// takes a negative design value one unit toward zero (-142 gives -141).
#include <gtest/gtest.h>

#include "translate/translate_fixture.h"

using dgntest::binPointRecord;
using dgntest::DesignFile;
using dgntest::sameBytes;
using dgntest::sweepSignMagnitude;
using namespace translate_test;

namespace {

const char kTable[] = "AR0006 6 0 0 0 0 0 \"\" 1.0 0\n";

// Stored angles: 1/360000 of a degree.
const int32_t k45 = 16200000;
const int32_t k90 = 32400000;

// Quarter circle of radius 1000 about (0, 0): steps of 90/11 degrees.
const Points kQuarter = {{1000, 0, 0}, {989, 142, 0}, {959, 281, 0}, {909, 415, 0},
                         {841, 540, 0}, {755, 654, 0}, {654, 755, 0}, {540, 841, 0},
                         {415, 909, 0}, {281, 959, 0}, {142, 989, 0}, {0, 1000, 0}};

TEST(ArcTranslation, PointsFollowTheSweep) {
    DesignFile d(2);
    d.add(onLevel(dgntest::arc2D(0, k90, 1000, 1000, 0, 0, 0), 6))
        .add(onLevel(dgntest::arc2D(0, 4 * k90, 1001, 1001, 0, 0, 0), 6))
        .add(onLevel(dgntest::arc2D(0, 2 * k90, 1001, 1001, 0, 0, 0), 6))
        .add(onLevel(dgntest::arc2D(0, sweepSignMagnitude(-k90), 1000, 1000, 0, 0, 0), 6))
        .add(onLevel(dgntest::arc2D(k45, 0, 1000, 1000, 0, 0, 0), 6))
        .add(onLevel(dgntest::arc2D(0, k90, 2000, 1000, k90, 0, 0), 6));
    Conversion c = convert(d, kTable, 0, 0, 0);

    // Full circle of radius 1001: 31 points, 12 degrees apart, the last at
    // 360 degrees.
    const Points full = {{1001, 0, 0},     {979, 208, 0},    {914, 407, 0},    {809, 588, 0},
                         {669, 743, 0},    {500, 866, 0},    {309, 952, 0},    {104, 995, 0},
                         {-103, 995, 0},   {-308, 952, 0},   {-499, 866, 0},   {-668, 743, 0},
                         {-808, 588, 0},   {-913, 407, 0},   {-978, 208, 0},   {-1000, 0, 0},
                         {-978, -207, 0},  {-913, -406, 0},  {-808, -587, 0},  {-668, -742, 0},
                         {-499, -865, 0},  {-308, -951, 0},  {-103, -994, 0},  {104, -994, 0},
                         {309, -951, 0},   {500, -865, 0},   {669, -742, 0},   {809, -587, 0},
                         {914, -406, 0},   {979, -207, 0},   {1001, 0, 0}};
    // Half circle of radius 1001: 15 points, 180/14 degrees apart.
    const Points half = {{1001, 0, 0},   {975, 222, 0},  {901, 434, 0},  {782, 624, 0},
                         {624, 782, 0},  {434, 901, 0},  {222, 975, 0},  {0, 1001, 0},
                         {-221, 975, 0}, {-433, 901, 0}, {-623, 782, 0}, {-781, 624, 0},
                         {-900, 434, 0}, {-974, 222, 0}, {-1000, 0, 0}};
    // Sweep -90 degrees: the quarter circle mirrored below the x axis.
    const Points negative = {{1000, 0, 0},   {989, -141, 0}, {959, -280, 0}, {909, -414, 0},
                             {841, -539, 0}, {755, -653, 0}, {654, -754, 0}, {540, -840, 0},
                             {415, -908, 0}, {281, -958, 0}, {142, -988, 0}, {0, -999, 0}};
    // Sweep 0 from 45 degrees: 12 points at trunc(1000 cos 45) = 707.
    const Points still(12, {707, 707, 0});
    // a 2000, b 1000 turned by 90 degrees: starts on the turned primary
    // axis, (0, 2000); the second point is (-142, 1979) in design units.
    const Points turned = {{0, 2000, 0},    {-141, 1979, 0}, {-280, 1918, 0}, {-414, 1819, 0},
                           {-539, 1682, 0}, {-653, 1511, 0}, {-754, 1309, 0}, {-840, 1081, 0},
                           {-908, 830, 0},  {-958, 563, 0},  {-988, 284, 0},  {-999, 0, 0}};

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("AR0006", kQuarter, {}), binPointRecord("AR0006", full, {}),
                                  binPointRecord("AR0006", half, {}), binPointRecord("AR0006", negative, {}),
                                  binPointRecord("AR0006", still, {}), binPointRecord("AR0006", turned, {})}),
                          c.bin));
}

TEST(ArcTranslation, IdentityQuaternionGivesThePlaneArcAtTheOriginsZ) {
    const int32_t identity[4] = {2147483647, 0, 0, 0};
    DesignFile d(3);
    d.add(onLevel(dgntest::arc3D(0, k90, 1000, 1000, identity, 3000, 4000, 500), 6));
    Conversion c = convert(d, kTable, 0, 0, 0);

    Points moved;
    for (const auto& p : kQuarter) moved.push_back({p[0] + 3000, p[1] + 4000, 500});
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(binPointRecord("AR0006", moved, {}), c.bin));
}

}  // namespace
