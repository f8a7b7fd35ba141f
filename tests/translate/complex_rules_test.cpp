// Complex chains, complex shapes, text nodes and cells end to end: which
// components are written, with whose items, and the joined record by mode.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] =
    "LIN001 1 0 0 0 0 0 \"\" 1 0\nLIN002 2 0 0 0 0 0 \"\" 1 0\nCHN005 5 1 2 3 0 0 \"\" 1 0\n"
    "GRP007 63 7 255 31 0 7 \"\" 1 0\n";

Element ln(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return line(2, x1, y1, 0, x2, y2, 0); }
Element ls(const std::vector<Point3>& pts) { return lineString(2, pts); }
Element chainHeader(int level = 5, int type = 12, uint16_t count = 0) {
  return withSymbology(complexHeader(type, count), level, 1, 2, 3);
}
Bytes rec(const char* code, const std::vector<Point3>& pts,
          const std::vector<ExpectItem>& items = {}) {
  return binPointRecord(code, pts, items);
}

const Point3 A = {100, 100, 0}, B = {200, 100, 0}, C = {200, 300, 0}, D = {100, 300, 0};
const ExpectItem H{100, 1, ""}, OWN1{101, 2, ""}, OWN2{102, 3, ""}, OWN3{103, 4, ""};

// Header with item H, components A->B and B->C with one item each.
DesignFile chain(int headerLevel = 5) {
  DesignFile d(2);
  d.add(withItem(chainHeader(headerLevel), 100, 1))
      .add(asComponent(withItem(ln(100, 100, 200, 100), 101, 2)))
      .add(asComponent(withItem(ln(200, 100, 200, 300), 102, 3)));
  return d;
}
const Bytes kFirst = rec("LIN001", {A, B}, {H, OWN1}), kSecond = rec("LIN001", {B, C}, {H, OWN2});
const Bytes kChain = rec("CHN005", {A, B, C}, {H});
}  // namespace

