// Checks that the hand-built test input is byte for byte what the design
// file format and the BIN format say; every other test relies on it.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/dgn_encode.h"
#include "support/program_run.h"

using dgntest::Bytes;

namespace {

Bytes hex(const std::string& s) {
    Bytes b;
    for (size_t i = 0; i + 1 < s.size();) {
        if (s[i] == ' ') {
            ++i;
            continue;
        }
        b.push_back(static_cast<uint8_t>(std::stoul(s.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return b;
}

Bytes slice(const Bytes& b, size_t from, size_t len) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + len));
}

double doubleFromBytes(const Bytes& b) {
    double d;
    std::memcpy(&d, b.data(), sizeof d);
    return d;
}

template <typename F>
Bytes encoded(F put) {
    Bytes b;
    put(b);
    return b;
}

}  // namespace

TEST(DgnEncode, IntegersAreLittleEndianWordsHighWordFirst) {
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putU16(b, 0x1234); }), hex("34 12"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putI32Dgn(b, 65536); }), hex("01 00 00 00"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putI32Dgn(b, 1); }), hex("00 00 01 00"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putI32Dgn(b, -2); }), hex("FF FF FE FF"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putI32Dgn(b, 0x12345678); }), hex("34 12 78 56"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putI32Le(b, -2); }), hex("FE FF FF FF"));
}

TEST(DgnEncode, VaxDFloat) {
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxD(b, 1.0); }), hex("80 40 00 00 00 00 00 00"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxD(b, -2.5); }), hex("20 C1 00 00 00 00 00 00"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxD(b, 0.0); }), Bytes(8, 0));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxD(b, -0.0); }), Bytes(8, 0));
    // All words in use: the VAX D 3D 5A 12 34 AB 9F C8 E7 reads as this
    // double. The three VAX bits without an IEEE counterpart are bits 0-2 of
    // W3, in its low byte C8, and are 0 here, so the encoding is exact.
    const double v = doubleFromBytes(hex("F9 7C F5 53 82 A6 27 43"));
    EXPECT_EQ(encoded([v](Bytes& b) { dgntest::putVaxD(b, v); }), hex("3D 5A 12 34 AB 9F C8 E7"));
}

TEST(DgnEncode, VaxFFloat) {
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxF(b, 1.0f); }), hex("80 40 00 00"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxF(b, -2.5f); }), hex("20 C1 00 00"));
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxF(b, 0.0f); }), Bytes(4, 0));
    // 12.34f is IEEE 41 45 70 A4: exponent up by 2, words swapped.
    EXPECT_EQ(encoded([](Bytes& b) { dgntest::putVaxF(b, 12.34f); }), hex("45 42 A4 70"));
}

TEST(DgnEncode, Radix50Words) {
    EXPECT_EQ(dgntest::radix50Word("ABC"), 1683);
    EXPECT_EQ(dgntest::radix50Word("A  "), 1600);
    EXPECT_EQ(dgntest::radix50Word("A"), 1600);
    EXPECT_EQ(dgntest::radix50Word("  1"), 31);
    EXPECT_EQ(dgntest::radix50Word("$.9"), 44359);
}

TEST(DgnElement, LineHeaderAndBody2D) {
    dgntest::Element e = dgntest::line(2, 1000, 2000, 99, 1500, 2500, 99);
    e.level = 5;
    e.style = 1;
    e.weight = 2;
    e.colour = 3;
    e.graphicGroup = 7;
    const Bytes b = dgntest::encodeElement(e);
    EXPECT_TRUE(dgntest::sameBytes(hex("05 03 18 00"                   // type 3 level 5; 24 words
                                       "00 80 E8 03 00 80 D0 07 00 80 00 00"  // low 1000, 2000, 0
                                       "00 80 DC 05 00 80 C4 09 00 80 00 00"  // high 1500, 2500, 0
                                       "07 00 0A 00 00 00 11 03"       // gg, index 10, props, symb
                                       "00 00 E8 03 00 00 D0 07 00 00 DC 05 00 00 C4 09"),
                                   b));
}

TEST(DgnElement, LinkagesFollowTheBodyAndSetTheFlag) {
    dgntest::Element e = dgntest::line(3, 1, 2, 3, 4, 5, 6);
    e.level = 5;
    e.complexBit = true;
    e.deletedBit = true;
    e.linkages = dgntest::linkage1007(5, 131073);
    const Bytes b = dgntest::encodeElement(e);
    ASSERT_EQ(b.size(), 36u + 24u + 16u);
    EXPECT_EQ(slice(b, 0, 4), hex("85 83 24 00"));     // complex and deleted bits; 36 words
    EXPECT_EQ(slice(b, 30, 4), hex("0E 00 00 08"));    // index 14 -> byte 60; bit 11
    EXPECT_EQ(slice(b, 32 + 2 * 14, 16), hex("07 10 62 5E 81 0F 05 00 01 00 02 00 00 00 00 00"));
    EXPECT_EQ(slice(b, 4, 12), hex("00 80 01 00 00 80 02 00 00 80 03 00"));

    dgntest::Element flagged = dgntest::line(2, 0, 0, 0, 1, 1, 0);
    flagged.linkageFlag = true;
    EXPECT_EQ(slice(dgntest::encodeElement(flagged), 32, 2), hex("00 08"));
}

