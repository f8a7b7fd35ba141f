// Attribute items from the linkages of stand-alone lines, end to end: each
// linkage kind, the walk over the linkage area and where it stops.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "LIN001  1 0 0 0 0 0 \"\" 1 0\n";

// The first `words` words of a linkage.
Bytes cut(Bytes linkage, size_t words) {
  linkage.resize(2 * words);
  return linkage;
}
}  // namespace

TEST(Linkages, EachKindOnA2DAnd3DLine) {
  const Bytes all[] = {
      linkage1007(5, 131073),                   // words 4, 5 = 1, 2
      linkage1007(7, -1, 0x9007, 24721, 3969),  // the other header and word 1
      linkage1007(8, 8, 0x1007, 24163),         // word 1 wrong: no item
      linkage1007(2, 42), linkage1007(2, -5),   // code 2: code 1, decimal text
      linkage1007(2, 123456789),                // text cut to 7, the file shows 6
      linkage1003(1, 65535, 300), linkage1013(11, 22, 33, 12.34f, 44),
      linkage1013(65535, 65535, 0, -3.25f, 65535),  // unsigned words, sign dropped
      // Zero header: 4 words; low byte 5: 6 words. Each hides a 0x1003
      // header one word in, which a wrong step would find.
      linkageWords({0x0000, 0x1003, 0x0011, 0x0012}),
      linkageWords({0x1005, 0x1003, 0x31, 0x32, 0x33, 0x34}), linkage1007(-3, 70000),
      cut(linkage1013(1, 2, 3, 12.34f, 4), 16)};  // word 16, the last read, is missing
  Bytes joined;
  for (const Bytes& l : all) joined.insert(joined.end(), l.begin(), l.end());
  // Then: code 2 with a long text; no items with the linkage flag clear or
  // with no linkage area; code 2 with a short text, copied as a terminated
  // string into the reused slot, which keeps the rest of the longer one.
  for (int dim : {2, 3}) {
    SCOPED_TRACE(dim);
    const Element l = line(dim, 1, 2, 3, 4, 5, 6);
    Element flagClear = withItem(l, 5, 1), indexAtEnd = flagClear;
    flagClear.propertiesOverride = 0;
    indexAtEnd.attributeIndexOverride = dim == 2 ? 18 : 22;  // words to follow - 14
    DesignFile d(dim);
    d.add(withLinkages(l, {joined}))
        .add(withLinkages(l, {cut(linkage1013(1, 2, 3, 12.34f, 4), 17)}))
        .add(withLinkages(l, {cut(linkage1007(5, 65538), 5)}))  // words 0-5 are read
        .add(withItem(l, 2, 123456))
        .add(flagClear)
        .add(indexAtEnd)
        .add(withItem(l, 2, 9));
    const Conversion c = convert(d, kTable);
    const int32_t z1 = dim == 3 ? 3 : 0, z2 = dim == 3 ? 6 : 0;
    auto record = [&](const std::vector<ExpectItem>& items) {
      return binPointRecord("LIN001", {{1, 2, z1}, {4, 5, z2}}, items);
    };
    EXPECT_TRUE(sameBytes(concat({record({{5, 131073, ""},
                                          {7, -1, ""},
                                          {1, 0, "42"},
                                          {1, 0, "-5"},
                                          {1, 0, "123456"},
                                          {32765, 1, ""},
                                          {32766, 65535, ""},
                                          {32767, 300, ""},
                                          {32001, 33, ""},
                                          {32002, 11, "22"},
                                          {32003, 44, "123"},
                                          {32001, 0, ""},
                                          {32002, 65535, "65535"},
                                          {32003, 65535, "32"},
                                          {-3, 70000, ""}}),
                                  record({{32001, 3, ""}, {32002, 1, "2"}, {32003, 4, "123"}}),
                                  record({}), record({{1, 0, "123456"}}), record({}), record({}),
                                  record({{1, 0,
                                           std::string("9\0"
                                                       "3456",
                                                       6)}})}),
                          c.bin));
    EXPECT_EQ(c.errorFile, kErrorHeader);
    EXPECT_EQ(c.console, consoleStart(dim) + kConsoleEnd);
  }
}

// An attribute index of -12 starts the linkage area at byte 8, inside the
// range block. The walk reads the range block as its 32-bit values are made
// native, low word first: a 0x1003 linkage in the low word of low y, its three
// values in the high word of low y and in low z; high x and high z give zero
// header words, the rest of the element none.
TEST(Linkages, AreaReachingBackIntoTheRangeBlock) {
  Element e = line(2, 0, 0, 0, 0, 0, 0);
  const int32_t bias = INT32_MIN;
  setRange(e, 0, 0x00051003 + bias, 0x00070006 + bias, 0, 0, 0);
  e.attributeIndexOverride = static_cast<uint16_t>(-12);
  e.propertiesOverride = 0x0800;
  DesignFile d(2);
  const Conversion c = convert(d.add(e), kTable);
  EXPECT_TRUE(sameBytes(
      binPointRecord("LIN001", {{0, 0, 0}}, {{32765, 5, ""}, {32766, 6, ""}, {32767, 7, ""}}),
      c.bin));
}
