// Lines end to end: one-point lines, the points lines add to the complex
// record, how components and the complex record are coded.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "LIN001  1 0 0 0 0 0 \"\" 1 0\nCHN005  5 1 2 3 0 0 \"\" 1 0\n";

Element ln(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return line(2, x1, y1, 0, x2, y2, 0); }
Element chainHeader() { return withItem(withSymbology(complexHeader(12), 5, 1, 2, 3), 100, 1); }

const ExpectItem H{100, 1, ""};
const Point3 A = {100, 100, 0}, B = {200, 100, 0}, C = {200, 300, 0};
}  // namespace

// Only x and y decide whether the end is a second point.
TEST(Line, EndOnTheStartGivesOnePoint) {
    DesignFile d2(2), d3(3);
    EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {{70, 80, 0}}, {}),
                          convert(d2.add(ln(70, 80, 70, 80)), kTable).bin));
    EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {{5, 5, 0}}, {}),
                          convert(d3.add(line(3, 5, 5, 0, 5, 5, 900)), kTable).bin));
}

// Mode 1 with clave_gg 1: lines are coded by graphic group (0 is LIN001's),
// the chain by its header's level, style, colour and weight. A stand-alone
// line's points go to the complex record too, and the next element drops
// them; a one-point component adds nothing; a later component adds only its
// end, wherever it starts.
TEST(Line, PointsAndCodesOfTheComplexRecord) {
    const std::string table = std::string(kTable) + "GRP007 63 7 255 31 0 7 \"\" 1 0\n";
    Element first = asComponent(ln(100, 100, 200, 100)), last = ln(5, 6, 7, 8);
    first.graphicGroup = 7;
    last.graphicGroup = 9;  // no row
    DesignFile d(2);
    d.add(withItem(ln(1, 2, 3, 4), 7, 7)).add(chainHeader()).add(first);
    d.add(asComponent(ln(200, 100, 200, 100))).add(asComponent(ln(900, 900, 200, 300))).add(last);
    const Conversion c = convert(d, table, settings(0, 1, 1));
    EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {{1, 2, 0}, {3, 4, 0}}, {{7, 7, ""}}),
                                  binPointRecord("GRP007", {A, B}, {H}),
                                  binPointRecord("LIN001", {B}, {H}),
                                  binPointRecord("LIN001", {{900, 900, 0}, C}, {H}),
                                  binPointRecord("CHN005", {A, B, C}, {H}),
                                  binPointRecord("nuevo", {{5, 6, 0}, {7, 8, 0}}, {})}),
                          c.bin));
    EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + " 1 0   0 0  0    9 \"\"\r\n");
}
