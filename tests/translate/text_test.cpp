// Texts in a 2D design file, end to end: the justification point from the
// range, the angle field, vertical baselines, annotation and point rows, the
// lookup by font and name, empty and blank texts, text-node items, a
// character count that overruns the element, and a NaN UTM shift. Every
// expected record is worked out from the rules of the text translator and
// the writer's box formulas.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

using dgntest::DesignFile;
using dgntest::Element;
using dgntest::ExpectItem;
using dgntest::ProgramResult;
using dgntest::TempDir;

namespace {

const char kErrHeader[] = "NIVEL ESTILO COLOR PESO FONT GG\r\n";

// Every code has six characters, so the byte after a code's terminator is
// always 0 (a shorter code such as "nuevo" leaves the seventh byte of the
// previous one, which is then its terminator).
const char kTable[] =
    "/ by font and name (mode 3)\n"
    "BYNAME 60 0 0 0 3 0 \"abcdefghi\" 1.0 0\n"
    "EMPTYC 61 0 0 0 98 0 \"\" 1.0 C\n"
    "/ by symbology (mode 0)\n"
    "BYSYMB 2 0 0 0 99 0 \"\" 1.0 0\n"
    "ANO520 5 0 0 0 99 0 \"\" 1.5 @5200\n"
    "ANO000 6 0 0 0 99 0 \"\" 0 @5200\n"
    "PTOTXT 7 0 0 0 99 0 \"\" 1.0 C\n"
    "/ by graphic group (mode 1)\n"
    "BYGGRP 50 0 0 0 99 77 \"\" 1.0 0\n";

struct Output {
    std::vector<uint8_t> bin;
    std::string err;
};

Output convert(const DesignFile& dgn, const std::string& words) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    dgn.write(dir.file("in.dgn"));
    const ProgramResult r = dgntest::runProgram(dir.path(), {words});
    EXPECT_EQ(r.exitStatus, 0) << r.out << r.err;
    return {dir.readFile("out.bin"), dir.readText("in.ERR")};
}

// A 2D text of height multiplier 50000 (H = 300.01 at factor 1, height field
// 300) in font 1 unless given.
Element text(int level, uint8_t just, int32_t rotation, int32_t ox, int32_t oy,
             const std::string& chars, uint8_t font = 1) {
    Element e = dgntest::text2D(font, just, 0, 50000, rotation, ox, oy, chars);
    e.level = level;
    return e;
}

// The range of the worked example: low (1000, 1900), high (2200, 2350), so
// M = (1600, 2125) and, at angle 0 from the origin (1000, 2000), D = 600.
Element workedExample(int level, uint8_t just, const std::string& chars = "ABC",
                      uint8_t font = 1) {
    Element e = text(level, just, 0, 1000, 2000, chars, font);
    dgntest::setRange(e, 1000, 1900, 0, 2200, 2350, 0);
    return e;
}

using Box = std::array<int32_t, 9>;
using Pt = std::array<int32_t, 3>;

std::vector<uint8_t> textRecord(const std::string& code, const Box& box, const Pt& at,
                                const std::string& chars,
                                const std::vector<ExpectItem>& items = {}) {
    return dgntest::binTextRecord(code, box.data(), at, chars, items);
}

void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& record) {
    to.insert(to.end(), record.begin(), record.end());
}

}  // namespace

