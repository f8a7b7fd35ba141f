// Curves end to end: only the inner vertices are written, and a curve in a
// complex chain is written on its own without joining the chain's record.
#include <gtest/gtest.h>

#include "translate/translate_fixture.h"

using dgntest::binPointRecord;
using dgntest::DesignFile;
using dgntest::Element;
using dgntest::ExpectItem;
using dgntest::sameBytes;
using namespace translate_test;

namespace {

const char kTable[] =
    "LS0001 1 0 0 0 0 0 \"\" 1.0 0\n"
    "CV0003 3 0 0 0 0 0 \"\" 1.0 0\n"
    "CX0005 5 0 0 0 0 0 \"\" 1.0 0\n";

Points numbered(int count, int32_t base) {
    Points pts;
    for (int i = 0; i < count; ++i) pts.push_back({base + 100 * i, base + 10 * i, 0});
    return pts;
}

TEST(CurveTranslation, OnlyTheInnerVerticesAreWritten) {
    // A vertex count of 9 over seven vertices.
    Element overrun = dgntest::curve(2, numbered(7, 5000));
    overrun.body[0] = 9;

    DesignFile d(2);
    d.add(onLevel(dgntest::curve(2, numbered(7, 0)), 3))
        .add(onLevel(dgntest::curve(2, numbered(4, 1000)), 3))  // nothing written
        .add(onLevel(dgntest::curve(2, numbered(5, 2000)), 3))
        .add(onLevel(overrun, 3));
    Conversion c = convert(d, kTable, 0, 0, 0);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("CV0003", {{200, 20, 0}, {300, 30, 0}, {400, 40, 0}}, {}),
                                  binPointRecord("CV0003", {{2200, 2020, 0}}, {}),
                                  binPointRecord("CV0003", {{5200, 5020, 0}, {5300, 5030, 0}, {5400, 5040, 0}},
                                                 {})}),
                          c.bin));
}

TEST(CurveTranslation, CurveInComplexChainOfModeTwoIsWrittenOnItsOwn) {
    DesignFile d(2);
    d.add(withItem(onLevel(dgntest::complexHeader(12), 5), 5, 131073))
        .add(component(dgntest::line(2, 0, 0, 0, 100, 0, 0)))
        .add(withItem(component(onLevel(dgntest::curve(2, numbered(5, 100)), 3)), 9, 3))
        .add(component(dgntest::line(2, 100, 0, 0, 200, 50, 0)))
        .add(dgntest::lineString(2, {{500, 500, 0}, {600, 600, 0}}));
    Conversion c = convert(d, kTable, 0, 0, 2);

    const ExpectItem header{5, 131073, ""};
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({// The header's items first, then the curve's own.
                binPointRecord("CV0003", {{300, 120, 0}}, {header, {9, 3, ""}}),
                // The first line's two points and the second line's end.
                binPointRecord("CX0005", {{0, 0, 0}, {100, 0, 0}, {200, 50, 0}}, {header}),
                binPointRecord("LS0001", {{500, 500, 0}, {600, 600, 0}}, {})}),
        c.bin));
}

}  // namespace
