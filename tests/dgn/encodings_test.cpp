// The design file's number formats, checked byte for byte.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dgn/encodings.h"
#include "run/converter.h"

typedef std::vector<uint8_t> Bytes;

TEST(DgnInt32, HighWordFirst) {
  // DGN 32-bit integers are stored b1 b0 b3 b2, most significant first.
  const struct { Bytes stored; int32_t value; } ints[] = {
      {{0xFF, 0xFF, 0xFE, 0xFF}, -2}, {{0x34, 0x12, 0x78, 0x56}, 0x12345678}};
  for (auto c : ints) EXPECT_EQ(c.value, dgnInt32(c.stored.data()));
}

TEST(VaxFloats, ExactBytes) {
  const struct { Bytes vax, ieee; } doubles[] = {
      {{0x80, 0x40, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},  // 1.0
      // All fraction bits move; the three lowest of the last word are lost.
      {{0x3D, 0x5A, 0x12, 0x34, 0xAB, 0x9F, 0xC8, 0xE7},
       {0xF9, 0x7C, 0xF5, 0x53, 0x82, 0xA6, 0x27, 0x43}},
      {{0x7F, 0x80, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0xE0, 0x0F, 0x80}}};  // exponent 0 kept
  for (auto c : doubles) {
    const double d = vaxDToDouble(c.vax.data());
    EXPECT_EQ(0, std::memcmp(c.ieee.data(), &d, 8));
  }
  // 1.0, -2.5, 0, exponent 180 becoming 178, exponent 1 giving a subnormal.
  const struct { uint8_t vax[4]; uint32_t ieee; } floats[] = {
      {{0x80, 0x40, 0, 0}, 0x3F800000u}, {{0x20, 0xC1, 0, 0}, 0xC0200000u}, {{0, 0, 0, 0}, 0u},
      {{0x3D, 0x5A, 0x12, 0x34}, 0x593D3412u}, {{0x92, 0x80, 0x56, 0x34}, 0x80123456u}};
  for (const auto& c : floats) {
    const float f = vaxFToFloat(c.vax);
    EXPECT_EQ(0, std::memcmp(&c.ieee, &f, 4)) << std::hex << c.ieee;
  }
}

TEST(Matrices, QuaternionRotationsAndAxisScales) {
  const int32_t I = 2147483647, q = 1518500250;  // q = 2^31 / sqrt 2: quarter turns
  const struct { int32_t quat[4]; double m[9]; } cases[] = {
      {{I, 0, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1}}, {{0, 0, 0, I}, {-1, 0, 0, 0, -1, 0, 0, 0, 1}},
      {{0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0}}, {{q, 0, 0, q}, {0, 1, 0, -1, 0, 0, 0, 0, 1}},
      {{q, q, 0, 0}, {1, 0, 0, 0, 0, 1, 0, -1, 0}}, {{q, 0, q, 0}, {0, 0, -1, 0, 1, 0, 1, 0, 0}}};
  for (const auto& c : cases) {
    double m[9];
    quaternionToMatrix(c.quat, m);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(c.m[i], m[i], 1e-8) << c.quat[1] << " m" << i;
  }
}

TEST(Radix50, Words) {
  // Code 29 and first codes of 40 and above have no character: a blank.
  const struct { uint16_t word; const char* text; } cases[] = {
      {1683, "ABC"}, {1600, "A  "}, {31, "  1"}, {44359, "$.9"}, {26 * 1600 + 30 * 40, "Z0 "},
      {29 * 40 + 1, "  A"}, {2 * 1600 + 29, "B  "}, {64000, "   "}, {65535, " 8O"}};
  for (const auto& c : cases) {
    char t[3] = {'X', 'X', 'X'};
    radix50Word(c.word, &t[0], &t[1], &t[2]);
    EXPECT_EQ(c.text, std::string(t, 3)) << c.word;
  }
}
