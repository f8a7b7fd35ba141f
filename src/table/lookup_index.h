// The code table indexed for each lookup mode: for every key, the first row
// that has it, so that a lookup takes the same time whatever the table's
// size and order.
#ifndef DGNBIN_TABLE_LOOKUP_INDEX_H_
#define DGNBIN_TABLE_LOOKUP_INDEX_H_

#include <stdint.h>

#include "table/code_table.h"

// Whether `row` matches `key` under `mode`; no row matches under a mode
// other than those of LookupMode.
bool rowMatches(const CodeTableRow& row, const CodeTableRow& key, int mode);

class LookupIndex {
 public:
  LookupIndex();
  // Indexes the first `count` rows of `rows`, which must stay where they are.
  void build(const CodeTableRow* rows, int count);
  int indexedRows() const { return count_; }
  // The first indexed row that matches `key` under `mode`, or -1.
  int find(const CodeTableRow& key, int mode) const;

 private:
  // Open addressing: a power of two over twice the most rows a table holds.
  static const int kSlotBits = 11;
  static const int kSlots = 1 << kSlotBits;
  static const int kModes = 4;
  static_assert(kSlots >= 2 * kTableRows, "the slots stay at most half full");
  const CodeTableRow* rows_;
  int count_;
  int16_t slots_[kModes][kSlots];  // row numbers, -1 for an empty slot
};

#endif  // DGNBIN_TABLE_LOOKUP_INDEX_H_
