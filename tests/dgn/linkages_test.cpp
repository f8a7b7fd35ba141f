// Attribute items from the linkages of stand-alone lines, end to end: each
// linkage kind, the walk over the linkage area, where it stops, and the
// item cap.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dgn/conversion_fixture.h"

using namespace dgntest;

namespace {

// The first `words` words of a linkage.
std::vector<uint8_t> cut(std::vector<uint8_t> linkage, size_t words) {
    linkage.resize(2 * words);
    return linkage;
}

std::vector<uint8_t> lineRecord(const std::vector<ExpectItem>& items) {
    return binPointRecord("LIN001", {{100, 200, 0}, {300, 400, 0}}, items);
}

Conversion convertOneLine(const Element& e) {
    DesignFile d(2);
    d.add(e);
    return convert(d, kTable, settings(0, 0, 0));
}

}  // namespace

TEST(Linkages, UserLinkage1007And9007) {
    const Element e = withLinkages(
        line2D(100, 200, 300, 400),
        {userItem(5, 131073),                      // words 4, 5 = 1, 2
         linkage1007(7, -1, 0x9007, 24721, 3969),  // the other word 1, header 0x9007
         linkage1007(8, 8, 0x1007, 24163),         // word 1 wrong: no item
         linkage1007(8, 8, 0x1007, 24162, 3970),   // word 2 wrong: no item
         userItem(2, 42),                          // code 2: code 1, decimal text
         userItem(2, -5), userItem(2, 0),
         userItem(2, 123456789),                   // text cut to 7, file shows 6
         userItem(-3, 70000)});
    const Conversion c = convertOneLine(e);
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(lineRecord({{5, 131073, ""},
                                      {7, -1, ""},
                                      {1, 0, "42"},
                                      {1, 0, "-5"},
                                      {1, 0, "0"},
                                      {1, 0, "123456"},
                                      {-3, 70000, ""}}),
                          c.bin));
    EXPECT_EQ(c.errorFile, kErrorHeader);
    EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
}

TEST(Linkages, Linkage1003And1013) {
    const Element e = withLinkages(line2D(100, 200, 300, 400),
                                   {linkage1003(1, 65535, 300),
                                    linkage1013(11, 22, 33, 12.34f, 44),
                                    linkage1013(65535, 65535, 0, -3.25f, 65535),
                                    linkage1013(0, 0, 0, 0.05f, 0),
                                    linkage1013(0, 0, 0, 5.0f, 0),
                                    linkage1013(0, 0, 0, 0.0f, 0),
                                    linkage1013(0, 0, 0, 1234567.0f, 0),
                                    userItem(9, 900)});
    const Conversion c = convertOneLine(e);
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(lineRecord({{32765, 1, ""},
                                      {32766, 65535, ""},
                                      {32767, 300, ""},
                                      {32001, 33, ""},
                                      {32002, 11, "22"},
                                      {32003, 44, "123"},
                                      {32001, 0, ""},
                                      {32002, 65535, "65535"},
                                      {32003, 65535, "32"},
                                      {32001, 0, ""},
                                      {32002, 0, "0"},
                                      {32003, 0, "05"},
                                      {32001, 0, ""},
                                      {32002, 0, "0"},
                                      {32003, 0, "50"},
                                      {32001, 0, ""},
                                      {32002, 0, "0"},
                                      {32003, 0, "0"},
                                      {32001, 0, ""},
                                      {32002, 0, "0"},
                                      {32003, 0, "123456"},  // 1234567 of 12345670
                                      {9, 900, ""}}),
                          c.bin));
}

TEST(Linkages, LinkagesOfA3DLine) {
    DesignFile d(3);
    d.add(withLinkages(line(3, 1, 2, 3, 4, 5, 6), {userItem(5, 1), linkage1003(7, 8, 9)}));
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {{1, 2, 3}, {4, 5, 6}},
                                         {{5, 1, ""}, {32765, 7, ""}, {32766, 8, ""}, {32767, 9, ""}}),
                          c.bin));
    EXPECT_EQ(c.console, consoleStart(3) + kConsoleEnd);
}

TEST(Linkages, WalkStepsOverZeroAndUnknownHeaders) {
    // Each skipped linkage hides a 0x1003 header one word in: a walk that
    // stepped by the wrong count would find it.
    const Element e = withLinkages(
        line2D(100, 200, 300, 400),
        {linkageWords({0x0000, 0x1003, 0x0011, 0x0012}),             // zero word: 4 words
         linkage1003(1, 2, 3),
         linkageWords({0x2003, 0x1003, 0x0021, 0x0022}),             // low byte 3: 4 words
         linkage1003(4, 5, 6),
         linkageWords({0x1005, 0x1003, 0x31, 0x32, 0x33, 0x34}),     // low byte 5: 6 words
         linkage1003(7, 8, 9),
         linkageWords({0x1107, 24162, 3969, 5, 1, 0, 0x1003, 0x41}),  // low byte 7: 8 words
         userItem(10, 11)});
    const Conversion c = convertOneLine(e);
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(lineRecord({{32765, 1, ""}, {32766, 2, ""}, {32767, 3, ""},
                                      {32765, 4, ""}, {32766, 5, ""}, {32767, 6, ""},
                                      {32765, 7, ""}, {32766, 8, ""}, {32767, 9, ""},
                                      {10, 11, ""}}),
                          c.bin));
}

