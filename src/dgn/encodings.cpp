#include "dgn/encodings.h"

#include <math.h>
#include <string.h>

double vaxDToDouble(const uint8_t* b) {
  unsigned w0 = readU16(b), w1 = readU16(b + 2), w2 = readU16(b + 4), w3 = readU16(b + 6);
  unsigned e = (w0 >> 7) & 0xFF;
  // VAX excess 128 with a hidden 0.1 becomes IEEE excess 1023 with a hidden
  // 1.; a VAX zero keeps a zero exponent.
  uint64_t exponent = e == 0 ? 0 : e + 894;
  uint64_t sign = (w0 >> 15) & 1;
  uint64_t fraction = (static_cast<uint64_t>(w0 & 0x7F) << 48) | (static_cast<uint64_t>(w1) << 32) |
                      (static_cast<uint64_t>(w2) << 16) | w3;
  uint64_t bits = (sign << 63) | (exponent << 52) | (fraction >> 3);
  double value;
  memcpy(&value, &bits, 8);
  return value;
}

float vaxFToFloat(const uint8_t* b) {
  uint32_t v = (static_cast<uint32_t>(readU16(b)) << 16) | readU16(b + 2);
  uint32_t e = (v >> 23) & 0xFF;
  uint32_t bits = e >= 2 ? (v & 0x807FFFFFu) | ((e - 2) << 23) : v & 0x807FFFFFu;
  float result;
  memcpy(&result, &bits, 4);
  return result;
}

void quaternionToMatrix(const int32_t* q, double* m) {
  const double scale = 1.0 / 2147483647.0;
  double a0 = q[0] * scale, a1 = q[1] * scale, a2 = q[2] * scale, a3 = q[3] * scale;
  m[0] = a0 * a0 + a1 * a1 - a2 * a2 - a3 * a3;
  m[1] = 2 * (a1 * a2 + a0 * a3);
  m[2] = 2 * (a1 * a3 - a0 * a2);
  m[3] = 2 * (a1 * a2 - a0 * a3);
  m[4] = a0 * a0 - a1 * a1 + a2 * a2 - a3 * a3;
  m[5] = 2 * (a2 * a3 + a0 * a1);
  m[6] = 2 * (a0 * a2 + a1 * a3);
  m[7] = 2 * (a2 * a3 - a0 * a1);
  m[8] = a0 * a0 - a1 * a1 - a2 * a2 + a3 * a3;
}

void radix50Char(unsigned code, char* out) {
  code &= 0xFFFF;
  if (code == 0) {
    *out = ' ';
  } else if (code <= 26) {
    *out = static_cast<char>(code + 64);
  } else if (code == 27) {
    *out = '$';
  } else if (code == 28) {
    *out = '.';
  } else if (code >= 30 && code <= 39) {
    *out = static_cast<char>(code + 18);
  } else {
    *out = ' ';  // 29 and 40 up have no character
  }
}

void radix50Word(uint16_t word, char* out1, char* out2, char* out3) {
  unsigned w = word;
  radix50Char(w / 1600, out1);
  radix50Char((w / 40) % 40, out2);
  radix50Char(w % 40, out3);
}