TEST(DgnElement, OddBodyIsPaddedAndOverridesAreTakenAsGiven) {
    // "ABC" leaves the text body at 27 bytes; the pad byte keeps the
    // linkages word-aligned and the index counts it.
    dgntest::Element t = dgntest::text2D(1, 2, 0, 600, 0, 10, 20, "ABC");
    t.linkages = dgntest::linkage1003(1, 2, 3);
    const Bytes b = dgntest::encodeElement(t);
    ASSERT_EQ(b.size(), 36u + 28u + 8u);
    EXPECT_EQ(slice(b, 2, 2), hex("22 00"));
    EXPECT_EQ(slice(b, 30, 2), hex("10 00"));
    EXPECT_EQ(slice(b, 58, 6), hex("03 00 41 42 43 00"));
    EXPECT_EQ(slice(b, 64, 8), hex("03 10 01 00 02 00 03 00"));

    t.wordsToFollowOverride = 0x1234;
    t.attributeIndexOverride = 0xFFFF;
    t.propertiesOverride = 0;
    const Bytes broken = dgntest::encodeElement(t);
    EXPECT_EQ(slice(broken, 2, 2), hex("34 12"));
    EXPECT_EQ(slice(broken, 30, 4), hex("FF FF 00 00"));
    EXPECT_EQ(broken.size(), b.size());
}

TEST(DgnElement, LinkageWordLayouts) {
    EXPECT_EQ(dgntest::linkage1007(2, -1, 0x9007, 24721, 3969),
              hex("07 90 91 60 81 0F 02 00 FF FF FF FF 00 00 00 00"));
    const Bytes l = dgntest::linkage1013(6, 7, 8, 12.34f, 16);
    ASSERT_EQ(l.size(), 40u);
    EXPECT_EQ(slice(l, 0, 2), hex("13 10"));
    EXPECT_EQ(slice(l, 12, 6), hex("06 00 07 00 08 00"));
    EXPECT_EQ(slice(l, 28, 6), hex("45 42 A4 70 10 00"));
}

TEST(DgnElement, BodyFieldOffsets) {
    // Each maker's last field sits where the readers look for it.
    const Bytes arc = dgntest::encodeElement(
        dgntest::arc2D(0, dgntest::sweepSignMagnitude(-90 * 360000), 1.0, 1.0, 0, 1.0, -2.5));
    ASSERT_EQ(arc.size(), 80u);
    EXPECT_EQ(slice(arc, 40, 4), hex("EE 81 80 62"));  // sign bit and 32400000
    EXPECT_EQ(slice(arc, 72, 8), hex("20 C1 00 00 00 00 00 00"));

    const int32_t q[4] = {2147483647, 0, 0, 0};
    EXPECT_EQ(dgntest::encodeElement(dgntest::arc3D(0, 0, 1, 1, q, 0, 0, 1.0)).size(), 100u);
    EXPECT_EQ(dgntest::encodeElement(dgntest::ellipse2D(1, 1, 0, 0, 0)).size(), 72u);
    EXPECT_EQ(dgntest::encodeElement(dgntest::ellipse3D(1, 1, q, 0, 0, 0)).size(), 92u);

    const Bytes t3 = dgntest::encodeElement(dgntest::text3D(3, 7, 0, 600, q, 1, 2, 3, "XY"));
    EXPECT_EQ(slice(t3, 36, 2), hex("03 07"));
    EXPECT_EQ(slice(t3, 70, 8), hex("00 00 03 00 02 00 58 59"));

    const int32_t m2[4] = {214748, 0, 0, 214748};
    const Bytes c2 = dgntest::encodeElement(dgntest::cellHeader2D("ABC  1", m2, 7, -1));
    ASSERT_EQ(c2.size(), 92u);
    EXPECT_EQ(slice(c2, 38, 4), hex("93 06 1F 00"));  // 1683, 31
    EXPECT_EQ(slice(c2, 68, 4), hex("03 00 DC 46"));
    EXPECT_EQ(slice(c2, 84, 8), hex("00 00 07 00 FF FF FF FF"));

    const int32_t m3[9] = {214748, 0, 0, 0, 214748, 0, 0, 0, 214748};
    const Bytes c3 = dgntest::encodeElement(dgntest::cellHeader3D("A", m3, 1, 2, 3));
    ASSERT_EQ(c3.size(), 124u);
    EXPECT_EQ(slice(c3, 38, 4), hex("40 06 00 00"));
    EXPECT_EQ(slice(c3, 76, 4), hex("03 00 DC 46"));
    EXPECT_EQ(slice(c3, 112, 12), hex("00 00 01 00 00 00 02 00 00 00 03 00"));

    const Bytes ls = dgntest::encodeElement(dgntest::lineString(3, {{1, 2, 3}, {-4, 5, -6}}));
    EXPECT_EQ(slice(ls, 36, 2), hex("02 00"));
    EXPECT_EQ(slice(ls, 4, 24), hex("FF 7F FC FF 00 80 02 00 FF 7F FA FF"
                                    "00 80 01 00 00 80 05 00 00 80 03 00"));
}

