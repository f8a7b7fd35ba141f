// The element loop end to end: where it ends (end marker, end of file,
// truncated element), deleted elements, and the range limit.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "LIN001  1 0 0 0 0 0 \"\" 1 0\nLIN002  2 0 0 0 0 0 \"\" 1 0\n";

Element ln(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return line(2, x1, y1, 0, x2, y2, 0); }
}  // namespace

TEST(ElementStream, EndsAndTruncations) {
  // A line; a deleted line on level 7 (no row) with an item, not looked up;
  // a line with first byte FF (a component before any header, skipped), not
  // an end marker; a line on level 2. 1536 + 52 + 68 + 52 + 52 = 1760 bytes.
  Element gone = onLevel(withItem(ln(50, 60, 70, 80), 9, 9), 7);
  gone.deletedBit = true;
  Bytes ff = encodeElement(ln(1, 2, 3, 4));
  ff[0] = 0xFF;
  DesignFile d(2);
  d.add(ln(100, 200, 300, 400)).add(gone).addRaw(ff).add(onLevel(ln(10, 20, 30, 40), 2));
  const Bytes records = concat({binPointRecord("LIN001", {{100, 200, 0}, {300, 400, 0}}, {}),
                                binPointRecord("LIN002", {{10, 20, 0}, {30, 40, 0}}, {})});
  Bytes shortBody = encodeElement(ln(1, 2, 3, 4));
  shortBody.resize(shortBody.size() - 2);
  const std::string cut = "ERROR Fichero DGN truncado en el byte 1760";
  const struct {
    const char* what;
    Bytes design;
    int exit;
    std::string consoleEnd;
  } cases[] = {
      {"end marker FF FF", d.bytes(true), 0, kConsoleEnd},
      {"end of file at an element boundary", d.bytes(false), 0, ""},
      {"FF FF and one byte more", concat({d.bytes(true), {0x07}}), 0, kConsoleEnd},
      {"a line behind the end marker", concat({d.bytes(true), encodeElement(ln(1, 1, 2, 2))}), 0,
       kConsoleEnd},
      {"head of 1 byte", concat({d.bytes(false), {0x00}}), 1, cut + "\n"},
      {"head of 3 bytes", concat({d.bytes(false), {0x00, 0x03, 0x18}}), 1, cut + "\n"},
      {"head FF 00", concat({d.bytes(false), {0xFF, 0x00}}), 1, cut + "\n"},
      {"body 2 bytes short", concat({d.bytes(false), shortBody}), 1, cut + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Conversion r = convertBytes(c.design, kTable);
    EXPECT_EQ(r.exitStatus, c.exit);
    EXPECT_TRUE(sameBytes(records, r.bin));
    EXPECT_EQ(r.console, consoleStart(2) + c.consoleEnd);
    EXPECT_EQ(r.errorFile, kErrorHeader + (c.exit ? cut + "\r\n" : ""));
  }
}

// Factor 10 with 1000 units per master unit: 500000000 transforms to 5e9,
// beyond 2^32; the message divides by 1000.
TEST(ElementStream, RangeLimit) {
  const std::string max = "\r\n Valor M\xE1ximo=4294967.296\r\n";
  const std::string low =
      "L\xEDmite excedido en rango bajo: (5000000.000,      0.200,      0.000)." + max;
  Element both = ln(10, 20, 30, 40), highZ = both, node = textNode(), gone = both;
  setRange(both, 500000000, 20, 0, 600000000, 40, 0);
  setRange(highZ, 10, 20, 0, 30, 40, 500000000);
  setRange(node, 500000000, 500000000, 0, 600000000, 600000000, 0);
  setRange(gone, 500000000, 20, 0, 600000000, 40, 0);
  gone.deletedBit = true;
  // The message when the run stops there; none when it goes on.
  const struct {
    const char* what;
    std::vector<Element> middle;
    std::string error;
  } cases[] = {
      {"both corners beyond: only the low one reported", {both}, low},
      {"high z beyond in a 2D file",
       {highZ},
       "L\xEDmite excedido en rango alto: (     0.300,      0.400, 5000000.000)." + max},
      {"a component then skipped is still tested", {asComponent(both)}, low},
      {"a text node and a deleted line are not tested", {node, gone}, ""},
  };
  const Bytes first = binPointRecord("LIN001", {{1000, 2000, 0}, {3000, 4000, 0}}, {});
  const Bytes next = binPointRecord("LIN001", {{10, 20, 0}, {30, 40, 0}}, {});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DesignFile d(2);
    d.units(10, 100).add(ln(100, 200, 300, 400));
    for (const Element& e : c.middle) d.add(e);
    const Conversion r = convert(d.add(ln(1, 2, 3, 4)), kTable, "10 0 0 0 0 0");
    const bool stops = !c.error.empty();
    EXPECT_EQ(r.exitStatus, stops ? 1 : 0);
    EXPECT_TRUE(sameBytes(stops ? first : concat({first, next}), r.bin));
    EXPECT_EQ(r.errorFile, kErrorHeader + c.error);
    EXPECT_EQ(r.console, consoleStart(2) + (stops ? "" : kConsoleEnd));
  }
  // An origin shift of 2147483649 - 21 x 2^-21 takes the high x 2147483647
  // to 2^32 - 21 x 2^-21, which the added 0.00001 rounds to exactly 2^32.
  DesignFile d(2);
  d.origin(-(2147483649.0 - 21.0 / 2097152.0), 0.0, 0.0);
  Element edge = ln(-2147483648 + 1000, 10, -2147483648 + 3000, 30);
  setRange(edge, -2147483648 + 1000, 10, 0, 2147483647, 30, 0);
  const Conversion r = convert(d.add(edge), kTable);
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {{1000, 10, 0}, {3000, 30, 0}}, {}), r.bin));
}
