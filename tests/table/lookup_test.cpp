// Finding each element's row, end to end: the key of each lookup mode, the
// first matching row, the case of names, and the miss lines.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
// A line on level 20 with colour 3 and the given weight and graphic group.
Element key(int weight, uint16_t group = 0) {
  Element e = withSymbology(line(2, 1, 2, 0, 3, 4, 0), 20, 0, 3, weight);
  e.graphicGroup = group;
  return e;
}
Element label(uint8_t font, const std::string& chars) {
  return onLevel(text(2, font, 2, 50000, {0}, {1000, 2000, 0}, chars), 9);
}
}  // namespace

TEST(Lookup, KeysFirstRowsAndMisses) {
  const std::string table =
      "W 20 0 3 1 84 1105 ABC 0 0\n"       // weight 1
      "001106 20 0 3 0 84 1106 1 1.5 0\n"  // the first of two rows for weight 0
      "later 20 0 3 0 85 1106 abc 2.0 0\n"
      "E 0 0 0 0 85 0 \xC9[@ 0 0\n"  // E acute, Latin-1
      "F 0 0 0 0 85 0 \"\" 0 C\n";
  const struct {
    const char* what;
    std::string words;
    Element e;
    const char* code;
  } cases[] = {
      {"symbology", settings(0, 0, 0), key(0, 1105), "001106"},
      {"symbology, weight 1", settings(0, 0, 0), key(1), "W"},
      {"graphic group", settings(0, 1, 0), key(0, 1106), "001106"},
      {"clave_gg 5 acts as 0", settings(0, 5, 0), key(0, 1105), "001106"},
      {"clave_gg -1 matches nothing", settings(0, -1, 0), key(0, 1106), "nuevo"},
      {"font and name, either case", settings(0, 0, 0), label(85, "ABC"), "later"},
      {"empty name (a point: an empty text is no text)", settings(0, 0, 0), label(85, ""), "F"},
      {"A-Z folded only", settings(0, 0, 0), label(85, "\xC9{@"), "nuevo"},
      {"accented letters not folded", settings(0, 0, 0), label(85, "\xE9[@"), "nuevo"},
      {"Latin-1 name", settings(0, 0, 0), label(85, "\xC9[@"), "E"},
      {"no such font", settings(0, 0, 0), label(83, "abc"), "nuevo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DesignFile d(2);
    const std::vector<BinRecord> got = parseBin(convert(d.add(c.e), table, c.words).bin);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].code, c.code);
  }
  // A miss lists the key as it stands: after a hit, the row's font and name;
  // graphic group 65535 as -1; the one-character fields widen.
  DesignFile d(2);
  Element wide = withSymbology(line(2, 1, 2, 0, 3, 4, 0), 5, 2, 255, 31);
  wide.graphicGroup = 65535;
  d.add(key(0)).add(key(2, 7)).add(wide);
  const Conversion c = convert(d, table);
  EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + "20 0   3 2 84    7 \"1\"\r\n" +
                             " 5 2 255 31 84   -1 \"1\"\r\n");
}