TEST(DesignFileBytes, HeaderElementUnitsOriginAndEndMarker) {
    dgntest::DesignFile df(2);
    const Bytes h = df.headerElement();
    ASSERT_EQ(h.size(), 1536u);
    EXPECT_EQ(slice(h, 0, 4), hex("08 09 FE 02"));
    EXPECT_EQ(slice(h, 1112, 8), hex("00 00 0A 00 00 00 0A 00"));
    EXPECT_EQ(slice(h, 1240, 24), Bytes(24, 0));

    df.units(100, 10).origin(1.0, -2.5, 0.0).add(dgntest::line(2, 0, 0, 0, 1, 1, 0));
    const Bytes b = df.bytes();
    ASSERT_EQ(b.size(), 1536u + 52u + 2u);
    EXPECT_EQ(slice(b, 1112, 8), hex("00 00 64 00 00 00 0A 00"));
    EXPECT_EQ(slice(b, 1240, 16), hex("80 40 00 00 00 00 00 00 20 C1 00 00 00 00 00 00"));
    EXPECT_EQ(slice(b, 1536, 2), hex("01 03"));
    EXPECT_EQ(slice(b, b.size() - 2, 2), hex("FF FF"));
    EXPECT_EQ(df.bytes(false).size(), b.size() - 2);

    EXPECT_EQ(h[1214], 0);
    const Bytes h3 = dgntest::DesignFile(3).headerElement();
    EXPECT_EQ(slice(h3, 0, 2), hex("C8 09"));
    EXPECT_EQ(h3[1214], 0x40);
}

TEST(BinExpect, PointRecordAndItemBytes) {
    const Bytes r = dgntest::binPointRecord("001106", {{1000, 2000, 0}, {1500, 2500, 0}},
                                            {{32001, 7, "123"}});
    EXPECT_TRUE(dgntest::sameBytes(
        hex("43 3D 30 30 31 31 30 36 00 01 02 00"
            "E8 03 00 00 D0 07 00 00 00 00 00 00 DC 05 00 00 C4 09 00 00 00 00 00 00"
            "00 00 00 00 00 00 00 00 00 00 00 00"
            "E8 03 00 00 D0 07 00 00 00 00 00 00 DC 05 00 00 C4 09 00 00 00 00 00 00"
            "01 7D 07 00 00 00 31 32 33 00 00 00"),
        r));

    const Bytes box = slice(dgntest::binPointRecord("X", {{10, 20, 0}, {-5, 40, 3}, {7, -1, 0}}, {}),
                            12, 24);
    EXPECT_EQ(box, hex("FB FF FF FF FF FF FF FF 00 00 00 00 0A 00 00 00 28 00 00 00 03 00 00 00"));
}

TEST(BinExpect, TextRecordSlots) {
    const int32_t box[9] = {1000, 2000, 0, 1300, 2100, 0, 100, 0, 0};
    const Bytes r = dgntest::binTextRecord("T1", box, {1000, 2000, 0}, "ABC", {});
    ASSERT_EQ(r.size(), 48u + 24u);
    EXPECT_EQ(slice(r, 9, 3), hex("00 02 00"));
    EXPECT_EQ(slice(r, 60, 12), hex("41 42 43 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(dgntest::binTextRecord("T1", box, {0, 0, 0}, std::string(12, 'A'), {}).size(),
              48u + 36u);
}

TEST(BinExpect, SameBytesNamesTheFirstDifference) {
    EXPECT_TRUE(dgntest::sameBytes(hex("01 02"), hex("01 02")));
    const ::testing::AssertionResult r = dgntest::sameBytes(hex("01 02 03 04 05 06"),
                                                            hex("01 02 03 04 05 07 08"));
    ASSERT_FALSE(r);
    const std::string msg = r.message();
    EXPECT_NE(msg.find("first difference at offset 5"), std::string::npos) << msg;
    EXPECT_NE(msg.find("000000: 01 02 03 04 05 07 08"), std::string::npos) << msg;
}
