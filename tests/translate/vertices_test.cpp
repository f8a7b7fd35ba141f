// The points of lines, line strings, shapes, curves, arcs and ellipses, end
// to end in 2D and 3D.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] =
    "LS0001 1 0 0 0 0 0 \"\" 1.0 0\nSH0002 2 0 0 0 0 0 \"\" 1.0 0\n"
    "CV0003 3 0 0 0 0 0 \"\" 1.0 0\nEL0004 4 0 0 0 0 0 \"\" 1.0 0\nAR0006 6 0 0 0 0 0 \"\" 1.0 0\n";
const int32_t k90 = 32400000;  // 1/360000 degree

Bytes ls(const std::vector<Point3>& pts) { return binPointRecord("LS0001", pts, {}); }

// The record's point count and the given points (index, point) of each record.
void checkPoints(const Bytes& bin,
                 const std::vector<std::pair<size_t, std::vector<std::pair<int, Point3>>>>& want) {
  const std::vector<BinRecord> got = parseBin(bin);
  ASSERT_EQ(got.size(), want.size());
  for (size_t r = 0; r < want.size(); ++r) {
    EXPECT_EQ(got[r].points.size(), want[r].first) << "record " << r;
    for (const auto& [i, p] : want[r].second) EXPECT_EQ(got[r].points.at(i), p) << r << " " << i;
  }
}
}  // namespace

// Lines whose ends differ only in z are one point; line strings and shapes
// are written as stored, two equal vertices as one; a count is cut to the
// whole vertices inside the element; a curve drops two vertices at each end.
TEST(Vertices, LinesLineStringsAndCurves) {
  Element overrun = lineString(2, {{200, 0, 0}, {300, 0, 0}, {300, 300, 0}});
  overrun.body[0] = 5;  // over three whole vertices and half a fourth
  putI32Dgn(overrun.body, 900);
  const std::vector<Point3> square = {
      {0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0}, {0, 0, 0}};
  std::vector<Point3> seven, four;
  for (int i = 0; i < 7; ++i) seven.push_back({100 * i, 10 * i, 0});
  for (int i = 0; i < 4; ++i) four.push_back({100 * i, 10 * i, 0});
  DesignFile d(2), solid(3);
  d.add(line(2, 70, 80, 0, 70, 80, 0)).add(onLevel(shape(2, square), 2));
  d.add(lineString(2, {{50, 60, 0}, {50, 60, 0}})).add(overrun);
  d.add(onLevel(curve(2, seven), 3)).add(onLevel(curve(2, four), 3));
  solid.add(line(3, 5, 5, 0, 5, 5, 900)).add(lineString(3, {{50, 60, 10}, {50, 60, 20}}));
  EXPECT_TRUE(
      sameBytes(concat({ls({{70, 80, 0}}), binPointRecord("SH0002", square, {}), ls({{50, 60, 0}}),
                        ls({{200, 0, 0}, {300, 0, 0}, {300, 300, 0}}),
                        binPointRecord("CV0003", {{200, 20, 0}, {300, 30, 0}, {400, 40, 0}}, {})}),
                convert(d, kTable).bin));
  EXPECT_TRUE(sameBytes(concat({ls({{5, 5, 0}}), ls({{50, 60, 10}})}), convert(solid, kTable).bin));
}

// Arcs: 12 to 200 points at equal steps over the sweep from the start angle,
// the sweep word in sign and magnitude, turned in 2D by the rotation, in 3D by
// the quaternion. A point is (trunc(a cos t), trunc(b sin t)) turned, in KELO
// units one nearer 0 when negative.
TEST(Vertices, ArcsFollowTheSweep) {
  DesignFile d(2), solid(3);
  auto arc2 = [](uint32_t sweep, double r, int32_t turn, double b = 0) {
    return onLevel(arc(2, 0, sweep, r, b ? b : r, {turn}, {0, 0, 0}), 6);
  };
  d.add(arc2(k90, 1000, 0)).add(arc2(4 * k90, 1001, 0)).add(arc2(2 * k90, 1001, 0));
  d.add(arc2(sweepSignMagnitude(-k90), 1000, 0)).add(arc2(k90, 2000, k90, 1000));
  solid.add(onLevel(arc(3, 0, k90, 1000, 1000, noTurn(3), {3000, 4000, 500}), 6));
  checkPoints(convert(d, kTable).bin,
              {{12, {{1, {989, 142, 0}}, {6, {654, 755, 0}}, {11, {0, 1000, 0}}}},
               {31, {{1, {979, 208, 0}}, {15, {-1000, 0, 0}}, {30, {1001, 0, 0}}}},
               {15, {{1, {975, 222, 0}}, {7, {0, 1001, 0}}, {14, {-1000, 0, 0}}}},
               {12, {{1, {989, -141, 0}}, {11, {0, -999, 0}}}},
               {12, {{0, {0, 2000, 0}}, {1, {-141, 1979, 0}}, {11, {-999, 0, 0}}}}});
  checkPoints(convert(solid, kTable).bin,
              {{12, {{0, {4000, 4000, 500}}, {1, {3989, 4142, 500}}, {11, {3000, 5000, 500}}}}});
}

// Ellipses: 32 points at the step 2 acos(0.995) and the first again, turned;
// in 3D in the plane of the centre: 90 degrees about x stored rounded (m0
// 1.0000000009, m3 = m4 = 0) keeps y and z.
TEST(Vertices, EllipsesAreRingsOfThirtyThreePoints) {
  DesignFile d(2), solid(3);
  d.add(onLevel(ellipse(2, 1000, 500, {0}, {5000, 5000, 0}), 4))
      .add(onLevel(ellipse(2, 1000, 500, {16200000}, {5000, 5000, 0}), 4));
  solid.add(onLevel(ellipse(3, 1000, 500, {1518500250, 1518500250, 0, 0}, {5000, 5000, 700}), 4));
  checkPoints(convert(d, kTable).bin, {{33,
                                        {{0, {6000, 5000, 0}},
                                         {1, {5980, 5099, 0}},
                                         {8, {4970, 5499, 0}},
                                         {16, {4001, 4970, 0}},
                                         {31, {5996, 4959, 0}},
                                         {32, {6000, 5000, 0}}}},
                                       {33,
                                        {{0, {5707, 5707, 0}},
                                         {1, {5622, 5763, 0}},
                                         {16, {4315, 4273, 0}},
                                         {32, {5707, 5707, 0}}}}});
  checkPoints(convert(solid, kTable).bin,
              {{33, {{1, {5980, 5000, 700}}, {16, {4001, 5000, 700}}}}});
}
