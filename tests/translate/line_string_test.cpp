// Line strings and shapes end to end: vertices as stored, two equal vertices,
// a count cut to the element, complex chains and shapes in modes 1 and 2.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

static const char kTable[] =
    "LS0001 1 0 0 0 0 0 \"\" 1.0 0\n"
    "SH0002 2 0 0 0 0 0 \"\" 1.0 0\n"
    "CX0005 5 0 0 0 0 0 \"\" 1.0 0\n";

static Bytes ls(const std::vector<Point3>& pts, const std::vector<ExpectItem>& items = {}) {
    return binPointRecord("LS0001", pts, items);
}

TEST(LineStringTranslation, VerticesAreWrittenAsStored) {
    Element overrun = lineString(2, {{200, 0, 0}, {300, 0, 0}, {300, 300, 0}});
    overrun.body[0] = 5;  // over three whole vertices and half a fourth
    putI32Dgn(overrun.body, 900);
    const std::vector<Point3> square = {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0},
                                        {0, 0, 0}};  // closed as stored
    DesignFile d(2);
    d.add(onLevel(shape(2, square), 2))
        .add(lineString(2, {{50, 60, 0}, {50, 60, 0}}))  // two equal: one point
        .add(overrun);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("SH0002", square, {}), ls({{50, 60, 0}}),
                                  ls({{200, 0, 0}, {300, 0, 0}, {300, 300, 0}})}),
                          convert(d, kTable).bin));
    DesignFile solid(3);  // equal in x and y only: the first vertex, with its z
    solid.add(lineString(3, {{50, 60, 10}, {50, 60, 20}}));
    EXPECT_TRUE(sameBytes(ls({{50, 60, 10}}), convert(solid, kTable).bin));
}

// A chain of a line string repeating its vertex, then a complex shape of two line
// strings; mode 1 writes the components and the joined record, mode 2 only the latter.
TEST(LineStringTranslation, ComplexRecordsInModesOneAndTwo) {
    DesignFile d(2);
    d.add(onLevel(complexHeader(12), 5))
        .add(asComponent(lineString(2, {{7, 7, 0}, {7, 7, 0}, {7, 7, 0}})))
        .add(lineString(2, {{500, 500, 0}, {600, 600, 0}}))
        .add(withItem(onLevel(complexHeader(14), 5), 5, 131073))
        .add(withItem(asComponent(lineString(2, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}})), 7, 1))
        .add(withItem(asComponent(lineString(2, {{10, 10, 0}, {0, 10, 0}, {0, 0, 0}})), 8, 2))
        .add(lineString(2, {{800, 800, 0}, {900, 900, 0}}));
    const ExpectItem h{5, 131073, ""};
    const Bytes repeat = ls({{7, 7, 0}, {7, 7, 0}, {7, 7, 0}});
    const Bytes chain = binPointRecord("CX0005", {{7, 7, 0}}, {});  // the repeats once
    const Bytes first = ls({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, {h, {7, 1, ""}});
    const Bytes second = ls({{10, 10, 0}, {0, 10, 0}, {0, 0, 0}}, {h, {8, 2, ""}});
    const Bytes joined = binPointRecord(  // the header's code and items
        "CX0005", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}}, {h});
    const Bytes a = ls({{500, 500, 0}, {600, 600, 0}}), b = ls({{800, 800, 0}, {900, 900, 0}});
    EXPECT_TRUE(sameBytes(concat({repeat, chain, a, first, second, joined, b}),
                          convert(d, kTable, settings(0, 0, 1)).bin));
    EXPECT_TRUE(
        sameBytes(concat({chain, a, joined, b}), convert(d, kTable, settings(0, 0, 2)).bin));
}
