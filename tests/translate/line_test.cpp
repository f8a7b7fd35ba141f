// Lines end to end: their points in 2D and 3D, one-point lines, the points
// they add to the complex record, and how components and the complex
// record are coded.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dgn/conversion_fixture.h"

using namespace dgntest;

namespace {

Element chainHeader() {
    return withLinkages(withSymbology(complexHeader(12), 5, 1, 2, 3), {userItem(100, 1)});
}

const ExpectItem H{100, 1, ""};
const Point3 A = {100, 100, 0}, B = {200, 100, 0}, C = {200, 300, 0};

}  // namespace

TEST(Line, PointsIn2D) {
    DesignFile d(2);
    d.add(line2D(0, 0, 1000, 0))
        .add(line2D(-500, -678, 12345, 0))  // -500 + 0.00001 truncates to -499
        .add(line2D(70, 80, 70, 80));       // end on the start: one point
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {{0, 0, 0}, {1000, 0, 0}}, {}),
                                  binPointRecord("LIN001", {{-499, -677, 0}, {12345, 0, 0}}, {}),
                                  binPointRecord("LIN001", {{70, 80, 0}}, {})}),
                          c.bin));
    EXPECT_EQ(c.errorFile, kErrorHeader);
    EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
}

TEST(Line, PointsIn3D) {
    DesignFile d(3);
    d.add(line(3, 1, 2, 3, 4, 5, 6))
        .add(line(3, 10, 10, -5, 20, 20, 7))
        .add(line(3, 5, 5, 0, 5, 5, 900));  // ends differ only in z: one point
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {{1, 2, 3}, {4, 5, 6}}, {}),
                                  binPointRecord("LIN001", {{10, 10, -4}, {20, 20, 7}}, {}),
                                  binPointRecord("LIN001", {{5, 5, 0}}, {})}),
                          c.bin));
    EXPECT_EQ(c.errorFile, kErrorHeader);
    EXPECT_EQ(c.console, consoleStart(3) + kConsoleEnd);
}

TEST(Line, OnePointComponentsAddNothingToTheChain) {
    {
        SCOPED_TRACE("2D: end on the start");
        DesignFile d(2);
        d.add(chainHeader())
            .add(asComponent(line2D(100, 100, 200, 100)))
            .add(asComponent(line2D(200, 100, 200, 100)))
            .add(asComponent(line2D(200, 100, 200, 300)));
        const Conversion c = convert(d, kTable, settings(0, 0, 1));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {A, B}, {H}),
                                      binPointRecord("LIN001", {B}, {H}),
                                      binPointRecord("LIN001", {B, C}, {H}),
                                      binPointRecord("CHN005", {A, B, C}, {H})}),
                              c.bin));
    }
    {
        SCOPED_TRACE("3D: ends differing only in z");
        const Point3 a = {100, 100, 5}, b = {200, 100, 5}, c3 = {200, 300, 8};
        DesignFile d(3);
        d.add(chainHeader())
            .add(asComponent(line(3, 100, 100, 5, 200, 100, 5)))
            .add(asComponent(line(3, 200, 100, 5, 200, 100, 900)))
            .add(asComponent(line(3, 200, 100, 5, 200, 300, 8)));
        const Conversion c = convert(d, kTable, settings(0, 0, 2));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(binPointRecord("CHN005", {a, b, c3}, {H}), c.bin));
    }
}

TEST(Line, LaterComponentsAddOnlyTheirEndPoint) {
    // The second line starts away from the end of the first.
    DesignFile d(2);
    d.add(chainHeader())
        .add(asComponent(line2D(100, 100, 200, 100)))
        .add(asComponent(line2D(900, 900, 200, 300)));
    const Conversion c = convert(d, kTable, settings(0, 0, 2));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(binPointRecord("CHN005", {A, B, C}, {H}), c.bin));
}

TEST(Line, StandAloneLinePointsAreDroppedByTheNextElement) {
    for (int mode : {1, 2}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        DesignFile d(2);
        d.add(withLinkages(line2D(1, 2, 3, 4), {userItem(7, 7)}))
            .add(chainHeader())
            .add(asComponent(line2D(100, 100, 200, 100)))
            .add(line2D(5, 6, 7, 8));
        const Conversion c = convert(d, kTable, settings(0, 0, mode));
        EXPECT_EQ(c.exitStatus, 0);
        std::vector<uint8_t> expected = binPointRecord("LIN001", {{1, 2, 0}, {3, 4, 0}}, {{7, 7, ""}});
        if (mode == 1) expected = concat({expected, binPointRecord("LIN001", {A, B}, {H})});
        // The last line's points, too, are dropped at the end of the file.
        expected = concat({expected, binPointRecord("CHN005", {A, B}, {H}),
                           binPointRecord("LIN001", {{5, 6, 0}, {7, 8, 0}}, {})});
        EXPECT_TRUE(sameBytes(expected, c.bin));
    }
}

TEST(Line, GraphicGroupCodesComponentsNotTheChain) {
    // clave_gg 1: lines are looked up by graphic group, the chain by its
    // header's level, style, colour and weight.
    const std::string table = std::string(kTable) +
                              "GRP007 63 7 255 31 0 7 \"\" 1 0\n"
                              "GRP008 63 7 255 31 0 8 \"\" 1 0\n";
    Element first = asComponent(line2D(100, 100, 200, 100));
    first.graphicGroup = 7;
    Element second = asComponent(line2D(200, 100, 200, 300));
    second.graphicGroup = 8;
    Element last = line2D(1, 2, 3, 4);
    last.graphicGroup = 9;  // no row
    DesignFile d(2);
    d.add(chainHeader()).add(first).add(second).add(last);
    const Conversion c = convert(d, table, settings(0, 1, 1));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("GRP007", {A, B}, {H}),
                                  binPointRecord("GRP008", {B, C}, {H}),
                                  binPointRecord("CHN005", {A, B, C}, {H}),
                                  binPointRecord("nuevo", {{1, 2, 0}, {3, 4, 0}}, {})}),
                          c.bin));
    EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + " 1 0   0 0  0    9 \"\"\r\n");
}
