#include "table/lookup_index.h"

#include <string.h>

static unsigned char foldLetter(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 32) : u;
}

// Names match byte for byte, with only the letters A to Z folded.
static bool sameName(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char ca = foldLetter(*a), cb = foldLetter(*b);
    if (ca != cb) return false;
    if (ca == '\0') return true;
  }
}

bool rowMatches(const CodeTableRow& row, const CodeTableRow& key, int mode) {
  switch (mode) {
    case kBySymbology:
      return row.level == key.level && row.style == key.style && row.colour == key.colour &&
             row.weight == key.weight;
    case kByGraphicGroup:
      return row.graphicGroup == key.graphicGroup;
    case kByName:
      return sameName(row.name, key.name);
    case kByFontAndName:
      return row.font == key.font && sameName(row.name, key.name);
    default:
      return false;
  }
}

static uint64_t u16(int16_t value) { return static_cast<uint16_t>(value); }

// Rows that match give the same hash: the 16-bit fields the mode compares,
// and the name as it compares, folded and up to its terminator.
static uint64_t keyHash(const CodeTableRow& key, int mode) {
  uint64_t h;
  switch (mode) {
    case kBySymbology:
      h = u16(key.level) | u16(key.style) << 16 | u16(key.colour) << 32 | u16(key.weight) << 48;
      break;
    case kByGraphicGroup:
      h = u16(key.graphicGroup);
      break;
    default:
      h = mode == kByFontAndName ? u16(key.font) : 0;
      for (size_t i = 0; i < sizeof key.name && key.name[i] != '\0'; ++i) {
        h = (h ^ foldLetter(key.name[i])) * 0x100000001B3ull;
      }
      break;
  }
  return h * 0x9E3779B97F4A7C15ull;
}

LookupIndex::LookupIndex() : rows_(NULL), count_(0) { memset(slots_, 0xFF, sizeof slots_); }

void LookupIndex::build(const CodeTableRow* rows, int count) {
  rows_ = rows;
  count_ = count;
  memset(slots_, 0xFF, sizeof slots_);
  for (int mode = 0; mode < kModes; ++mode) {
    int16_t* slots = slots_[mode];
    for (int i = 0; i < count; ++i) {
      // A key already taken keeps its earlier row.
      unsigned s = static_cast<unsigned>(keyHash(rows[i], mode) >> (64 - kSlotBits));
      while (slots[s] >= 0 && !rowMatches(rows[slots[s]], rows[i], mode)) s = (s + 1) % kSlots;
      if (slots[s] < 0) slots[s] = static_cast<int16_t>(i);
    }
  }
}

int LookupIndex::find(const CodeTableRow& key, int mode) const {
  if (mode < 0 || mode >= kModes) return -1;
  const int16_t* slots = slots_[mode];
  for (unsigned s = static_cast<unsigned>(keyHash(key, mode) >> (64 - kSlotBits)); slots[s] >= 0;
       s = (s + 1) % kSlots) {
    if (rowMatches(rows_[slots[s]], key, mode)) return slots[s];
  }
  return -1;
}
