// From design-file units to KELO units, and the range limit that stops the
// run.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "dgn/transform.h"
#include "run/converter.h"
#include "support/program_run.h"

namespace {

// Puts the globals and the converter in a known state: zero origin, scale
// 1.0, 100 units per master unit, no UTM shift, a 2D file.
void reset(Converter& c) {
  c.originOffset[0] = c.originOffset[1] = c.originOffset[2] = 0.0;
  c.scaleFactor = 1.0f;
  c.dimension = 2;
  uorRatio = 100;
  utmShift = 0.0;
  for (double& v : transformedRange) v = -1.0;
}

// Stores a native range block: low x, y, z, high x, y, z, each the
// coordinate plus 2^31.
void setRange(Converter& c, const int64_t (&coords)[6]) {
  for (int i = 0; i < 6; ++i) {
    uint32_t stored = static_cast<uint32_t>(coords[i] + 2147483648LL);
    std::memcpy(c.elementBuffer + 4 * i, &stored, 4);
  }
}

}  // namespace

TEST(TransformPoint, TruncatesTowardZeroAfterTheSmallConstant) {
  Converter c;
  reset(c);
  Point p = c.transformPoint(12345, -678, 0);
  EXPECT_EQ(12345, p.x);
  EXPECT_EQ(-677, p.y);  // -678 + 0.00001 truncates toward zero
  EXPECT_EQ(0, p.z);
  p = c.transformPoint(-1, 0, -5);
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(-4, p.z);
  EXPECT_EQ(-4, c.transformZ(-5));
}

TEST(TransformPoint, OriginOffsetIsAddedBeforeScaling) {
  Converter c;
  reset(c);
  c.scaleFactor = 10.0f;
  c.originOffset[0] = -500.0;
  c.originOffset[1] = 250.5;
  c.originOffset[2] = 2.5;
  Point p = c.transformPoint(1000, 0, -3);
  EXPECT_EQ(5000, p.x);
  EXPECT_EQ(2505, p.y);
  EXPECT_EQ(-4, p.z);  // (-3 + 2.5) * 10 + 0.00001 = -4.99999
}

TEST(TransformPoint, UtmShiftIsSubtractedAfterScaling) {
  Converter c;
  reset(c);
  uorRatio = 1000;
  utmShift = 4000;
  EXPECT_EQ(1000000, c.transformPoint(0, 5000000, 0).y);
  c.scaleFactor = 10.0f;
  EXPECT_EQ(1000000, c.transformPoint(0, 500000, 0).y);
  // 10000000 * 0.1f = 1000000.0149..., less 4000000: -2999999.985...
  c.scaleFactor = 0.1f;
  EXPECT_EQ(-2999999, c.transformPoint(0, 10000000, 0).y);
  // Z and X are not shifted.
  Point p = c.transformPoint(7, 0, 7);
  EXPECT_EQ(0, p.x);  // 0.7000000104...
  EXPECT_EQ(0, p.z);
}

TEST(TransformPoint, ScaleIsTheExactFloat) {
  Converter c;
  reset(c);
  c.scaleFactor = 0.1f;
  EXPECT_EQ(100000001, c.transformPoint(1000000000, 0, 0).x);
  EXPECT_EQ(-100000001, c.transformPoint(-1000000000, 0, 0).x);
}

TEST(TransformPoint, KeepsTheLow32Bits) {
  Converter c;
  reset(c);
  c.scaleFactor = 10.0f;
  EXPECT_EQ(-1294967296, c.transformPoint(300000000, 0, 0).x);  // 3000000000
  EXPECT_EQ(1294967297, c.transformPoint(0, 0, -300000000).z);  // -2999999999
}

