// Cell headers end to end: a point or a symbol at the cell's origin, by the
// cell key and the row of the cell's name; the angle from the matrix.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

static const char kTable[] =
    "CEL001 0 0 0 0 0 0 ABC 1.5 @5200\n"
    "CEL002 0 0 0 0 0 0 PT0 1.5 0\n"
    "CEL00B 0 0 0 0 0 0 AB 2.0 0\n"
    "CEL0AB 0 0 0 0 0 0 \"A B\" 1.0 0\n";
static const std::vector<int32_t> kIdentity = {214748, 0, 0, 214748};

// A "T" record with justification 0; xy is low x, low y, high x, high y.
static Bytes symbol(const std::string& code, const std::array<int32_t, 4>& xy, int32_t height,
                    int32_t angle, const Point3& at, const std::string& text) {
  const Box box = {xy[0], xy[1], at[2], xy[2], xy[3], at[2], height, 0, angle};
  return binTextRecord(code, box, at, text, {});
}

// clave_cel 0: a symbol for an "@" row, else a point, whose Z in 2D is the
// transform of z 0 (trunc(-300 + 0.00001) here). The "@" square of side 150
// turns by the angle; its box truncates the corners (924.99995 gives 924).
TEST(CellHeaderTranslation, ClaveCelZeroWritesPointsOrSymbolsByTheRow) {
  struct Turn {
    std::vector<int32_t> m;
    int32_t angle, low, high;
  };
  const Turn turns[] = {{{214748, 0, 0, 214748}, 0, -75, 75},
                        {{0, -214748, 214748, 0}, 9000, -76, 75},
                        {{0, 214748, -214748, 0}, 27000, -76, 75},
                        {{-214748, 0, 0, -214748}, 18000, -76, 75},
                        {{-151850, -151850, 151850, -151850}, 13500, -107, 106},
                        {{107374, 0, 0, 107374}, 0, -75, 75},
                        {{0, 0, 0, 214748}, 0, -75, 75}};  // scaled; sx 0
  DesignFile d(2);
  d.origin(0, 0, 300);
  d.add(cellHeader(2, "PT0", kIdentity, {100, 200, 0}))
      .add(asComponent(line(2, 0, 0, 0, 50, 50, 0)));  // skipped with the cell
  Bytes expected = binPointRecord("CEL002", {{100, 200, -299}}, {});
  for (const Turn& t : turns) {
    d.add(cellHeader(2, "ABC", t.m, {1000, 2000, 0}));
    const int32_t lo = t.low, hi = t.high;
    expected = concat({expected, symbol("CEL001", {1000 + lo, 2000 + lo, 1000 + hi, 2000 + hi}, 150,
                                        t.angle, {1000, 2000, 0}, "@5200")});
  }
  EXPECT_TRUE(sameBytes(expected, convert(d, kTable).bin));
}

// clave_cel 2: every cell a symbol, with the row's "@" text or the trimmed
// name over one square of the height per character.
TEST(CellHeaderTranslation, ClaveCelTwoWritesSymbolsWithTheRowsTextOrTheName) {
  Element gap = cellHeader(2, "", kIdentity, {7000, 8000, 0});
  gap.body[2] = 2762 & 0xFF;  // A, code 29 (no character: a blank), B
  gap.body[3] = 2762 >> 8;
  DesignFile d(2);
  d.add(cellHeader(2, "ZZZ", kIdentity, {1000, 2000, 0}))  // no row before any hit: height 100
      .add(cellHeader(2, "PT0", kIdentity, {3000, 4000, 0}))
      .add(cellHeader(2, "AB", kIdentity, {5000, 6000, 0}))  // A, B and four blanks
      .add(gap)
      .add(cellHeader(2, "ABC", kIdentity, {11000, 12000, 0}))
      .add(cellHeader(2, "$.9", kIdentity, {1000, 2000, 0}))
      .add(cellHeader(2, "", kIdentity, {13000, 14000, 0}));  // blanks, no row: nothing written
  EXPECT_TRUE(sameBytes(
      concat({symbol("nuevo", {1000, 2000, 1300, 2100}, 100, 0, {1000, 2000, 0}, "ZZZ"),
              symbol("CEL002", {3000, 4000, 3450, 4150}, 150, 0, {3000, 4000, 0}, "PT0"),
              symbol("CEL00B", {5000, 6000, 5400, 6200}, 200, 0, {5000, 6000, 0}, "AB"),
              symbol("CEL0AB", {7000, 8000, 7300, 8100}, 100, 0, {7000, 8000, 0}, "A B"),
              symbol("CEL001", {10925, 11925, 11075, 12075}, 150, 0, {11000, 12000, 0}, "@5200"),
              symbol("nuevo", {1000, 2000, 1450, 2150}, 150, 0, {1000, 2000, 0},
                     {"$.9\0"
                      "0",
                      5})}),  // the last text's bytes stay
      convert(d, kTable, settings(2, 0, 0)).bin));
}

// In 3D both records keep the origin's z; the angle takes the sign of m3.
TEST(CellHeaderTranslation, ThreeDimensionalCells) {
  const std::vector<int32_t> identity = {214748, 0, 0, 0, 214748, 0, 0, 0, 214748};
  const std::vector<int32_t> turned = {0, 214748, 0, -214748, 0, 0, 0, 0, 214748};  // 360 - 90
  DesignFile d(3);
  d.add(cellHeader(3, "PT0", identity, {100, 200, 300}))
      .add(cellHeader(3, "ABC", turned, {1000, 2000, 50}));
  EXPECT_TRUE(sameBytes(
      concat({binPointRecord("CEL002", {{100, 200, 300}}, {}),
              symbol("CEL001", {924, 1924, 1075, 2075}, 150, 27000, {1000, 2000, 50}, "@5200")}),
      convert(d, kTable).bin));
}