// Origin (1000, 2000), rotation 0, the worked example's range: M (1600,
// 2125), F (1600, 2000), D 600, L 1200, half height 150.005. "ABC" at
// height 300 covers w = 900 along x and 300 up from the insertion point.
TEST(TextTranslator, WorkedExampleJustificationsFromTheRange) {
    DesignFile dgn(2);
    dgn.add(workedExample(2, 7)).add(workedExample(2, 14)).add(workedExample(2, 0))
        .add(workedExample(2, 2));
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    // 7: centre, middle: l + h = (600, 150.005) -> (1600, 2150), code 8.
    append(expected, textRecord("BYSYMB", {1600, 2150, 0, 2500, 2450, 0, 300, 8, 0},
                                {1600, 2150, 0}, "ABC"));
    // 14: right end, bottom: k = (1200, 0) -> (2200, 2000), code 6.
    append(expected, textRecord("BYSYMB", {2200, 2000, 0, 3100, 2300, 0, 300, 6, 0},
                                {2200, 2000, 0}, "ABC"));
    // 0: left end, top: 2h = (0, 300.01) -> (1000, 2300), code 2.
    append(expected, textRecord("BYSYMB", {1000, 2300, 0, 1900, 2600, 0, 300, 2, 0},
                                {1000, 2300, 0}, "ABC"));
    // 2 (left end, bottom): the origin itself, code 0.
    append(expected, textRecord("BYSYMB", {1000, 2000, 0, 1900, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "ABC"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, kErrHeader);
}

// The angle field is rotation / 3600 truncated toward zero; the writer turns
// the box by field x 0.000174533. Justification 2 keeps the point on the
// origin (1000, 2000).
TEST(TextTranslator, AngleFieldIsRotationInHundredthsTruncated) {
    DesignFile dgn(2);
    dgn.add(text(2, 2, 9000000, 1000, 2000, "ABC"))
        .add(text(2, 2, -359999, 1000, 2000, "ABC"))
        .add(text(2, 2, 3599, 1000, 2000, "ABC"));
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    // 2500: cos 0.9063077, sin 0.4226184; corners (1000, 2000),
    // (1815.68, 2380.36), (1688.89, 2652.25), (873.21, 2271.89).
    append(expected, textRecord("BYSYMB", {873, 2000, 0, 1815, 2652, 0, 300, 0, 2500},
                                {1000, 2000, 0}, "ABC"));
    // -99: cos 0.9998507, sin -0.0172779; corners (1000, 2000),
    // (1899.87, 1984.45), (1905.05, 2284.41), (1005.18, 2299.96).
    append(expected, textRecord("BYSYMB", {1000, 1984, 0, 1905, 2299, 0, 300, 0, -99},
                                {1000, 2000, 0}, "ABC"));
    // 3599 / 3600 is 0.
    append(expected, textRecord("BYSYMB", {1000, 2000, 0, 1900, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "ABC"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
}

// The worked example turned by 90 and by 270 degrees about its origin, near
// the design origin and far from it. The baseline is vertical, so the foot is
// (Ox, My) and the length comes from the range's y extent: L = 1200.
// Writer's angle at 9000: cos -6.73e-7, sin 1 - 2.3e-13, so the corner
// 900 along the baseline from y lands a hair below a whole number; at 27000:
// cos 2.02e-6, sin -(1 - 2e-12).
TEST(TextTranslator, VerticalBaselinesTakeTheLengthFromTheYExtent) {
    const int32_t farX = 40000000;
    DesignFile dgn(2);
    for (int32_t x : {1000, farX}) {
        for (uint8_t just : {7, 14}) {
            // 90 degrees: range x from Ox - 350 to Ox + 100, y 2000 to 3200;
            // My 2600.
            Element up = text(2, just, 32400000, x, 2000, "ABC");
            dgntest::setRange(up, x - 350, 2000, 0, x + 100, 3200, 0);
            dgn.add(up);
        }
        for (uint8_t just : {7, 14}) {
            // 270 degrees: range x from Ox - 100 to Ox + 350, y 800 to 2000;
            // My 1400.
            Element down = text(2, just, 97200000, x, 2000, "ABC");
            dgntest::setRange(down, x - 100, 800, 0, x + 350, 2000, 0);
            dgn.add(down);
        }
    }
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    // x = 1000.
    // 90, just 7: l + h = (0, 600) + (-150.005, 0) -> (849.995, 2600); corners
    // (849, 2600), (848.9994, 3499.9999999998), (548.9994, 3499.9998),
    // (549.00000000007, 2599.9998).
    append(expected, textRecord("BYSYMB", {548, 2599, 0, 849, 3499, 0, 300, 8, 9000},
                                {849, 2600, 0}, "ABC"));
    // 90, just 14: k = (0, 1200) -> (1000, 3200).
    append(expected, textRecord("BYSYMB", {699, 3199, 0, 1000, 4099, 0, 300, 6, 9000},
                                {1000, 3200, 0}, "ABC"));
    // 270, just 7: l + h = (0, -600) + (150.005, 0) -> (1150.005, 1400);
    // corners (1150, 1400), (1150.002, 500.000000002), (1450.002, 500.0006),
    // (1449.9999999994, 1400.0006).
    append(expected, textRecord("BYSYMB", {1150, 500, 0, 1450, 1400, 0, 300, 8, 27000},
                                {1150, 1400, 0}, "ABC"));
    // 270, just 14: k = (0, -1200) -> (1000, 800); the corners 900 down lie
    // at y -99.99999999998 and -99.9994, truncated toward zero.
    append(expected, textRecord("BYSYMB", {1000, -99, 0, 1300, 800, 0, 300, 6, 27000},
                                {1000, 800, 0}, "ABC"));
    // x = 40000000: the same offsets.
    append(expected, textRecord("BYSYMB",
                                {farX - 452, 2599, 0, farX - 151, 3499, 0, 300, 8, 9000},
                                {farX - 151, 2600, 0}, "ABC"));
    append(expected, textRecord("BYSYMB", {farX - 301, 3199, 0, farX, 4099, 0, 300, 6, 9000},
                                {farX, 3200, 0}, "ABC"));
    append(expected, textRecord("BYSYMB",
                                {farX + 150, 500, 0, farX + 450, 1400, 0, 300, 8, 27000},
                                {farX + 150, 1400, 0}, "ABC"));
    append(expected, textRecord("BYSYMB", {farX, -99, 0, farX + 300, 800, 0, 300, 6, 27000},
                                {farX, 800, 0}, "ABC"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
}

// "@" rows: the row's text replaces the element's characters, the height is
// trunc(ALTO x factor x 100) in 2D (0 gives 100), and the box is the square
// of side h centred on the point. Justification and angle stay the
// element's.
TEST(TextTranslator, AnnotationRowsTakeTheRowTextAndHeight) {
    {
        SCOPED_TRACE("factor 10, 1000 units per master unit");
        DesignFile dgn(2);
        dgn.units(10, 100);
        // The element's own text is longer than the row's: none of it shows.
        dgn.add(text(5, 2, 0, 100, 200, "LONGER TEXT HERE"));
        // ALTO 0, justification 14 on the worked example scaled by 10: range
        // (1000, 1900) to (2200, 2350) after the factor, L = 1200.
        Element right = text(6, 14, 0, 100, 200, "AB");
        dgntest::setRange(right, 100, 190, 0, 220, 235, 0);
        dgn.add(right);
        const Output out = convert(dgn, "out in 10 0 0 0 0 0");

        std::vector<uint8_t> expected;
        // 1.5 x 10 x 100 = 1500 at (1000, 2000): r = 750.
        append(expected, textRecord("ANO520", {250, 1250, 0, 1750, 2750, 0, 1500, 0, 0},
                                    {1000, 2000, 0}, "@5200"));
        // Height 0 becomes 100 at (2200, 2000): r = 50; code 6 kept.
        append(expected, textRecord("ANO000", {2150, 1950, 0, 2250, 2050, 0, 100, 6, 0},
                                    {2200, 2000, 0}, "@5200"));
        EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
        EXPECT_EQ(out.err, kErrHeader);
    }
    {
        SCOPED_TRACE("factor 99 (1.0), 1000 units per master unit");
        DesignFile dgn(2);
        dgn.units(10, 100);
        dgn.add(text(5, 2, 0, 1000, 2000, "AB"));
        const Output out = convert(dgn, "out in 99 0 0 0 0 0");
        // 1.5 x 1.0 x 100 = 150, not the units ratio: r = 75.
        EXPECT_TRUE(dgntest::sameBytes(
            textRecord("ANO520", {925, 1925, 0, 1075, 2075, 0, 150, 0, 0}, {1000, 2000, 0},
                       "@5200"),
            out.bin));
    }
}

// A "C" row turns the text into a point record of its justification point;
// the box's text fields keep the text's height, code and angle.
TEST(TextTranslator, PointRowGivesOnePointRecordAtTheJustificationPoint) {
    DesignFile dgn(2);
    dgn.add(workedExample(7, 7));
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");
    const int32_t fields[3] = {300, 8, 0};
    EXPECT_TRUE(dgntest::sameBytes(
        dgntest::binPointRecord("PTOTXT", {{1600, 2150, 0}}, {}, fields), out.bin));
    EXPECT_EQ(out.err, kErrHeader);
}

// Font and name first (the first nine characters, letters in either case),
// then the symbology; a miss reports the element's key with its font and the
// first nine characters as name. Texts grow in length so that no earlier
// text leaves bytes behind a later one's terminator.
TEST(TextTranslator, LookupByFontAndNameThenBySymbology) {
    DesignFile dgn(2);
    // Font 4 has no row by name: level 2 gives BYSYMB.
    dgn.add(text(2, 2, 0, 1000, 2000, "ABCDEFGHI", 4));
    // Font 3, first nine "ABCDEFGHI" match "abcdefghi" before level 2 does.
    dgn.add(text(2, 2, 0, 1000, 2000, "ABCDEFGHIJKL", 3));
    // Neither by name nor by symbology.
    Element miss = text(3, 2, 0, 1000, 2000, "XYZXYZXYZXYZ", 3);
    miss.style = 2;
    miss.colour = 45;
    miss.weight = 7;
    dgn.add(miss);
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    append(expected, textRecord("BYSYMB", {1000, 2000, 0, 3700, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "ABCDEFGHI"));
    // Twelve characters: the terminator takes a third slot.
    append(expected, textRecord("BYNAME", {1000, 2000, 0, 4600, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "ABCDEFGHIJKL"));
    append(expected, textRecord("nuevo", {1000, 2000, 0, 4600, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "XYZXYZXYZXYZ"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, std::string(kErrHeader) + " 3 2  45 7  3    0 \"XYZXYZXYZ\"\r\n");
}

TEST(TextTranslator, LookupByFontAndNameThenByGraphicGroup) {
    DesignFile dgn(2);
    // Level 2 would give BYSYMB by symbology; graphic group 77 gives BYGGRP.
    Element byGroup = text(2, 2, 0, 1000, 2000, "QQ", 4);
    byGroup.graphicGroup = 77;
    Element noGroup = text(2, 2, 0, 1000, 2000, "QR", 4);
    noGroup.graphicGroup = 78;
    // Font and name still come first.
    Element byName = text(2, 2, 0, 1000, 2000, "abcdefghij", 3);
    byName.graphicGroup = 78;
    dgn.add(byGroup).add(noGroup).add(byName);
    const Output out = convert(dgn, "out in 1 0 1 0 0 0");

    std::vector<uint8_t> expected;
    append(expected, textRecord("BYGGRP", {1000, 2000, 0, 1600, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "QQ"));
    append(expected, textRecord("nuevo", {1000, 2000, 0, 1600, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "QR"));
    append(expected, textRecord("BYNAME", {1000, 2000, 0, 4000, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, "abcdefghij"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, std::string(kErrHeader) + " 2 0   0 0  4   78 \"QR\"\r\n");
}

// An empty text is looked up like any other (in mode 3 with an empty name)
// and written only for a "C" or "@" row; a text of blanks is written with an
// empty text (L = 0: two corners on the point, two h above it).
TEST(TextTranslator, EmptyAndBlankTexts) {
    DesignFile dgn(2);
    dgn.add(text(2, 2, 0, 1000, 2000, ""));        // BYSYMB, "0": nothing
    dgn.add(workedExample(2, 7, "", 98));          // font 98, empty name: EMPTYC
    dgn.add(text(2, 2, 0, 1000, 2000, "   "));     // BYSYMB: blanks
    dgn.add(text(5, 2, 0, 1000, 2000, ""));        // ANO520: "@5200"
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    const int32_t fields[3] = {300, 8, 0};
    append(expected, dgntest::binPointRecord("EMPTYC", {{1600, 2150, 0}}, {}, fields));
    std::vector<uint8_t> blanks = textRecord("BYSYMB", {1000, 2000, 0, 1000, 2300, 0, 300, 0, 0},
                                             {1000, 2000, 0}, "");
    // Trimming moves the terminator to the front and leaves the two blanks
    // behind it: slot 1 holds 00 20 20 00.
    blanks[61] = ' ';
    blanks[62] = ' ';
    append(expected, blanks);
    append(expected, textRecord("ANO520", {925, 1925, 0, 1075, 2075, 0, 150, 0, 0},
                                {1000, 2000, 0}, "@5200"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, kErrHeader);
}

// The node's two items go in front of each text's own one; the node itself
// writes nothing, and a text after the node carries only its own item.
TEST(TextTranslator, TextNodeItemsComeFirstInEachText) {
    Element node = dgntest::textNode();
    node.linkages = dgntest::linkage1007(11, 111);
    const std::vector<uint8_t> second = dgntest::linkage1007(12, 222);
    node.linkages.insert(node.linkages.end(), second.begin(), second.end());
    Element first = text(2, 2, 0, 1000, 2000, "ABC");
    first.complexBit = true;
    first.linkages = dgntest::linkage1007(21, 333);
    Element next = text(2, 2, 0, 1000, 2000, "DEF");
    next.complexBit = true;
    next.linkages = dgntest::linkage1007(22, 444);
    Element alone = text(2, 2, 0, 1000, 2000, "GHI");
    alone.linkages = dgntest::linkage1007(23, 555);
    DesignFile dgn(2);
    dgn.add(node).add(first).add(next).add(alone);
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    const Box box = {1000, 2000, 0, 1900, 2300, 0, 300, 0, 0};
    std::vector<uint8_t> expected;
    append(expected, textRecord("BYSYMB", box, {1000, 2000, 0}, "ABC",
                                {{11, 111, ""}, {12, 222, ""}, {21, 333, ""}}));
    append(expected, textRecord("BYSYMB", box, {1000, 2000, 0}, "DEF",
                                {{11, 111, ""}, {12, 222, ""}, {22, 444, ""}}));
    append(expected, textRecord("BYSYMB", box, {1000, 2000, 0}, "GHI", {{23, 555, ""}}));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
}

// The count byte says 20 characters, but the element ends after 6 of them.
// The text before it leaves 20 other characters at the same place in the
// element buffer, so reading on would show them; in the record, the bytes
// behind the shorter text's terminator still hold the earlier text.
TEST(TextTranslator, CharactersStopAtTheElementsEnd) {
    Element overrun = text(2, 2, 0, 1000, 2000, "ABCDEF");
    overrun.body[58 - 36] = 20;
    DesignFile dgn(2);
    dgn.add(text(2, 2, 0, 1000, 2000, std::string(20, 'Z'))).add(overrun);
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    append(expected, textRecord("BYSYMB", {1000, 2000, 0, 7000, 2300, 0, 300, 0, 0},
                                {1000, 2000, 0}, std::string(20, 'Z')));
    std::vector<uint8_t> cut = textRecord("BYSYMB", {1000, 2000, 0, 2800, 2300, 0, 300, 0, 0},
                                          {1000, 2000, 0}, "ABCDEF");
    for (size_t i = 60 + 7; i < 60 + 12; ++i) cut[i] = 'Z';
    append(expected, cut);
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, kErrHeader);
}

// trasUTM 4 with 100 units per master unit moves every Y down by 400; the
// range centre takes that back, so D stays 600 (along x, and along y for the
// vertical baseline) and only the written points move.
TEST(TextTranslator, UtmShiftMovesThePointNotTheLength) {
    Element up = text(2, 7, 32400000, 1000, 2000, "ABC");
    dgntest::setRange(up, 650, 2000, 0, 1100, 3200, 0);
    DesignFile dgn(2);
    dgn.add(workedExample(2, 7)).add(up);
    const Output out = convert(dgn, "out in 1 0 0 0 4 0");

    std::vector<uint8_t> expected;
    append(expected, textRecord("BYSYMB", {1600, 1750, 0, 2500, 2050, 0, 300, 8, 0},
                                {1600, 1750, 0}, "ABC"));
    append(expected, textRecord("BYSYMB", {548, 2199, 0, 849, 3099, 0, 300, 8, 9000},
                                {849, 2200, 0}, "ABC"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
}

// trasUTM "nan": every Y is NaN and is written as 0. At angle 0 the foot
// lies on the baseline and the length stays 600; at 90 degrees the foot is
// (Ox, My) with My NaN, so the whole point is NaN and written as (0, 0).
TEST(TextTranslator, NanUtmShiftWritesZeroForWhatIsNotANumber) {
    Element up = text(2, 7, 32400000, 1000, 2000, "ABC");
    dgntest::setRange(up, 650, 2000, 0, 1100, 3200, 0);
    DesignFile dgn(2);
    dgn.add(workedExample(2, 7)).add(up);
    const Output out = convert(dgn, "out in 1 0 0 0 nan 0");

    std::vector<uint8_t> expected;
    append(expected, textRecord("BYSYMB", {1600, 0, 0, 2500, 300, 0, 300, 8, 0},
                                {1600, 0, 0}, "ABC"));
    // Corners from (0, 0) at 9000: (-0.0006, 899.9999999998),
    // (-300.0006, 899.9998), (-299.99999999993, -0.0002).
    append(expected, textRecord("BYSYMB", {-300, 0, 0, 0, 899, 0, 300, 8, 9000}, {0, 0, 0},
                                "ABC"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, kErrHeader);
}
