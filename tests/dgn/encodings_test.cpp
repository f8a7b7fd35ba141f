// The design file's number formats, checked byte for byte.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "dgn/encodings.h"
#include "run/converter.h"

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes doubleBytes(double d) {
  Bytes b(8);
  std::memcpy(b.data(), &d, 8);
  return b;
}

uint32_t floatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

// The DGN 32-bit integer stored in `stored`, made native.
int32_t dgnInt32(Bytes stored) {
  swapWordHalves(stored.data(), 1);
  int32_t value;
  std::memcpy(&value, stored.data(), 4);
  return value;
}

Bytes vaxD(Bytes bytes) {
  void* same = vaxDToDouble(bytes.data());
  EXPECT_EQ(static_cast<void*>(bytes.data()), same);
  return bytes;
}

}  // namespace

TEST(SwapWordHalves, ExchangesTheHalvesOfEachWord) {
  Bytes one = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
  swapWordHalves(one.data(), 1);
  EXPECT_EQ(Bytes({0x03, 0x04, 0x01, 0x02, 0x05, 0x06, 0x07, 0x08}), one);

  Bytes two = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
  swapWordHalves(two.data(), 2);
  EXPECT_EQ(Bytes({0x03, 0x04, 0x01, 0x02, 0x07, 0x08, 0x05, 0x06}), two);

  const Bytes original = {0x01, 0x02, 0x03, 0x04};
  Bytes none = original;
  swapWordHalves(none.data(), 0);
  EXPECT_EQ(original, none);
  swapWordHalves(none.data(), -1);
  EXPECT_EQ(original, none);
  swapWordHalves(none.data(), INT16_MIN);
  EXPECT_EQ(original, none);
}

