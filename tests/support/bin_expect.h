// A BIN file read back record by record, for the tests that look into the
// records of drawings they do not hold (the samples).
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
