#include "dgn/encodings.h"

#include <math.h>
#include <string.h>

#include "run/converter.h"

void swapWordHalves(void* words, int16_t count) {
  uint8_t* p = static_cast<uint8_t*>(words);
  for (int i = 0; i < count; ++i, p += 4) {
    uint8_t low0 = p[0], low1 = p[1];
    p[0] = p[2];
    p[1] = p[3];
    p[2] = low0;
    p[3] = low1;
  }
}

uint16_t readU16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

int32_t readI32(const uint8_t* bytes) {
  int32_t value;
  memcpy(&value, bytes, 4);
  return value;
}

double readDouble(const uint8_t* bytes) {
  double value;
  memcpy(&value, bytes, 8);
  return value;
}

static void putU16(uint8_t* bytes, unsigned value) {
  bytes[0] = static_cast<uint8_t>(value & 0xFF);
  bytes[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

void* vaxDToDouble(void* bytes) {
  uint8_t* b = static_cast<uint8_t*>(bytes);
  unsigned w0 = readU16(b), w1 = readU16(b + 2), w2 = readU16(b + 4), w3 = readU16(b + 6);
  unsigned e = (w0 >> 7) & 0xFF;
  // VAX excess 128 with a hidden 0.1 becomes IEEE excess 1023 with a hidden
  // 1.; a VAX zero keeps a zero exponent.
  unsigned exponent = e == 0 ? 0 : e + 894;
  unsigned v3 = (w0 & 0x8000) | ((exponent << 4) & 0x7FF0) | ((w0 >> 3) & 0xF);
  unsigned v2 = ((w0 & 7) << 13) | (w1 >> 3);
  unsigned v1 = ((w1 & 7) << 13) | (w2 >> 3);
  unsigned v0 = ((w2 & 7) << 13) | (w3 >> 3);
  putU16(b, v0);
  putU16(b + 2, v1);
  putU16(b + 4, v2);
  putU16(b + 6, v3);
  return bytes;
}

float vaxFToFloat(const void* bytes) {
  const uint8_t* b = static_cast<const uint8_t*>(bytes);
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

void Converter::matrixAxisScales(const int32_t* values, double* matrix, double* scales) {
  const double scale = 1.0 / 214748.0;
  for (int16_t i = 0; i < dimension * dimension; ++i) matrix[i] = values[i] * scale;
  if (dimension == 2) {
    scales[0] = sqrt(matrix[0] * matrix[0] + matrix[1] * matrix[1]);
    scales[1] = sqrt(matrix[2] * matrix[2] + matrix[3] * matrix[3]);
  } else if (dimension == 3) {
    scales[0] = sqrt(matrix[0] * matrix[0] + matrix[1] * matrix[1] + matrix[2] * matrix[2]);
    scales[1] = sqrt(matrix[3] * matrix[3] + matrix[4] * matrix[4] + matrix[5] * matrix[5]);
    scales[2] = sqrt(matrix[6] * matrix[6] + matrix[7] * matrix[7] + matrix[8] * matrix[8]);
  }
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
