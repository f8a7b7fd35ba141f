// Texts end to end in 2D and 3D: the justification point, the angle, "@" and
// "C" rows, the lookup, empty texts, text-node items, cut texts, trasUTM.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

// Six-character codes: a shorter one keeps the last code's seventh byte.
static const char kTable[] =
    "BYNAME 60 0 0 0 3 0 \"abcdefghi\" 1.0 0\n"
    "EMPTYC 61 0 0 0 98 0 \"\" 1.0 C\n"
    "BYSYMB 2 0 0 0 99 0 \"\" 1.0 0\n"
    "ANO520 5 0 0 0 99 0 \"\" 1.5 @5200\n"
    "ANO000 6 0 0 0 99 0 \"\" 0 @5200\n"
    "PTOTXT 7 0 0 0 99 0 \"\" 1.0 C\n";
static const int32_t k90 = 32400000, k270 = 97200000;  // 1/360000 degree
static const Point3 kO = {1000, 2000, 0};

// Height multiplier 50000: H = 300.01 at factor 1, height field 300.
static Element text2(int level, uint8_t just, int32_t rotation, const std::string& chars = "ABC",
                     uint8_t font = 1, int32_t ox = 1000, int32_t oy = 2000) {
  return onLevel(text(2, font, just, 50000, {rotation}, {ox, oy, 0}, chars), level);
}
static Element text3(int level, uint8_t just, const Rotation& q, int32_t x, int32_t y, int32_t z) {
  return onLevel(text(3, 1, just, 50000, q, {x, y, z}, "ABC"), level);
}
static Element ranged(Element e, int32_t lx, int32_t ly, int32_t hx, int32_t hy, int32_t z = 0) {
  setRange(e, lx, ly, z, hx, hy, z);
  return e;
}
// The worked example's range: M (1600, 2125), so D 600 and L 1200 at angle 0.
static Element worked(int level, uint8_t just, const std::string& chars = "ABC", uint8_t font = 1) {
  return ranged(text2(level, just, 0, chars, font), 1000, 1900, 2200, 2350);
}

static Bytes textRec(const std::string& code, const Box& box, const Point3& at,
                     const std::string& chars, const std::vector<ExpectItem>& items = {}) {
  return binTextRecord(code, box, at, chars, items);
}
static Bytes abc(const Box& box, const Point3& at) { return textRec("BYSYMB", box, at, "ABC"); }

// Justification 7 is D along and half the height up (code 8), 14 L along (6),
// 0 the height up (2). The angle field is rotation / 3600 truncated.
TEST(TextTranslator, WorkedExampleAndAngleField) {
  DesignFile d(2);
  d.add(worked(2, 7)).add(worked(2, 14)).add(worked(2, 0));
  for (int32_t r : {9000000, -359999, 3599}) d.add(text2(2, 2, r));
  const Conversion c = convert(d, kTable);
  EXPECT_TRUE(sameBytes(concat({abc({1600, 2150, 0, 2500, 2450, 0, 300, 8, 0}, {1600, 2150, 0}),
                                abc({2200, 2000, 0, 3100, 2300, 0, 300, 6, 0}, {2200, 2000, 0}),
                                abc({1000, 2300, 0, 1900, 2600, 0, 300, 2, 0}, {1000, 2300, 0}),
                                abc({873, 2000, 0, 1815, 2652, 0, 300, 0, 2500}, kO),
                                abc({1000, 1984, 0, 1905, 2299, 0, 300, 0, -99}, kO),
                                abc({1000, 2000, 0, 1900, 2300, 0, 300, 0, 0}, kO)}),
                        c.bin));
  EXPECT_EQ(c.errorFile, kErrorHeader);
}

