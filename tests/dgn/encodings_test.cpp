// The design file's number formats on hand-made bytes: the builder's own
// encoders are not a check of these.
#include "dgn/encodings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "translate/geometry.h"

TEST(Encodings, DgnIntegersAndVaxFloats) {
  EXPECT_EQ(kPi, 4 * atan(1.0));  // the angles' pi, bit for bit
  // DGN 32-bit integers are stored b1 b0 b3 b2, most significant first.
  const uint8_t minusTwo[4] = {0xFF, 0xFF, 0xFE, 0xFF}, big[4] = {0x34, 0x12, 0x78, 0x56};
  EXPECT_EQ(dgnInt32(minusTwo), -2);
  EXPECT_EQ(dgnInt32(big), 0x12345678);
  const struct {
    std::vector<uint8_t> vax, ieee;
  } doubles[] = {
      {{0x80, 0x40, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},  // 1.0
      // All fraction bits move; the three lowest of the last word are lost.
      {{0x3D, 0x5A, 0x12, 0x34, 0xAB, 0x9F, 0xC8, 0xE7},
       {0xF9, 0x7C, 0xF5, 0x53, 0x82, 0xA6, 0x27, 0x43}},
      {{0x7F, 0x80, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0xE0, 0x0F, 0x80}}};  // exponent 0 kept
  for (const auto& c : doubles) {
    const double d = vaxDToDouble(c.vax.data());
    EXPECT_EQ(0, std::memcmp(c.ieee.data(), &d, 8));
  }
  // 1.0, -2.5, 0, exponent 180 becoming 178, exponent 1 giving a subnormal.
  const struct {
    uint8_t vax[4];
    uint32_t ieee;
  } floats[] = {{{0x80, 0x40, 0, 0}, 0x3F800000u},
                {{0x20, 0xC1, 0, 0}, 0xC0200000u},
                {{0, 0, 0, 0}, 0u},
                {{0x3D, 0x5A, 0x12, 0x34}, 0x593D3412u},
                {{0x92, 0x80, 0x56, 0x34}, 0x80123456u}};
  for (const auto& c : floats) {
    const float f = vaxFToFloat(c.vax);
    EXPECT_EQ(0, std::memcmp(&c.ieee, &f, 4)) << std::hex << c.ieee;
  }
}
