// From design-file units to KELO units, end to end: the offset, the scale,
// the shift of trasUTM, the rounding and the low 32 bits.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

TEST(Transform, PointsOfALineBySettings) {
  const struct {
    const char* what;
    DesignFile design;
    std::string words;
    Point3 in, out;
  } cases[] = {
      {"0.00001 added, then toward zero",
       DesignFile(3),
       "1 0 0 0 0 0",
       {-1, -678, -5},
       {0, -677, -4}},
      // The offset first, then the float nearest 0.1, then 4000 x 100 off y:
      // x -493 x 0.1f = -49.3000007, y 1000000.0149 - 400000.
      {"origin, factor 0.1, trasUTM",
       DesignFile(3).origin(500, 0, 0),
       "0.1 0 0 0 4000 0",
       {7, 10000000, 1000000000},
       {-49, 600000, 100000001}},
      // 3000000000 and -2999999999 keep their low 32 bits; y 10 x 10 - 1000 x 1.
      {"factor 10, low 32 bits",
       DesignFile(3).units(10, 100),
       "10 0 0 0 1 0",
       {300000000, 10, -300000000},
       {-1294967296, -899, 1294967297}},
      {"trasUTM nan makes y 0", DesignFile(2), "1 0 0 0 nan 0", {5, 6, 0}, {5, 0, 0}},
      {"a 2D file writes z 0",
       DesignFile(2).origin(0, 0, 300),
       "1 0 0 0 0 0",
       {5, 6, 0},
       {5, 6, 0}},
  };
  const char table[] = "LIN001 1 0 0 0 0 0 \"\" 1 0\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int dim = c.design.bytes()[0] == 8 ? 2 : 3;
    DesignFile d = c.design;
    Element e = line(dim, c.in[0], c.in[1], c.in[2], c.in[0] + 1, c.in[1], c.in[2]);
    setRange(e, 0, 0, 0, 0, 0, 0);
    const std::vector<BinRecord> got = parseBin(convert(d.add(e), table, c.words).bin);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].points.at(0), c.out);
  }
}
