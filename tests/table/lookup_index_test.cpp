// The index of the code table finds what a scan of the rows in table order
// finds, whatever the table's size: the first matching row, or none.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "table/lookup_index.h"

namespace {

int firstMatch(const std::vector<CodeTableRow>& rows, int count, const CodeTableRow& key,
               int mode) {
  for (int i = 0; i < count; ++i) {
    if (rowMatches(rows[i], key, mode)) return i;
  }
  return -1;
}

// Few distinct values, so that keys repeat and collide; names differ in the
// case of A-Z and of a Latin-1 letter, and in length.
CodeTableRow row(unsigned n) {
  static const char* const kNames[] = {"POZO", "pozo", "PoZo ", "\xC9pica", "\xE9pica",
                                       "",     "a",    "ABCDEFGHI", "abcdefghi"};
  CodeTableRow r = {};
  r.level = static_cast<int16_t>(n % 7);
  r.style = static_cast<int16_t>(n / 7 % 3);
  r.colour = static_cast<int16_t>(n % 5 == 0 ? 255 : n % 4);
  r.weight = static_cast<int16_t>(n / 3 % 2);
  r.font = static_cast<int16_t>(n % 3);
  r.graphicGroup = static_cast<int16_t>(n % 11 == 0 ? -1 : n * 37 % 23);
  std::strcpy(r.name, kNames[n * 7 % 9]);
  std::snprintf(r.code, sizeof r.code, "%u", n);
  return r;
}

}  // namespace

TEST(LookupIndex, FindsTheFirstMatchingRowOfAScan) {
  std::vector<CodeTableRow> rows;
  for (unsigned n = 0; n < kTableRows - 1; ++n) rows.push_back(row(n * 2654435761u >> 7));
  LookupIndex index;
  for (int count : {0, 1, 40, kTableRows - 1}) {
    index.build(rows.data(), count);
    ASSERT_EQ(count, index.indexedRows());
    for (unsigned n = 0; n < 3000; ++n) {
      const CodeTableRow key = row(n);
      for (int mode : {-1, 0, 1, 2, 3, 4}) {
        ASSERT_EQ(firstMatch(rows, count, key, mode), index.find(key, mode))
            << "rows " << count << " key " << n << " mode " << mode;
      }
    }
  }
}