TEST(Linkages, NoItemsWithoutTheFlagOrWithoutLinkageWords) {
    {
        SCOPED_TRACE("properties bit 11 clear");
        Element e = withLinkages(line2D(100, 200, 300, 400), {userItem(5, 1), linkage1003(1, 2, 3)});
        e.propertiesOverride = 0;
        const Conversion c = convertOneLine(e);
        EXPECT_TRUE(sameBytes(lineRecord({}), c.bin));
    }
    {
        SCOPED_TRACE("attribute index at the end of the element");
        // 32 words to follow; the linkage area is 32 - 18 - 14 = 0 words.
        Element e = withLinkages(line2D(100, 200, 300, 400), {userItem(5, 1)});
        e.attributeIndexOverride = 18;
        const Conversion c = convertOneLine(e);
        EXPECT_TRUE(sameBytes(lineRecord({}), c.bin));
    }
    {
        SCOPED_TRACE("flag set, no linkage words");
        Element e = line2D(100, 200, 300, 400);
        e.linkageFlag = true;
        const Conversion c = convertOneLine(e);
        EXPECT_TRUE(sameBytes(lineRecord({}), c.bin));
    }
}

TEST(Linkages, LinkageCutByTheEndOfTheElement) {
    // A linkage gives items only when every word that is read lies inside
    // the element: words 0-5 of 0x1007, 0-3 of 0x1003, 0-16 of 0x1013.
    DesignFile d(2);
    d.add(withLinkages(line2D(100, 200, 300, 400),
                       {linkage1003(1, 2, 3), linkageWords({0x1003, 0x0007})}))
        .add(withLinkages(line2D(100, 200, 300, 400), {cut(userItem(5, 65538), 6)}))
        .add(withLinkages(line2D(100, 200, 300, 400), {cut(userItem(5, 65538), 5)}))
        .add(withLinkages(line2D(100, 200, 300, 400), {cut(linkage1003(1, 2, 3), 3)}))
        .add(withLinkages(line2D(100, 200, 300, 400), {cut(linkage1013(1, 2, 3, 12.34f, 4), 16)}))
        .add(withLinkages(line2D(100, 200, 300, 400), {cut(linkage1013(1, 2, 3, 12.34f, 4), 17)}));
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(concat({lineRecord({{32765, 1, ""}, {32766, 2, ""}, {32767, 3, ""}}),
                                  lineRecord({{5, 65538, ""}}), lineRecord({}), lineRecord({}),
                                  lineRecord({}),
                                  lineRecord({{32001, 3, ""}, {32002, 1, "2"}, {32003, 4, "123"}})}),
                          c.bin));
    EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
}

TEST(Linkages, ItemSlotsKeepTheBytesBehindAShorterText) {
    // Item texts are copied as terminated strings into slots that are
    // reused element after element: behind a shorter text the slot keeps
    // the rest of the longer one.
    DesignFile d(2);
    d.add(withLinkages(line2D(100, 200, 300, 400), {userItem(2, 123456)}))
        .add(withLinkages(line2D(100, 200, 300, 400), {linkage1003(1, 2, 3)}))
        .add(withLinkages(line2D(100, 200, 300, 400), {userItem(2, 9)}));
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_TRUE(sameBytes(
        concat({lineRecord({{1, 0, "123456"}}),
                lineRecord({{32765, 1, std::string("\0" "23456", 6)}, {32766, 2, ""}, {32767, 3, ""}}),
                lineRecord({{1, 0, std::string("9\0" "3456", 6)}})}),
        c.bin));
}

TEST(Linkages, ItemsBeyond255AreDroppedWithOneWarning) {
    std::vector<uint8_t> many;
    for (uint16_t k = 0; k < 100; ++k) {
        const std::vector<uint8_t> l = linkage1003(3 * k, 3 * k + 1, 3 * k + 2);
        many.insert(many.end(), l.begin(), l.end());
    }
    const Conversion c = convertOneLine(withLinkages(line2D(100, 200, 300, 400), {many}));
    EXPECT_EQ(c.exitStatus, 0);
    std::vector<ExpectItem> kept;
    for (int v = 0; v < 255; ++v) kept.push_back({static_cast<int16_t>(32765 + v % 3), v, ""});
    EXPECT_TRUE(sameBytes(lineRecord(kept), c.bin));

    const std::string start = consoleStart(2);
    ASSERT_GE(c.console.size(), start.size() + sizeof kConsoleEnd - 1);
    EXPECT_EQ(c.console.substr(0, start.size()), start);
    EXPECT_EQ(c.console.substr(c.console.size() - (sizeof kConsoleEnd - 1)), kConsoleEnd);
    const std::string middle = c.console.substr(
        start.size(), c.console.size() - start.size() - (sizeof kConsoleEnd - 1));
    EXPECT_EQ(middle.rfind("AVISO ", 0), 0u) << middle;
    EXPECT_EQ(middle.find('\n'), middle.size() - 1) << middle;
}
