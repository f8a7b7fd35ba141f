// The design file's number formats: 32-bit integers stored high word first,
// VAX D and F floats, rotation quaternions and matrices, Radix-50 names.
// Every conversion reads its bytes and leaves them as they are; all assume a
// little-endian host.
#ifndef DGNBIN_DGN_ENCODINGS_H_
#define DGNBIN_DGN_ENCODINGS_H_

#include <stdint.h>
#include <string.h>

// Little-endian values from bytes that may be unaligned.
inline uint16_t readU16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline int32_t readI32(const uint8_t* bytes) {
  return static_cast<int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                              (static_cast<uint32_t>(bytes[3]) << 24));
}

// A DGN 32-bit integer: two little-endian words, the high-order word first.
// Read as one 32-bit value whose halves change places: a vertex read is two
// instructions.
inline int32_t dgnInt32(const uint8_t* bytes) {
  uint32_t v;
  memcpy(&v, bytes, 4);
  return static_cast<int32_t>((v << 16) | (v >> 16));
}

// The 8 bytes of a VAX D-float as an IEEE double; the three lowest fraction
// bits are dropped.
double vaxDToDouble(const uint8_t* bytes);

// The 4 bytes of a VAX F-float as an IEEE single.
float vaxFToFloat(const uint8_t* bytes);

// Rotation matrix m0..m8 of a quaternion whose components are scaled by
// 2^31 - 1.
void quaternionToMatrix(const int32_t* q, double* m);

// Writes the Radix-50 character of `code` to `out`; codes without a
// character write a blank.
void radix50Char(unsigned code, char* out);
void radix50Word(uint16_t word, char* out1, char* out2, char* out3);

#endif  // DGNBIN_DGN_ENCODINGS_H_
