// The design file's number formats, checked byte for byte.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dgn/encodings.h"
#include "run/converter.h"

typedef std::vector<uint8_t> Bytes;

TEST(SwapWordHalves, ExchangesTheHalvesOfEachWord) {
  Bytes b = {1, 2, 3, 4, 5, 6, 7, 8};
  for (int16_t words : {2, 0, -1}) swapWordHalves(b.data(), words);  // no words: no change
  EXPECT_EQ(Bytes({3, 4, 1, 2, 7, 8, 5, 6}), b);
  // DGN 32-bit integers are stored b1 b0 b3 b2, most significant first.
  const struct { Bytes stored; int32_t value; } ints[] = {
      {{0xFF, 0xFF, 0xFE, 0xFF}, -2}, {{0x34, 0x12, 0x78, 0x56}, 0x12345678}};
  for (auto c : ints) {
    swapWordHalves(c.stored.data(), 1);
    EXPECT_EQ(0, std::memcmp(&c.value, c.stored.data(), 4)) << c.value;
  }
}

TEST(VaxFloats, ExactBytes) {
  const struct { Bytes vax, ieee; } doubles[] = {
      {{0x80, 0x40, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},  // 1.0
      // All fraction bits move; the three lowest of the last word are lost.
      {{0x3D, 0x5A, 0x12, 0x34, 0xAB, 0x9F, 0xC8, 0xE7},
       {0xF9, 0x7C, 0xF5, 0x53, 0x82, 0xA6, 0x27, 0x43}},
      {{0x7F, 0x80, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0xE0, 0x0F, 0x80}}};  // exponent 0 kept
  for (auto c : doubles) {
    EXPECT_EQ(static_cast<void*>(c.vax.data()), vaxDToDouble(c.vax.data()));  // in place
    EXPECT_EQ(c.ieee, c.vax);
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
  // The scale of each axis is the length of its stored row.
  Converter converter;
  const int32_t u = 214748;  // a matrix word of 214748 is 1.0
  const int32_t rows2[4] = {3 * u, 4 * u, 0, 2 * u};
  const int32_t rows3[9] = {3 * u, 4 * u, 0, 0, 0, 5 * u, u, 2 * u, 2 * u};
  double m[9], s[3] = {-7, -7, -7};
  converter.dimension = 2;
  converter.matrixAxisScales(rows2, m, s);  // rows (3, 4) and (0, 2), not columns
  const double got2[4] = {m[3], s[0], s[1], s[2]}, want2[4] = {2, 5, 2, -7};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(want2[i], got2[i], 1e-12) << i;
  converter.dimension = 3;
  converter.matrixAxisScales(rows3, m, s);
  const double got3[4] = {m[7], s[0], s[1], s[2]}, want3[4] = {2, 5, 5, 3};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(want3[i], got3[i], 1e-12) << i;
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