// The worked chain by mode (its header looked up in modes 1 and 2 only, here
// without a row); every end of the loop writes a pending chain; after an
// untranslated element ends a chain, a component has its own items only; a
// nested header writes the pending chain first; a decomposed cell lets its
// lines through with their own items; a text node does not take the pending
// chain's items, and joins nothing itself.
TEST(ComplexRules, ModesEndsAndAdmission) {
  DesignFile worked = chain(9), untranslated = chain(), nested(2), cell(2), node = chain();
  worked.add(onLevel(withItem(ln(1, 2, 3, 4), 103, 4), 2));
  Element other = textNode();
  other.type = 5;
  untranslated.add(other).add(asComponent(withItem(ln(5, 6, 7, 8), 104, 5)));
  nested.add(withItem(chainHeader(), 100, 1))
      .add(asComponent(withItem(ln(100, 100, 200, 100), 101, 2)))
      .add(asComponent(onLevel(withItem(complexHeader(12), 200, 5), 2)))
      .add(asComponent(withItem(ln(400, 500, 600, 700), 102, 3)));
  cell.add(withItem(cellHeader(2, "ABC", {214748, 0, 0, 214748}, {500, 500, 0}), 300, 1))
      .add(asComponent(withItem(ln(100, 100, 200, 100), 101, 2)))
      .add(asComponent(ln(200, 100, 200, 300)))
      .add(ln(1, 2, 3, 4));
  node.add(asComponent(withItem(textNode(), 104, 5))).add(asComponent(ln(5, 6, 7, 8)));
  const Bytes last = rec("LIN002", {{1, 2, 0}, {3, 4, 0}}, {{103, 4, ""}}),
              records = concat({kFirst, kSecond, kChain});
  const std::string miss = std::string(kErrorHeader) + " 9 1   2 3  0    0 \"\"\r\n";
  const Point3 P = {400, 500, 0}, Q = {600, 700, 0};
  const struct {
    const char* what;
    Bytes design;
    int claveCel, mode;
    Bytes bin;
    std::string end = kConsoleEnd;  // the console after the origin line
    std::string error = kErrorHeader;
  } cases[] = {
      {"mode 0", worked.bytes(), 0, 0, concat({kFirst, kSecond, last})},
      {"mode 1", worked.bytes(), 0, 1,
       concat({kFirst, kSecond, rec("nuevo", {A, B, C}, {H}), last}), kConsoleEnd, miss},
      {"mode 2", worked.bytes(), 0, 2, concat({rec("nuevo", {A, B, C}, {H}), last}), kConsoleEnd,
       miss},
      {"mode 3 writes no lines", worked.bytes(), 0, 3, last},
      {"end marker", chain().bytes(true), 0, 1, records},
      {"end of file", chain().bytes(false), 0, 1, records, ""},
      {"truncated", concat({chain().bytes(false), {0x00, 0x03, 0x18}}), 0, 1, records,
       "ERROR Fichero DGN truncado en el byte 1728\n",
       std::string(kErrorHeader) + "ERROR Fichero DGN truncado en el byte 1728\r\n"},
      {"type 5", untranslated.bytes(), 0, 1,
       concat({records, rec("LIN001", {{5, 6, 0}, {7, 8, 0}}, {{104, 5, ""}})})},
      {"nested", nested.bytes(), 0, 1,
       concat({kFirst, rec("CHN005", {A, B}, {H}), rec("LIN001", {P, Q}, {{200, 5, ""}, OWN2}),
               rec("LIN002", {P, Q}, {{200, 5, ""}})})},
      {"clave_cel 1", cell.bytes(), 1, 1,
       concat({rec("LIN001", {A, B}, {OWN1}), rec("LIN001", {B, C}),
               rec("LIN001", {{1, 2, 0}, {3, 4, 0}})})},
      {"text node", node.bytes(), 0, 1,
       concat({records, rec("LIN001", {{5, 6, 0}, {7, 8, 0}}, {{104, 5, ""}})})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Conversion r = convertBytes(c.design, kTable, settings(c.claveCel, 0, c.mode));
    EXPECT_EQ(r.exitStatus, c.end.find("ERROR") == 0 ? 1 : 0);
    EXPECT_TRUE(sameBytes(c.bin, r.bin));
    EXPECT_EQ(r.console, consoleStart(2) + c.end);
    EXPECT_EQ(r.errorFile, c.error);
  }
}

// A cell holding a polygon with a hole, as GDAL writes one: the ring is a
// complex shape of two components (a deleted one between them does not
// count), the hole a shape with the complex bit. The ring ends at its count:
// the hole keeps its own record and items, the joined record only the ring.
TEST(ComplexRules, ComponentCountEndsTheElement) {
  Element gone = asComponent(ls({{9, 9, 0}, {8, 8, 0}}));
  gone.deletedBit = true;
  const std::vector<Point3> hole = {{120, 120, 0}, {150, 120, 0}, {150, 150, 0}, {120, 120, 0}};
  DesignFile d(2);
  d.add(cellHeader(2, "HUECO", {214748, 0, 0, 214748}, {0, 0, 0}))
      .add(asComponent(withItem(chainHeader(5, 14, 2), 100, 1)))
      .add(asComponent(withItem(ls({A, B, C}), 101, 2)))
      .add(gone)
      .add(asComponent(withItem(ls({C, D, A}), 102, 3)))
      .add(asComponent(withItem(onLevel(shape(2, hole), 2), 103, 4)))
      .add(ln(1, 2, 3, 4));
  const Bytes ring1 = rec("LIN001", {A, B, C}, {H, OWN1}),
              ring2 = rec("LIN001", {C, D, A}, {H, OWN2});
  const Bytes joined = rec("CHN005", {A, B, C, D, A}, {H});
  const Bytes tail = concat({rec("LIN002", hole, {OWN3}), rec("LIN001", {{1, 2, 0}, {3, 4, 0}})});
  EXPECT_TRUE(sameBytes(concat({ring1, ring2, tail}), convert(d, kTable, settings(1, 0, 0)).bin));
  EXPECT_TRUE(
      sameBytes(concat({ring1, ring2, joined, tail}), convert(d, kTable, settings(1, 0, 1)).bin));
  EXPECT_TRUE(sameBytes(concat({joined, tail}), convert(d, kTable, settings(1, 0, 2)).bin));

  // A text node of one text inside a decomposed cell: its sibling text has
  // its own item only.
  DesignFile texts(2);
  texts.add(cellHeader(2, "T", {214748, 0, 0, 214748}, {0, 0, 0}))
      .add(asComponent(withItem(textNode(1), 11, 111)));
  for (int i = 0; i < 2; ++i) {
    texts.add(asComponent(withItem(text(2, 1, 2, 50000, {0}, {1000, 2000, 0}, "AB"), 21 + i, i)));
  }
  const std::vector<BinRecord> got = parseBin(convert(texts, kTable, settings(1, 0, 1)).bin);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].items.size(), 2u);
  ASSERT_EQ(got[1].items.size(), 1u);
  EXPECT_EQ(got[1].items[0].code, 22);
}

