// BIN records as tests expect them, built by hand, and the BIN file read back
// record by record.
#ifndef DGNTEST_BIN_EXPECT_H
#define DGNTEST_BIN_EXPECT_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dgn_builder.h"

namespace dgntest {

struct ExpectItem {
  int16_t code;
  int32_t value;
  std::string text;  // only its first 6 bytes reach the file
};
using Box = std::array<int32_t, 9>;  // low x y z, high x y z, height, justification, angle

// A "C" record: the code NUL-padded to 7 bytes, the counts, the box of the
// points, the three text fields (zero unless given), the points, the items.
Bytes binPointRecord(const std::string& code, const std::vector<Point3>& pts,
                     const std::vector<ExpectItem>& items, const Box* textFields = nullptr);
// A "T" record: the box as given, the insertion point, then the text and its
// terminator NUL-padded to the end of its last 12-byte slot (text.size() / 12
// + 2 slots in all).
Bytes binTextRecord(const std::string& code, const Box& box, const Point3& insertion,
                    const std::string& text, const std::vector<ExpectItem>& items = {});

// A BIN file read back with the BIN reader; an impossible record fails the
// test.
struct BinRecord {
  char kind;
  std::string code;
  Box box;
  std::vector<Point3> points;  // "T" records: the insertion point only
  std::string text;
  std::vector<ExpectItem> items;
};
std::vector<BinRecord> parseBin(const Bytes& bin);

}  // namespace dgntest

#endif
