// The design file's number formats: 32-bit integers stored high word first,
// VAX D and F floats, rotation quaternions and matrices, Radix-50 names.
// All conversions assume a little-endian host.
#ifndef DGNBIN_DGN_ENCODINGS_H_
#define DGNBIN_DGN_ENCODINGS_H_

#include <stdint.h>

// Exchanges the two 16-bit halves of each of `count` 32-bit words in place.
void swapWordHalves(void* words, int16_t count);

// Turns the 8 bytes of a VAX D-float into an IEEE double in place; returns
// the same bytes. The three lowest fraction bits are dropped.
void* vaxDToDouble(void* bytes);

// Reads 4 bytes of a VAX F-float as an IEEE single.
float vaxFToFloat(const void* bytes);

// Rotation matrix m0..m8 of a quaternion whose components are scaled by
// 2^31 - 1.
void quaternionToMatrix(const int32_t* q, double* m);

// Writes the Radix-50 character of `code` to `out`; codes without a
// character write a blank.
void radix50Char(unsigned code, char* out);
void radix50Word(uint16_t word, char* out1, char* out2, char* out3);

// Reads little-endian values from element bytes that may be unaligned.
uint16_t readU16(const uint8_t* bytes);
int32_t readI32(const uint8_t* bytes);
double readDouble(const uint8_t* bytes);

#endif  // DGNBIN_DGN_ENCODINGS_H_