// The worked example at 90 and 270 degrees, near x = 0 and far from it: the
// foot is (Ox, My), L = 1200 from the y extent. Offsets from Ox.
TEST(TextTranslator, VerticalBaselinesTakeTheLengthFromTheYExtent) {
  struct Case {
    int32_t rotation;
    uint8_t just;
    int32_t lowDx, lowY, highDx, highY, atDx, atY;
  };
  const Case cases[] = {{k90, 7, -452, 2599, -151, 3499, -151, 2600},  // (-150.005, 600)
                        {k90, 14, -301, 3199, 0, 4099, 0, 3200},       // (0, 1200)
                        {k270, 7, 150, 500, 450, 1400, 150, 1400},     // (150.005, -600)
                        {k270, 14, 0, -99, 300, 800, 0, 800}};         // (0, -1200)
  for (int32_t x : {1000, 40000000}) {
    DesignFile d(2);
    Bytes expected;
    for (const Case& k : cases) {
      const Element e = text2(2, k.just, k.rotation, "ABC", 1, x);
      d.add(k.rotation == k90 ? ranged(e, x - 350, 2000, x + 100, 3200)
                              : ranged(e, x - 100, 800, x + 350, 2000));
      expected = concat({expected, abc({x + k.lowDx, k.lowY, 0, x + k.highDx, k.highY, 0, 300,
                                        k.just == 7 ? 8 : 6, k.rotation / 3600},
                                       {x + k.atDx, k.atY, 0})});
    }
    EXPECT_TRUE(sameBytes(expected, convert(d, kTable).bin)) << "x = " << x;
  }
}

// "C" rows write the point with the text's height, code and angle; "@" rows the
// row's text, in 2D of height trunc(ALTO x factor x 100). An empty text is
// looked up (font 98, empty name) and written only for those rows. Blanks
// are trimmed when written: a text of blanks is empty, one with leading
// blanks before "@" a symbol (one square centred on its point).
TEST(TextTranslator, PointAndAnnotationRowsEmptyAndBlankTexts) {
  DesignFile d(2);
  d.add(worked(7, 7)).add(worked(2, 7, "", 98));         // PTOTXT, EMPTYC
  d.add(text2(2, 2, 0, "")).add(text2(2, 2, 0, "   "));  // nothing, blanks
  d.add(text2(2, 2, 0, "  @x"));
  const Conversion c = convert(d, kTable);
  const Box fields = {0, 0, 0, 0, 0, 0, 300, 8, 0};
  Bytes blanks = textRec("BYSYMB", {1000, 2000, 0, 1000, 2300, 0, 300, 0, 0}, kO, "");
  blanks[61] = blanks[62] = ' ';  // trimming put the terminator before the other two
  const Bytes symbol =
      textRec("BYSYMB", {850, 1850, 0, 1150, 2150, 0, 300, 0, 0}, kO, {"@x\0x", 4});
  EXPECT_TRUE(
      sameBytes(concat({binPointRecord("PTOTXT", {{1600, 2150, 0}}, {}, &fields),
                        binPointRecord("EMPTYC", {{1600, 2150, 0}}, {}, &fields), blanks, symbol}),
                c.bin));
  EXPECT_EQ(c.errorFile, kErrorHeader);
  DesignFile tenths(2);
  tenths.units(10, 100).add(text2(5, 2, 0, "LONGER TEXT HERE", 1, 100, 200));
  EXPECT_TRUE(sameBytes(textRec("ANO520", {250, 1250, 0, 1750, 2750, 0, 1500, 0, 0}, kO, "@5200"),
                        convert(tenths, kTable, "10 0 0 0 0 0").bin));
  // In 3D the height is trunc(units ratio x ALTO x factor), 0 giving 100.
  DesignFile solid(3);
  solid.units(10, 100).add(text3(5, 2, noTurn(3), 100, 200, 30));
  solid.add(text3(6, 2, noTurn(3), 100, 200, 30));
  const Point3 at = {1000, 2000, 300};
  EXPECT_TRUE(sameBytes(
      concat({textRec("ANO520", {-6500, -5500, 300, 8500, 9500, 300, 15000, 0, 0}, at, "@5200"),
              textRec("ANO000", {950, 1950, 300, 1050, 2050, 300, 100, 0, 0}, at, "@5200")}),
      convert(solid, kTable, "10 0 0 0 0 0").bin));
}

