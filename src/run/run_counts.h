// What one run did, counted as it goes, for the few lines of summary on
// standard error at its end.
#ifndef DGNBIN_RUN_RUN_COUNTS_H_
#define DGNBIN_RUN_RUN_COUNTS_H_

#include <stdint.h>
#include <time.h>

// Distinct keys in fixed memory; past its capacity it only says so.
class DistinctKeys {
 public:
  static const int kCapacity = 1 << 15;
  DistinctKeys();
  ~DistinctKeys();
  DistinctKeys(const DistinctKeys&) = delete;
  DistinctKeys& operator=(const DistinctKeys&) = delete;
  void add(uint64_t key);
  long long count() const { return count_; }
  bool full() const { return count_ >= kCapacity; }

 private:
  static const int kSlots = 2 * kCapacity;
  uint64_t* slots_;  // 0 marks a free slot; a key of 0 is stored as 1
  long long count_;
};

struct RunCounts {
  bool loopReached;
  double started;  // secondsNow() at the start
  long long elementsByType[128];
  long long deleted;
  long long skippedComponents;
  long long untranslated;
  long long unwrittenLines;  // components that the complex mode neither writes nor joins
  long long records;
  long long joinedRecords;
  long long misses;
  long long wrappingElements;  // with coordinates beyond 32 bits
};

// A key for the symbology of a miss line: its seven fields.
uint64_t symbologyKey(int level, int style, int colour, int weight, int font, int group,
                      const char* name);

#endif  // DGNBIN_RUN_RUN_COUNTS_H_