TEST(TruncToInt32, Values) {
  EXPECT_EQ(-2, truncToInt32(-2.7));
  EXPECT_EQ(2, truncToInt32(2.7));
  EXPECT_EQ(1, truncToInt32(4294967297.9));
  EXPECT_EQ(-1, truncToInt32(-4294967297.5));
  EXPECT_EQ(0, truncToInt32(std::nan("")));
  EXPECT_EQ(0, truncToInt32(1e30));
  EXPECT_EQ(0, truncToInt32(-1e30));
  EXPECT_EQ(0, truncToInt32(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(0, truncToInt32(-std::numeric_limits<double>::infinity()));
}

TEST(RangeLimit, OneSidedAboveTwoToThe32) {
  EXPECT_FALSE(exceedsRangeLimit(4294967296.0));
  EXPECT_TRUE(exceedsRangeLimit(4294967296.5));
  EXPECT_TRUE(exceedsRangeLimit(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(exceedsRangeLimit(-1e300));
  EXPECT_FALSE(exceedsRangeLimit(std::nan("")));
}

TEST(TestRange, FillsTheTransformedRange) {
  Converter c;
  reset(c);
  uorRatio = 1000;
  utmShift = 4000;
  c.scaleFactor = 10.0f;
  c.originOffset[0] = -100.0;
  setRange(c, {100, 500000, -3, 200, 600000, 4});
  c.testRange();
  // (r - 2^31 + offset) * scale, less the shift in y, then + 0.00001.
  EXPECT_DOUBLE_EQ(0.00001, transformedRange[0]);
  EXPECT_DOUBLE_EQ(1000000.00001, transformedRange[1]);
  EXPECT_DOUBLE_EQ(-29.99999, transformedRange[2]);
  EXPECT_DOUBLE_EQ(1000.00001, transformedRange[3]);
  EXPECT_DOUBLE_EQ(2000000.00001, transformedRange[4]);
  EXPECT_DOUBLE_EQ(40.00001, transformedRange[5]);
}

TEST(TestRange, NegativeAndBetween2To31And2To32Pass) {
  Converter c;
  reset(c);
  c.scaleFactor = 10.0f;
  setRange(c, {-2147483648LL, -2147483648LL, -2147483648LL, 300000000, 429496729, 0});
  c.testRange();
  EXPECT_DOUBLE_EQ(-21474836479.99999, transformedRange[0]);
  EXPECT_DOUBLE_EQ(3000000000.00001, transformedRange[3]);
  EXPECT_DOUBLE_EQ(4294967290.00001, transformedRange[4]);
}

TEST(TestRange, ExactlyTwoToThe32Passes) {
  Converter c;
  reset(c);
  // 2147483647 + offset is 2^32 - 21 * 2^-21 exactly; adding 0.00001 rounds
  // to 2^32 itself.
  c.originOffset[0] = 2147483649.0 - 21.0 * std::ldexp(1.0, -21);
  setRange(c, {2147483647, 0, 0, 2147483647, 0, 0});
  c.testRange();
  EXPECT_EQ(4294967296.0, transformedRange[0]);
  EXPECT_EQ(4294967296.0, transformedRange[3]);
}

TEST(TestRangeDeathTest, HalfAboveTwoToThe32Stops) {
  dgntest::TempDir dir;
  Converter c;
  reset(c);
  c.originOffset[0] = 2147483649.5;
  setRange(c, {2147483647, 0, 0, 0, 0, 0});
  c.errorFile = std::fopen(dir.file("t.ERR").c_str(), "w");
  ASSERT_NE(nullptr, c.errorFile);
  EXPECT_EXIT(c.testRange(), ::testing::ExitedWithCode(1), "");
  // (4294967296.50001, 0.00001, 0.00001) and 2^32, each divided by 100.
  EXPECT_EQ(
      "L\xEDmite excedido en rango bajo: (42949672.965,      0.000,      0.000).\r\n"
      " Valor M\xE1ximo=42949672.960\r\n",
      dir.readText("t.ERR"));
}

TEST(TestRangeDeathTest, LowCornerIsTestedFirstAndZCounts) {
  dgntest::TempDir dir;
  Converter c;
  reset(c);
  c.scaleFactor = 10.0f;
  // Low z beyond the limit in a 2D file, high x beyond as well.
  setRange(c, {0, 0, 429496730, 429496730, 0, 0});
  c.errorFile = std::fopen(dir.file("low.ERR").c_str(), "w");
  ASSERT_NE(nullptr, c.errorFile);
  EXPECT_EXIT(c.testRange(), ::testing::ExitedWithCode(1), "");
  std::string text = dir.readText("low.ERR");
  EXPECT_NE(std::string::npos, text.find("rango bajo")) << text;
  EXPECT_EQ(std::string::npos, text.find("rango alto")) << text;
}

TEST(TestRangeDeathTest, HighCornerStops) {
  dgntest::TempDir dir;
  Converter c;
  reset(c);
  uorRatio = 1000;
  c.scaleFactor = 10.0f;
  setRange(c, {0, 0, 0, 0, 429496730, 0});
  c.errorFile = std::fopen(dir.file("high.ERR").c_str(), "w");
  ASSERT_NE(nullptr, c.errorFile);
  EXPECT_EXIT(c.testRange(), ::testing::ExitedWithCode(1), "");
  std::string text = dir.readText("high.ERR");
  EXPECT_EQ(0u, text.find("L\xEDmite excedido en rango alto: (")) << text;
  EXPECT_NE(std::string::npos, text.find(" Valor M\xE1ximo=4294967.296\r\n")) << text;
}

TEST(TestRangeDeathTest, RecordsWrittenBeforeTheStopReachTheBinFile) {
  dgntest::TempDir dir;
  Converter c;
  reset(c);
  int fd = ::open(dir.file("out.bin").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  c.binSink.attach(fd);
  c.binFile = fd;
  c.recordHeader.kind = 'C';
  std::strcpy(c.recordHeader.code, "001106");
  c.recordHeader.pointCount = 1;
  c.recordPoints[0] = Point{5, -7, 0};
  c.writeRecord(c.recordHeader, c.recordBox, c.recordPoints, c.recordItems);

  c.scaleFactor = 10.0f;
  setRange(c, {429496730, 0, 0, 0, 0, 0});
  EXPECT_EXIT(c.testRange(), ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(60u, dir.readFile("out.bin").size());
  c.binSink.detach();  // the child wrote the record; do not write it again
}
