// Cell headers end to end: a point record or a symbol record at the cell's
// origin, chosen by the cell key and the row found by the cell's name; the
// symbol's angle from the cell's matrix, its height from the row's ALTO.
#include <gtest/gtest.h>

#include "translate/translate_fixture.h"

using dgntest::binPointRecord;
using dgntest::binTextRecord;
using dgntest::DesignFile;
using dgntest::Element;
using dgntest::sameBytes;
using namespace translate_test;

namespace {

const int32_t kIdentity2D[4] = {214748, 0, 0, 214748};
const int32_t kIdentity3D[9] = {214748, 0, 0, 0, 214748, 0, 0, 0, 214748};

// A line inside the cell before it.
Element cellLine() { return component(dgntest::line(2, 0, 0, 0, 50, 50, 0)); }

// The box of a "T" record whose insertion point has z 0.
std::vector<int32_t> textBox(int32_t lowX, int32_t lowY, int32_t highX, int32_t highY, int32_t height,
                             int32_t angle, int32_t z = 0) {
    return {lowX, lowY, z, highX, highY, z, height, 0, angle};
}

Bytes textRecord(const std::string& code, const std::vector<int32_t>& box,
                 const std::array<int32_t, 3>& at, const std::string& text) {
    return binTextRecord(code, box.data(), at, text, {});
}

TEST(CellHeaderTranslation, CellsBecomePointsOrSymbolsByTheirRow) {
    const char table[] =
        "CEL001 0 0 0 0 0 0 ABC 1.5 @5200\n"
        "CEL002 0 0 0 0 0 0 PT0 1.5 0\n"
        "CEL003 0 0 0 0 0 0 PTC 1.5 C\n";
    // Stored 2D matrices and the angle field each gives.
    const int32_t turns[7][4] = {{214748, 0, 0, 214748},           // 0
                                 {0, -214748, 214748, 0},          // 9000
                                 {0, 214748, -214748, 0},          // 27000
                                 {-151850, -151850, 151850, -151850},  // 13500
                                 {-214748, 0, 0, -214748},         // 18000
                                 {107374, 0, 0, 107374},           // 0: the scale does not count
                                 {0, 0, 0, 214748}};               // 0: a zero first row
    DesignFile d(2);
    d.add(dgntest::cellHeader2D("PT0", kIdentity2D, 100, 200))
        .add(cellLine())  // skipped with the cell
        .add(dgntest::cellHeader2D("PTC", kIdentity2D, 300, 400));
    for (const auto& m : turns) d.add(dgntest::cellHeader2D("ABC", m, 1000, 2000));
    Conversion c = convert(d, table, 0, 0, 0);

    // "@5200" with ALTO 1.5 and 100 units per master unit: height 150, a
    // square of side 150 about (1000, 2000) turned by the angle (the box
    // takes the angle field times 0.000174533 and truncates its corners:
    // at 9000 the corner 924.99995 gives 924).
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("CEL002", {{100, 200, 0}}, {}), binPointRecord("CEL003", {{300, 400, 0}}, {}),
                textRecord("CEL001", textBox(925, 1925, 1075, 2075, 150, 0), {1000, 2000, 0}, "@5200"),
                textRecord("CEL001", textBox(924, 1924, 1075, 2075, 150, 9000), {1000, 2000, 0}, "@5200"),
                textRecord("CEL001", textBox(924, 1924, 1075, 2075, 150, 27000), {1000, 2000, 0}, "@5200"),
                textRecord("CEL001", textBox(893, 1893, 1106, 2106, 150, 13500), {1000, 2000, 0}, "@5200"),
                textRecord("CEL001", textBox(924, 1924, 1075, 2075, 150, 18000), {1000, 2000, 0}, "@5200"),
                textRecord("CEL001", textBox(925, 1925, 1075, 2075, 150, 0), {1000, 2000, 0}, "@5200"),
                textRecord("CEL001", textBox(925, 1925, 1075, 2075, 150, 0), {1000, 2000, 0}, "@5200")}),
        c.bin));
}

