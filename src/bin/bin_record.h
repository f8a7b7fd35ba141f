// The BIN file's record, written down once: a plain sequence of these records,
// little-endian, no file header. A record is the 12-byte header, the 36-byte
// box, n points of 12 bytes and m items of 12 bytes.
#ifndef DGNBIN_BIN_BIN_RECORD_H_
#define DGNBIN_BIN_BIN_RECORD_H_

#include <stdint.h>

// 12 bytes, written to the BIN file as they lie in memory.
struct RecordHeader {
  char kind;            // 'C' geometry, 'T' text
  char equals;          // always '='
  char code[7];         // KELO code, NUL-terminated, at most 6 characters
  uint8_t itemCount;    // m
  uint16_t pointCount;  // n
};
static_assert(sizeof(RecordHeader) == 12, "record header is 12 bytes");

// 36 bytes: the extent and, for text records, the three text fields.
struct RecordBox {
  int32_t lowX, lowY, lowZ;
  int32_t highX, highY, highZ;
  int32_t textHeight;
  int32_t textJustification;  // 0 to 8
  int32_t textAngle;          // hundredths of a degree
};
static_assert(sizeof(RecordBox) == 36, "record box is 36 bytes");

struct Point {
  int32_t x, y, z;
};
static_assert(sizeof(Point) == 12, "a point is 12 bytes");

// In memory 16 bytes; the BIN file carries the first 12 (code, value, six
// text bytes).
struct AttributeItem {
  int16_t code;
  int32_t value;
  char text[8];
};
static_assert(sizeof(AttributeItem) == 16, "an item is 16 bytes in memory");

const int kRecordHeadBytes = sizeof(RecordHeader) + sizeof(RecordBox);  // 48
const int kPointBytes = 12;
const int kItemBytes = 12;
const int kItemTextBytes = 6;

const int kMaxPoints = 5000;
const int kItemSlots = 256;
const int kMaxItems = 255;  // the item count is one byte

#endif  // DGNBIN_BIN_BIN_RECORD_H_
