// The BIN bytes of one record written out by hand, the independent check of
// the expected records that every other test builds.
#include <gtest/gtest.h>

#include <string>

#include "support/conversion.h"

using namespace dgntest;

static Bytes hex(const char* s) {
  Bytes b;
  for (; *s; ++s)
    if (*s != ' ') b.push_back(static_cast<uint8_t>(std::stoul(std::string(s++, 2), 0, 16)));
  return b;
}

// A line from (1000, 2000) to (1500, 2500) with the three items of an 0x1013
// linkage and an item of code 2 whose text of seven figures reaches the file
// as six.
TEST(RecordWriter, OneRecordByteForByte) {
  DesignFile d(2);
  d.add(withLinkages(line(2, 1000, 2000, 0, 1500, 2500, 0),
                     {linkage1013(0, 65535, 7, 0.0f, 9), linkage1007(2, 1234567)}));
  const Bytes expected =
      hex("43 3D 30 30 31 31 30 36 00 04 02 00  E8 03 00 00 D0 07 00 00 00 00 00 00"
          "DC 05 00 00 C4 09 00 00 00 00 00 00  00 00 00 00 00 00 00 00 00 00 00 00"
          "E8 03 00 00 D0 07 00 00 00 00 00 00  DC 05 00 00 C4 09 00 00 00 00 00 00"
          "01 7D 07 00 00 00 00 00 00 00 00 00  02 7D 00 00 00 00 36 35 35 33 35 00"
          "03 7D 09 00 00 00 30 00 00 00 00 00  01 00 00 00 00 00 31 32 33 34 35 36");
  EXPECT_TRUE(sameBytes(expected, convert(d, "001106 1 0 0 0 0 0 \"\" 1 0\n").bin));
  EXPECT_TRUE(sameBytes(
      binPointRecord("001106", {{1000, 2000, 0}, {1500, 2500, 0}},
                     {{32001, 7, ""}, {32002, 0, "65535"}, {32003, 9, "0"}, {1, 0, "1234567"}}),
      expected));
  // The reader gives it back field for field.
  const std::vector<BinRecord> got = parseBin(expected);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, "001106");
  EXPECT_EQ(got[0].box, (Box{1000, 2000, 0, 1500, 2500, 0, 0, 0, 0}));
  EXPECT_EQ(got[0].points, (std::vector<Point3>{{1000, 2000, 0}, {1500, 2500, 0}}));
  ASSERT_EQ(got[0].items.size(), 4u);
  EXPECT_EQ(got[0].items[3].text, "123456");
  EXPECT_EQ(got[0].items[1].value, 0);
}