TEST(SwapWordHalves, ReadsDgnIntegersHighWordFirst) {
  EXPECT_EQ(65536, dgnInt32({0x01, 0x00, 0x00, 0x00}));
  EXPECT_EQ(1, dgnInt32({0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(-2, dgnInt32({0xFF, 0xFF, 0xFE, 0xFF}));
  // b1 b0 b3 b2 from most to least significant.
  EXPECT_EQ(0x12345678, dgnInt32({0x34, 0x12, 0x78, 0x56}));
}

TEST(VaxDToDouble, ExactBytes) {
  EXPECT_EQ(doubleBytes(1.0), vaxD({0x80, 0x40, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), vaxD({0x80, 0x40, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(doubleBytes(-2.5), vaxD({0x20, 0xC1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes(8, 0), vaxD(Bytes(8, 0)));
  // All fraction bits move; the three lowest of the last word are lost.
  EXPECT_EQ(Bytes({0xF9, 0x7C, 0xF5, 0x53, 0x82, 0xA6, 0x27, 0x43}),
            vaxD({0x3D, 0x5A, 0x12, 0x34, 0xAB, 0x9F, 0xC8, 0xE7}));
  // A zero exponent stays zero; sign and fraction bits still move.
  EXPECT_EQ(Bytes({0, 0, 0, 0, 0x00, 0xE0, 0x0F, 0x80}),
            vaxD({0x7F, 0x80, 0, 0, 0, 0, 0, 0}));
}

TEST(VaxFToFloat, Values) {
  const uint8_t one[4] = {0x80, 0x40, 0x00, 0x00};
  EXPECT_EQ(1.0f, vaxFToFloat(one));
  const uint8_t minusTwoAndAHalf[4] = {0x20, 0xC1, 0x00, 0x00};
  EXPECT_EQ(-2.5f, vaxFToFloat(minusTwoAndAHalf));
  const uint8_t zero[4] = {0, 0, 0, 0};
  EXPECT_EQ(0u, floatBits(vaxFToFloat(zero)));

  // The second word holds the low fraction bits: VAX 0x5A3D3412 (exponent
  // 180) is IEEE 0x593D3412 (exponent 178).
  const uint8_t mixed[4] = {0x3D, 0x5A, 0x12, 0x34};
  EXPECT_EQ(0x593D3412u, floatBits(vaxFToFloat(mixed)));
  EXPECT_EQ(0x3D, mixed[0]);  // the input is not changed

  // Exponent 1: the exponent field is cleared, sign and fraction kept.
  const uint8_t tiny[4] = {0x92, 0x80, 0x56, 0x34};  // VAX 0x80923456
  float denormal = vaxFToFloat(tiny);
  EXPECT_EQ(0x80123456u, floatBits(denormal));
  EXPECT_EQ(FP_SUBNORMAL, std::fpclassify(denormal));
}

TEST(QuaternionToMatrix, Rotations) {
  double m[9];
  const int32_t identity[4] = {2147483647, 0, 0, 0};
  quaternionToMatrix(identity, m);
  EXPECT_DOUBLE_EQ(1.0, m[0]);
  EXPECT_DOUBLE_EQ(1.0, m[4]);
  EXPECT_DOUBLE_EQ(1.0, m[8]);
  for (int i : {1, 2, 3, 5, 6, 7}) EXPECT_EQ(0.0, m[i]) << "m" << i;

  const int32_t halfTurnZ[4] = {0, 0, 0, 2147483647};
  quaternionToMatrix(halfTurnZ, m);
  EXPECT_DOUBLE_EQ(-1.0, m[0]);
  EXPECT_DOUBLE_EQ(-1.0, m[4]);
  EXPECT_DOUBLE_EQ(1.0, m[8]);
  for (int i : {1, 2, 3, 5, 6, 7}) EXPECT_EQ(0.0, m[i]) << "m" << i;

  const int32_t zeros[4] = {0, 0, 0, 0};
  quaternionToMatrix(zeros, m);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(0.0, m[i]) << "m" << i;

  // Quarter turns about z, x and y: each off-diagonal entry with its sign.
  const int32_t quarterZ[4] = {1518500250, 0, 0, 1518500250};
  quaternionToMatrix(quarterZ, m);
  const double expectZ[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(expectZ[i], m[i], 1e-8) << "m" << i;

  const int32_t quarterX[4] = {1518500250, 1518500250, 0, 0};
  quaternionToMatrix(quarterX, m);
  const double expectX[9] = {1, 0, 0, 0, 0, 1, 0, -1, 0};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(expectX[i], m[i], 1e-8) << "m" << i;

  const int32_t quarterY[4] = {1518500250, 0, 1518500250, 0};
  quaternionToMatrix(quarterY, m);
  const double expectY[9] = {0, 0, -1, 0, 1, 0, 1, 0, 0};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(expectY[i], m[i], 1e-8) << "m" << i;
}

TEST(MatrixAxisScales, LengthOfEachStoredRow) {
  Converter converter;
  double matrix[9];
  double scales[3] = {-7, -7, -7};

  converter.dimension = 2;
  const int32_t flat[4] = {214748, 0, 0, 429496};
  converter.matrixAxisScales(flat, matrix, scales);
  EXPECT_NEAR(1.0, matrix[0], 1e-12);
  EXPECT_EQ(0.0, matrix[1]);
  EXPECT_EQ(0.0, matrix[2]);
  EXPECT_NEAR(2.0, matrix[3], 1e-12);
  EXPECT_NEAR(1.0, scales[0], 1e-12);
  EXPECT_NEAR(2.0, scales[1], 1e-12);
  EXPECT_EQ(-7.0, scales[2]);

  // Rows, not columns: (3, 4) and (0, 1).
  const int32_t rows2[4] = {3 * 214748, 4 * 214748, 0, 214748};
  converter.matrixAxisScales(rows2, matrix, scales);
  EXPECT_NEAR(5.0, scales[0], 1e-12);
  EXPECT_NEAR(1.0, scales[1], 1e-12);

  converter.dimension = 3;
  const int32_t rows3[9] = {3 * 214748, 4 * 214748, 0,  0, 0, 5 * 214748,
                            214748,     2 * 214748, 2 * 214748};
  converter.matrixAxisScales(rows3, matrix, scales);
  EXPECT_NEAR(2.0, matrix[7], 1e-12);
  EXPECT_NEAR(5.0, scales[0], 1e-12);
  EXPECT_NEAR(5.0, scales[1], 1e-12);
  EXPECT_NEAR(3.0, scales[2], 1e-12);

  // Any other dimension leaves the scales alone.
  converter.dimension = 0;
  double untouched[3] = {-7, -7, -7};
  converter.matrixAxisScales(rows3, matrix, untouched);
  EXPECT_EQ(-7.0, untouched[0]);
  EXPECT_EQ(-7.0, untouched[1]);
}

TEST(Radix50, Words) {
  char c[3];
  auto decode = [&c](uint16_t word) {
    c[0] = c[1] = c[2] = 'X';
    radix50Word(word, &c[0], &c[1], &c[2]);
    return std::string(c, 3);
  };
  EXPECT_EQ("ABC", decode(1683));
  EXPECT_EQ("A  ", decode(1600));
  EXPECT_EQ("  1", decode(31));
  EXPECT_EQ("$.9", decode(44359));
  EXPECT_EQ("Z0 ", decode(26 * 1600 + 30 * 40));
  // Code 29 and first codes of 40 up have no character: a blank.
  EXPECT_EQ("  A", decode(29 * 40 + 1));
  EXPECT_EQ("B  ", decode(2 * 1600 + 29));
  EXPECT_EQ("   ", decode(64000));
  EXPECT_EQ(" 8O", decode(65535));  // 40, 38, 15
}

TEST(Radix50, Characters) {
  char out = 'X';
  radix50Char(0, &out);
  EXPECT_EQ(' ', out);
  radix50Char(1, &out);
  EXPECT_EQ('A', out);
  radix50Char(26, &out);
  EXPECT_EQ('Z', out);
  radix50Char(27, &out);
  EXPECT_EQ('$', out);
  radix50Char(28, &out);
  EXPECT_EQ('.', out);
  radix50Char(30, &out);
  EXPECT_EQ('0', out);
  radix50Char(39, &out);
  EXPECT_EQ('9', out);
  out = 'X';
  radix50Char(29, &out);
  EXPECT_EQ(' ', out);
  out = 'X';
  radix50Char(40, &out);
  EXPECT_EQ(' ', out);
  // Taken as a 16-bit value.
  radix50Char(65536 + 2, &out);
  EXPECT_EQ('B', out);
}
