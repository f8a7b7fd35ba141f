// Byte encoders for the numbers of a DGN design file, used to build test
// input by hand. Every function appends to the end of the given buffer.
#ifndef DGNTEST_DGN_ENCODE_H
#define DGNTEST_DGN_ENCODE_H

#include <cstdint>
#include <vector>

namespace dgntest {

using Bytes = std::vector<uint8_t>;

// A 16-bit word, little-endian.
void putU16(Bytes& b, uint16_t w);

// A 32-bit little-endian integer (the byte order of the BIN file, not DGN).
void putI32Le(Bytes& b, int32_t v);

// A DGN 32-bit integer: two little-endian 16-bit words, the high word first.
// 65536 -> 01 00 00 00, 1 -> 00 00 01 00, -2 -> FF FF FE FF.
void putI32Dgn(Bytes& b, int32_t v);
void putU32Dgn(Bytes& b, uint32_t v);

// VAX D-float: four little-endian words. W0 holds the sign (bit 15), the
// excess-128 exponent (bits 14-7) and the top 7 fraction bits; W1..W3 the
// next 48 fraction bits. The 52 IEEE fraction bits fill the top of the 55
// VAX fraction bits, so the lowest three bits are always 0. Zero encodes as
// eight zero bytes. Values outside the VAX exponent range (and NaN,
// infinities, IEEE denormals) throw std::invalid_argument.
void putVaxD(Bytes& b, double v);

// VAX F-float: W0 as for D, W1 the next 16 fraction bits.
void putVaxF(Bytes& b, float v);

// Radix-50 word of three characters: 1600*d1 + 40*d2 + d3 with blank 0,
// A-Z 1-26, '$' 27, '.' 28, 0-9 30-39. Lower-case letters are taken as
// upper case; a shorter string is padded with blanks. Any other character
// throws std::invalid_argument.
uint16_t radix50Word(const char* three);

}  // namespace dgntest

#endif