// Font and the first nine characters (either case) first, then the symbology.
// A count byte of 20 in an element that ends after 6 characters: the Z's left
// in the element buffer are not read, but stay in the record behind the NUL.
TEST(TextTranslator, CharactersOfTheText) {
  Element cut = text2(2, 2, 0, "ABCDEF");
  cut.body[58 - 36] = 20;
  DesignFile d(2);
  d.add(text2(2, 2, 0, "ABCDEFGHIJK", 4)).add(text2(2, 2, 0, "ABCDEFGHIJKL", 3));  // no font 4 row
  d.add(text2(2, 2, 0, std::string(20, 'Z'))).add(cut);
  Bytes last = textRec("BYSYMB", {1000, 2000, 0, 2800, 2300, 0, 300, 0, 0}, kO, "ABCDEF");
  for (size_t i = 67; i < 72; ++i) last[i] = 'Z';
  EXPECT_TRUE(sameBytes(
      concat(
          {textRec("BYSYMB", {1000, 2000, 0, 4300, 2300, 0, 300, 0, 0}, kO, "ABCDEFGHIJK"),
           textRec("BYNAME", {1000, 2000, 0, 4600, 2300, 0, 300, 0, 0}, kO, "ABCDEFGHIJKL"),
           textRec("BYSYMB", {1000, 2000, 0, 7000, 2300, 0, 300, 0, 0}, kO, std::string(20, 'Z')),
           last}),
      convert(d, kTable).bin));
}

// The node writes nothing; its items come first in each of its texts only.
TEST(TextTranslator, TextNodeItemsComeFirstInEachText) {
  DesignFile d(2);
  d.add(withLinkages(textNode(), {linkage1007(11, 111), linkage1007(12, 222)}))
      .add(asComponent(withItem(text2(2, 2, 0, "ABC"), 21, 333)))
      .add(asComponent(withItem(text2(2, 2, 0, "DEF"), 22, 444)))
      .add(withItem(text2(2, 2, 0, "GHI"), 23, 555));
  const Box box = {1000, 2000, 0, 1900, 2300, 0, 300, 0, 0};
  const ExpectItem n1{11, 111, ""}, n2{12, 222, ""};
  EXPECT_TRUE(sameBytes(concat({textRec("BYSYMB", box, kO, "ABC", {n1, n2, {21, 333, ""}}),
                                textRec("BYSYMB", box, kO, "DEF", {n1, n2, {22, 444, ""}}),
                                textRec("BYSYMB", box, kO, "GHI", {{23, 555, ""}})}),
                        convert(d, kTable).bin));
}

// trasUTM "nan": every Y is NaN and written as 0; at angle 0 D stays 600, at
// 90 degrees the foot (Ox, My) is NaN and so is the whole point.
TEST(TextTranslator, NanUtmShiftWritesZeroForWhatIsNotANumber) {
  DesignFile d(2);
  d.add(worked(2, 7)).add(ranged(text2(2, 7, k90), 650, 2000, 1100, 3200));
  EXPECT_TRUE(sameBytes(concat({abc({1600, 0, 0, 2500, 300, 0, 300, 8, 0}, {1600, 0, 0}),
                                abc({-300, 0, 0, 0, 899, 0, 300, 8, 9000}, {0, 0, 0})}),
                        convert(d, kTable, "1 0 0 0 nan 0").bin));
}

// cosA = m0, sinA = m3; A = arccos m0, or 360 degrees less it when m3 < 0.
TEST(TextTranslator3D, AngleFromTheQuaternionMatrix) {
  // m0 0.7347586, m3 -0.6782769: field 31728, D 500.228, point (1469.30, 1770.92).
  const Rotation turned = {2000000000, 0, 0, 782000000};
  // 90 degrees about x, rounded: m0 = 1.0000000009, clamped to give A = 0.
  const Rotation aboutX = {1518500250, 1518500250, 0, 0};
  DesignFile d(3);
  d.add(ranged(text3(2, 7, turned, 1000, 2000, 500), 1000, 1500, 1900, 2000, 500))
      .add(ranged(text3(2, 7, aboutX, 1000, 2000, 500), 1000, 1900, 2200, 2350, 500));
  EXPECT_TRUE(
      sameBytes(concat({abc({1469, 1159, 500, 2333, 1990, 500, 300, 8, 31728}, {1469, 1770, 500}),
                        abc({1600, 2150, 500, 2500, 2450, 500, 300, 8, 0}, {1600, 2150, 500})}),
                convert(d, kTable).bin));
}