TEST(CellHeaderTranslation, SymbolsCarryTheRowsTextOrTheCellName) {
    const char table[] =
        "CEL001 0 0 0 0 0 0 ABC 1.5 0\n"
        "CEL00B 0 0 0 0 0 0 AB 2.0 0\n"
        "CEL0AB 0 0 0 0 0 0 \"A B\" 1.0 0\n"
        "CEL0NH 0 0 0 0 0 0 NOH 0 0\n"
        "CELSYM 0 0 0 0 0 0 SYM 1.5 @CAMINO\n";
    // Radix-50 A, code 29, B: 1600 x 1 + 40 x 29 + 2.
    Element gap = dgntest::cellHeader2D("", kIdentity2D, 7000, 8000);
    gap.body[2] = 2762 & 0xFF;
    gap.body[3] = 2762 >> 8;

    DesignFile d(2);
    d.add(dgntest::cellHeader2D("ZZZ", kIdentity2D, 1000, 2000))  // no row, before any hit
        .add(dgntest::cellHeader2D("ABC", kIdentity2D, 3000, 4000))
        .add(cellLine())                                         // skipped with the cell
        .add(dgntest::cellHeader2D("AB", kIdentity2D, 5000, 6000))  // A, B and four blanks
        .add(gap)
        .add(dgntest::cellHeader2D("NOH", kIdentity2D, 9000, 10000))
        .add(dgntest::cellHeader2D("SYM", kIdentity2D, 11000, 12000))
        .add(dgntest::cellHeader2D("", kIdentity2D, 13000, 14000));  // blanks, no row: no text
    Conversion c = convert(d, table, 2, 0, 0);

    // A name text covers one square of the height per character from the
    // origin; an "@" text one square about it.
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({textRecord("nuevo", textBox(1000, 2000, 1300, 2100, 100, 0), {1000, 2000, 0}, "ZZZ"),
                textRecord("CEL001", textBox(3000, 4000, 3450, 4150, 150, 0), {3000, 4000, 0}, "ABC"),
                textRecord("CEL00B", textBox(5000, 6000, 5400, 6200, 200, 0), {5000, 6000, 0}, "AB"),
                textRecord("CEL0AB", textBox(7000, 8000, 7300, 8100, 100, 0), {7000, 8000, 0}, "A B"),
                textRecord("CEL0NH", textBox(9000, 10000, 9300, 10100, 100, 0), {9000, 10000, 0}, "NOH"),
                textRecord("CELSYM", textBox(10925, 11925, 11075, 12075, 150, 0), {11000, 12000, 0},
                           "@CAMINO")}),
        c.bin));
    EXPECT_EQ("NIVEL ESTILO COLOR PESO FONT GG\r\n"
              " 1 0   0 0  0    0 \"ZZZ\"\r\n"
              " 1 0   0 0  0    0 \"\"\r\n",
              c.err);
}

TEST(CellHeaderTranslation, TwoDimensionalPointTakesTheGlobalOriginsZ) {
    const char table[] =
        "CEL001 0 0 0 0 0 0 ABC 1.5 @5200\n"
        "CEL002 0 0 0 0 0 0 PT0 1.5 0\n";
    DesignFile d(2);
    d.origin(0, 0, 300);
    d.add(dgntest::cellHeader2D("PT0", kIdentity2D, 1000, 2000))
        .add(dgntest::cellHeader2D("ABC", kIdentity2D, 3000, 4000));
    Conversion c = convert(d, table, 0, 0, 0);

    // Z of the point is the transform of z 0: trunc(-300 + 0.00001) = -299.
    // The symbol's Z is 0.
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("CEL002", {{1000, 2000, -299}}, {}),
                textRecord("CEL001", textBox(2925, 3925, 3075, 4075, 150, 0), {3000, 4000, 0}, "@5200")}),
        c.bin));
}

TEST(CellHeaderTranslation, ThreeDimensionalCellsKeepTheirZ) {
    const char table[] =
        "CEL001 0 0 0 0 0 0 ABC 1.5 @5200\n"
        "CEL002 0 0 0 0 0 0 PT0 1.5 0\n";
    // 90 degrees about z, and the same with the second row's first entry
    // negative (360 - 90 degrees).
    const int32_t quarter[9] = {0, -214748, 0, 214748, 0, 0, 0, 0, 214748};
    const int32_t mirrored[9] = {0, 214748, 0, -214748, 0, 0, 0, 0, 214748};
    DesignFile d(3);
    d.add(dgntest::cellHeader3D("PT0", kIdentity3D, 100, 200, 300))
        .add(dgntest::cellHeader3D("ABC", quarter, 1000, 2000, 50))
        .add(dgntest::cellHeader3D("ABC", mirrored, 1000, 2000, 50));
    Conversion c = convert(d, table, 0, 0, 0);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("CEL002", {{100, 200, 300}}, {}),
                textRecord("CEL001", textBox(924, 1924, 1075, 2075, 150, 9000, 50), {1000, 2000, 50}, "@5200"),
                textRecord("CEL001", textBox(924, 1924, 1075, 2075, 150, 27000, 50), {1000, 2000, 50},
                           "@5200")}),
        c.bin));
}

TEST(CellHeaderTranslation, OtherCellKeysWriteNothingForTheHeader) {
    const char table[] =
        "LS0001 1 0 0 0 0 0 \"\" 1.0 0\n"
        "CEL002 0 0 0 0 0 0 PT0 1.5 0\n";
    DesignFile d(2);
    d.add(dgntest::cellHeader2D("PT0", kIdentity2D, 100, 200))
        .add(cellLine())  // no component is admitted yet
        .add(dgntest::lineString(2, {{500, 500, 0}, {600, 600, 0}}));
    Conversion c = convert(d, table, 3, 0, 0);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(binPointRecord("LS0001", {{500, 500, 0}, {600, 600, 0}}, {}), c.bin));
}

}  // namespace
