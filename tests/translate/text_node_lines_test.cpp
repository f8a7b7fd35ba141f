// Lines inside a text node: written on their own with the node's items in
// front of theirs in every mode that writes lines, and never joined.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

TEST(TextNodeLines, WrittenInModesZeroToTwoAndNeverJoined) {
  DesignFile d(2);
  d.add(withItem(textNode(), 104, 5))
      .add(asComponent(withItem(line(2, 5, 6, 0, 7, 8, 0), 101, 2)))
      .add(asComponent(lineString(2, {{7, 8, 0}, {9, 10, 0}, {11, 8, 0}})))
      .add(onLevel(line(2, 1, 2, 0, 3, 4, 0), 2));
  const char table[] = "LIN001 1 0 0 0 0 0 \"\" 1 0\nLIN002 2 0 0 0 0 0 \"\" 1 0\n";
  const Bytes last = binPointRecord("LIN002", {{1, 2, 0}, {3, 4, 0}}, {});
  const Bytes all =
      concat({binPointRecord("LIN001", {{5, 6, 0}, {7, 8, 0}}, {{104, 5, ""}, {101, 2, ""}}),
              binPointRecord("LIN001", {{7, 8, 0}, {9, 10, 0}, {11, 8, 0}}, {{104, 5, ""}}), last});
  for (int mode : {0, 1, 2, 3}) {
    SCOPED_TRACE(mode);
    const Conversion c = convert(d, table, settings(0, 0, mode));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(mode == 3 ? last : all, c.bin));
    EXPECT_EQ(c.errorFile, kErrorHeader);
  }
}
