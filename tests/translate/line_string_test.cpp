// Line strings and shapes end to end: every stored vertex in order, the
// two-equal-vertices rule, the vertex count cut to the element, and the
// joined record of complex chains and shapes in complex modes 1 and 2.
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
    "SH0002 2 0 0 0 0 0 \"\" 1.0 0\n"
    "CX0005 5 0 0 0 0 0 \"\" 1.0 0\n";

TEST(LineStringTranslation, VerticesAreWrittenAsStored) {
    // A vertex count of 5 over three whole vertices and half of a fourth.
    Element overrun = dgntest::lineString(2, {{200, 0, 0}, {300, 0, 0}, {300, 300, 0}});
    overrun.body[0] = 5;
    overrun.body[1] = 0;
    dgntest::putI32Dgn(overrun.body, 900);

    DesignFile d(2);
    d.add(dgntest::lineString(2, {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}}))
        .add(onLevel(dgntest::shape(2, {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0}, {0, 0, 0}}), 2))
        .add(dgntest::lineString(2, {{50, 60, 0}, {50, 60, 0}}))
        .add(dgntest::lineString(2, {{7, 7, 0}, {7, 7, 0}, {7, 7, 0}}))
        .add(overrun);
    Conversion c = convert(d, kTable, 0, 0, 0);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("LS0001", {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}}, {}),
                // The shape's closing vertex is written as stored.
                binPointRecord("SH0002", {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0}, {0, 0, 0}}, {}),
                // Two equal vertices make a one-point record.
                binPointRecord("LS0001", {{50, 60, 0}}, {}),
                // Three equal vertices stay three points in the element's own record.
                binPointRecord("LS0001", {{7, 7, 0}, {7, 7, 0}, {7, 7, 0}}, {}),
                // Only the whole vertices inside the element are taken.
                binPointRecord("LS0001", {{200, 0, 0}, {300, 0, 0}, {300, 300, 0}}, {})}),
        c.bin));
}

TEST(LineStringTranslation, ThreeDimensionalVerticesKeepTheirZ) {
    DesignFile d(3);
    d.add(dgntest::lineString(3, {{1, 2, 3}, {40, 50, 60}, {70, 80, 90}}))
        // Equal in x and y, different in z: one point, the first.
        .add(dgntest::lineString(3, {{50, 60, 10}, {50, 60, 20}}));
    Conversion c = convert(d, kTable, 0, 0, 0);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("LS0001", {{1, 2, 3}, {40, 50, 60}, {70, 80, 90}}, {}),
                                  binPointRecord("LS0001", {{50, 60, 10}}, {})}),
                          c.bin));
}

// A complex chain whose one line string repeats its vertex three times, then
// a complex shape of two line strings; each ends at a stand-alone line
// string. The shape's header carries one item, each component one of its
// own.
DesignFile complexDesign() {
    DesignFile d(2);
    d.add(onLevel(dgntest::complexHeader(12), 5))
        .add(component(dgntest::lineString(2, {{7, 7, 0}, {7, 7, 0}, {7, 7, 0}})))
        .add(dgntest::lineString(2, {{500, 500, 0}, {600, 600, 0}}))
        .add(withItem(onLevel(dgntest::complexHeader(14), 5), 5, 131073))
        .add(withItem(component(dgntest::lineString(2, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}})), 7, 1))
        .add(withItem(component(dgntest::lineString(2, {{10, 10, 0}, {0, 10, 0}, {0, 0, 0}})), 8, 2))
        .add(dgntest::lineString(2, {{800, 800, 0}, {900, 900, 0}}));
    return d;
}

const ExpectItem kHeaderItem{5, 131073, ""};

TEST(LineStringTranslation, ComplexModeOneWritesComponentsThenTheJoinedRecord) {
    Conversion c = convert(complexDesign(), kTable, 0, 0, 1);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("LS0001", {{7, 7, 0}, {7, 7, 0}, {7, 7, 0}}, {}),
                // The repeated vertex joins the chain's record once.
                binPointRecord("CX0005", {{7, 7, 0}}, {}),
                binPointRecord("LS0001", {{500, 500, 0}, {600, 600, 0}}, {}),
                binPointRecord("LS0001", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, {kHeaderItem, {7, 1, ""}}),
                binPointRecord("LS0001", {{10, 10, 0}, {0, 10, 0}, {0, 0, 0}}, {kHeaderItem, {8, 2, ""}}),
                // Coded by the header's symbology, with the header's items.
                binPointRecord("CX0005", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}},
                               {kHeaderItem}),
                binPointRecord("LS0001", {{800, 800, 0}, {900, 900, 0}}, {})}),
        c.bin));
}

TEST(LineStringTranslation, ComplexModeTwoWritesOnlyTheJoinedRecord) {
    Conversion c = convert(complexDesign(), kTable, 0, 0, 2);

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(
        concat({binPointRecord("CX0005", {{7, 7, 0}}, {}),
                binPointRecord("LS0001", {{500, 500, 0}, {600, 600, 0}}, {}),
                binPointRecord("CX0005", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}},
                               {kHeaderItem}),
                binPointRecord("LS0001", {{800, 800, 0}, {900, 900, 0}}, {})}),
        c.bin));
}

}  // namespace