// Mode 1 with clave_gg 1: lines are coded by graphic group (0 is LIN001's),
// the chain by its header's level, style, colour and weight. A stand-alone
// line's points are dropped with the next element; a one-point component
// adds nothing; a later component adds only its end. A line string that
// repeats the last point adds it once; a curve in a chain is written on its
// own with the header's items and adds no points.
TEST(ComplexRules, PointsOfTheJoinedRecord) {
  Element first = asComponent(ln(100, 100, 200, 100)), last = ln(5, 6, 7, 8);
  first.graphicGroup = 7;
  last.graphicGroup = 9;  // no row
  std::vector<Point3> inner;
  for (int i = 0; i < 5; ++i) inner.push_back({300 + 10 * i, 300, 0});
  DesignFile d(2);
  d.add(withItem(ln(1, 2, 3, 4), 7, 7)).add(withItem(chainHeader(), 100, 1)).add(first);
  d.add(asComponent(ln(200, 100, 200, 100))).add(asComponent(ln(900, 900, 200, 300)));
  d.add(asComponent(ls({C, C, D}))).add(asComponent(onLevel(curve(2, inner), 2))).add(last);
  const Conversion c = convert(d, kTable, settings(0, 1, 1));
  EXPECT_TRUE(sameBytes(
      concat({rec("LIN001", {{1, 2, 0}, {3, 4, 0}}, {{7, 7, ""}}), rec("GRP007", {A, B}, {H}),
              rec("LIN001", {B}, {H}), rec("LIN001", {{900, 900, 0}, C}, {H}),
              rec("LIN001", {C, C, D}, {H}), rec("LIN001", {{320, 300, 0}}, {H}),
              rec("CHN005", {A, B, C, D}, {H}), rec("nuevo", {{5, 6, 0}, {7, 8, 0}})}),
      c.bin));
  EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + " 1 0   0 0  0    9 \"\"\r\n");
}

// Chain headers that carry the complex bit themselves, as GDAL writes them,
// open their chain; inside a cell kept whole they are skipped with it.
TEST(ComplexRules, StandAloneHeaderWithTheComplexBit) {
  DesignFile d(2), cell(2);
  d.add(asComponent(chainHeader(5)))
      .add(asComponent(onLevel(ln(0, 0, 100, 0), 2)))
      .add(asComponent(onLevel(ln(100, 0, 100, 50), 2)));
  EXPECT_TRUE(sameBytes(rec("CHN005", {{0, 0, 0}, {100, 0, 0}, {100, 50, 0}}),
                        convert(d, kTable, settings(0, 0, 2)).bin));
  cell.add(cellHeader(2, "POSTE", {214748, 0, 0, 214748}, {700, 800, 0}))
      .add(asComponent(chainHeader(5)))
      .add(asComponent(ln(0, 0, 100, 0)));
  const std::string table = std::string(kTable) + "000009 0 0 0 0 0 0 POSTE 1 0\n";
  EXPECT_TRUE(
      sameBytes(rec("000009", {{700, 800, 0}}), convert(cell, table, settings(0, 0, 1)).bin));
}

// 300 items on a line keep 255; a component's own items after 198 of its
// header's keep 57; a chain of 5001 points keeps 5000. One warning each.
TEST(ComplexRules, ItemAndPointCaps) {
  auto items1003 = [](int linkages, int base, int keep, std::vector<ExpectItem>* kept) {
    Bytes b;
    for (int k = 0; k < linkages; ++k) {
      const Bytes l = linkage1003(base + 3 * k, base + 3 * k + 1, base + 3 * k + 2);
      b.insert(b.end(), l.begin(), l.end());
    }
    for (int v = 0; v < keep; ++v) kept->push_back({int16_t(32765 + v % 3), base + v, ""});
    return b;
  };
  std::vector<ExpectItem> lineItems, mixed;
  std::vector<Point3> points;
  DesignFile many(2), merged(2), longChain(2);
  many.add(withLinkages(ln(100, 100, 200, 100), {items1003(100, 0, 255, &lineItems)}));
  merged.add(withLinkages(chainHeader(), {items1003(66, 0, 198, &mixed)}))
      .add(asComponent(withLinkages(ln(100, 100, 200, 100), {items1003(20, 1000, 57, &mixed)})));
  longChain.add(withItem(chainHeader(), 100, 1));
  for (int i = 0; i < 5000; ++i) {
    longChain.add(asComponent(ln(10 + i, 20 + 2 * i, 11 + i, 22 + 2 * i)));
    points.push_back({10 + i, 20 + 2 * i, 0});
  }
  const struct {
    const DesignFile& d;
    int mode;
    Bytes bin;
  } cases[] = {
      {many, 0, rec("LIN001", {A, B}, lineItems)},
      {merged, 0, rec("LIN001", {A, B}, mixed)},
      {longChain, 2, rec("CHN005", points, {H})},
  };
  for (const auto& c : cases) {
    const Conversion r = convert(c.d, kTable, settings(0, 0, c.mode));
    EXPECT_TRUE(sameBytes(c.bin, r.bin));
    const size_t start = consoleStart(2).size();
    EXPECT_EQ(r.console.substr(start, 6), "AVISO ");
    EXPECT_EQ(r.console.substr(r.console.find('\n', start) + 1), kConsoleEnd);
  }
}
