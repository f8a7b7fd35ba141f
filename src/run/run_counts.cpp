#include "run/run_counts.h"

#include <stddef.h>

DistinctKeys::DistinctKeys() : slots_(NULL), count_(0) {}

DistinctKeys::~DistinctKeys() { delete[] slots_; }

// Open addressing at half load at most: a probe ends at the key or a free slot.
void DistinctKeys::add(uint64_t key) {
  if (full()) return;
  if (slots_ == NULL) slots_ = new uint64_t[kSlots]();  // at the first miss
  if (key == 0) key = 1;
  for (uint64_t i = key % kSlots;; i = (i + 1) % kSlots) {
    if (slots_[i] == key) return;
    if (slots_[i] == 0) {
      slots_[i] = key;
      ++count_;
      return;
    }
  }
}

uint64_t symbologyKey(int level, int style, int colour, int weight, int font, int group,
                      const char* name) {
  // FNV-1a over the fields and the name.
  uint64_t h = 14695981039346656037ull;
  const int fields[6] = {level, style, colour, weight, font, group};
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(fields);
  for (size_t i = 0; i < sizeof fields; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  for (const char* p = name; *p != '\0'; ++p)
    h = (h ^ static_cast<unsigned char>(*p)) * 1099511628211ull;
  return h;
}
