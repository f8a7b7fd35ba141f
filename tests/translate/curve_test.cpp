// Curves end to end: all vertices but the first two and the last two, and a
// curve in a complex chain written on its own.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

static const char kTable[] =
    "LS0001 1 0 0 0 0 0 \"\" 1.0 0\n"
    "CV0003 3 0 0 0 0 0 \"\" 1.0 0\n"
    "CX0005 5 0 0 0 0 0 \"\" 1.0 0\n";

static Element numbered(int count, int32_t base) {
    std::vector<Point3> pts;
    for (int i = 0; i < count; ++i) pts.push_back({base + 100 * i, base + 10 * i, 0});
    return onLevel(curve(2, pts), 3);
}

TEST(CurveTranslation, OnlyTheInnerVerticesAreWritten) {
    DesignFile d(2);
    d.add(numbered(7, 0)).add(numbered(4, 1000)).add(numbered(5, 2000));  // 4: nothing
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("CV0003", {{200, 20, 0}, {300, 30, 0}, {400, 40, 0}}, {}),
                binPointRecord("CV0003", {{2200, 2020, 0}}, {})}),
        convert(d, kTable).bin));
}

// The curve takes the header's items first; the chain has only the lines' points.
TEST(CurveTranslation, CurveInComplexChainOfModeTwoIsWrittenOnItsOwn) {
    DesignFile d(2);
    d.add(withItem(onLevel(complexHeader(12), 5), 5, 131073))
        .add(asComponent(line(2, 0, 0, 0, 100, 0, 0)))
        .add(withItem(asComponent(numbered(5, 100)), 9, 3))
        .add(asComponent(line(2, 100, 0, 0, 200, 50, 0)))
        .add(lineString(2, {{500, 500, 0}, {600, 600, 0}}));
    const ExpectItem h{5, 131073, ""};
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("CV0003", {{300, 120, 0}}, {h, {9, 3, ""}}),
                binPointRecord("CX0005", {{0, 0, 0}, {100, 0, 0}, {200, 50, 0}}, {h}),
                binPointRecord("LS0001", {{500, 500, 0}, {600, 600, 0}}, {})}),
        convert(d, kTable, settings(0, 0, 2)).bin));
}
