// Complex chains of lines end to end: the records of each complex mode and
// their order, how a chain ends, nested headers, which components are
// admitted, and the caps on merged items and joined points.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dgn/conversion_fixture.h"

using namespace dgntest;

namespace {

// Looked up by level 5, style 1, colour 2, weight 3: CHN005.
Element chainHeader(const std::vector<uint8_t>& linkage) {
    return withLinkages(withSymbology(complexHeader(12), 5, 1, 2, 3), {linkage});
}

// A = (100, 100), B = (200, 100), C = (200, 300).
const Point3 A = {100, 100, 0}, B = {200, 100, 0}, C = {200, 300, 0};

const ExpectItem H{100, 1, ""}, OWN1{101, 2, ""}, OWN2{102, 3, ""}, OWN_L{103, 4, ""};

// Header with one item, components A->B and B->C with one item each, then
// a stand-alone line on level 2.
DesignFile workedChain() {
    Element last = withLinkages(line2D(1, 2, 3, 4), {userItem(103, 4)});
    last.level = 2;
    DesignFile d(2);
    d.add(chainHeader(userItem(100, 1)))
        .add(asComponent(withLinkages(line2D(100, 100, 200, 100), {userItem(101, 2)})))
        .add(asComponent(withLinkages(line2D(200, 100, 200, 300), {userItem(102, 3)})))
        .add(last);
    return d;
}

std::vector<uint8_t> component1() { return binPointRecord("LIN001", {A, B}, {H, OWN1}); }
std::vector<uint8_t> component2() { return binPointRecord("LIN001", {B, C}, {H, OWN2}); }
std::vector<uint8_t> chainRecord() { return binPointRecord("CHN005", {A, B, C}, {H}); }
std::vector<uint8_t> lastLine() {
    return binPointRecord("LIN002", {{1, 2, 0}, {3, 4, 0}}, {OWN_L});
}

}  // namespace

TEST(ComplexChain, RecordsAndOrderInEachMode) {
    {
        SCOPED_TRACE("mode 0: the components, each with the header's item first");
        const Conversion c = convert(workedChain(), kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(concat({component1(), component2(), lastLine()}), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
        EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
    }
    {
        SCOPED_TRACE("mode 1: components, then the chain before the next element");
        const Conversion c = convert(workedChain(), kTable, settings(0, 0, 1));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(
            sameBytes(concat({component1(), component2(), chainRecord(), lastLine()}), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        SCOPED_TRACE("mode 2: only the chain");
        const Conversion c = convert(workedChain(), kTable, settings(0, 0, 2));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(concat({chainRecord(), lastLine()}), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        SCOPED_TRACE("mode 3: neither the chain nor its line components");
        const Conversion c = convert(workedChain(), kTable, settings(0, 0, 3));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(lastLine(), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
}

TEST(ComplexChain, HeaderIsLookedUpOnlyInModes1And2) {
    // Level 9, style 1, colour 2, weight 3 has no row.
    auto design = [] {
        DesignFile d(2);
        d.add(withLinkages(withSymbology(complexHeader(12), 9, 1, 2, 3), {userItem(100, 1)}))
            .add(asComponent(line2D(100, 100, 200, 100)));
        return d;
    };
    const std::string miss = " 9 1   2 3  0    0 \"\"\r\n";
    {
        const Conversion c = convert(design(), kTable, settings(0, 0, 0));
        EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {A, B}, {H}), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        // The chain reaches the end of the file and is still written.
        const Conversion c = convert(design(), kTable, settings(0, 0, 1));
        EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {A, B}, {H}),
                                      binPointRecord("nuevo", {A, B}, {H})}),
                              c.bin));
        EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + miss);
    }
}

TEST(ComplexChain, HowAChainEnds) {
    {
        SCOPED_TRACE("an untranslated type 5 ends it; a later component has its own items");
        Element other;
        other.type = 5;
        other.body = {1, 2, 3, 4};
        DesignFile d(2);
        d.add(chainHeader(userItem(100, 1)))
            .add(asComponent(withLinkages(line2D(100, 100, 200, 100), {userItem(101, 2)})))
            .add(asComponent(withLinkages(line2D(200, 100, 200, 300), {userItem(102, 3)})))
            .add(other)
            .add(asComponent(withLinkages(line2D(5, 6, 7, 8), {userItem(104, 5)})));
        const Conversion c = convert(d, kTable, settings(0, 0, 1));
        EXPECT_EQ(c.exitStatus, 0);
        // The last component's points go to the complex record, which is
        // dropped at the end: no chain is open.
        EXPECT_TRUE(sameBytes(concat({component1(), component2(), chainRecord(),
                                      binPointRecord("LIN001", {{5, 6, 0}, {7, 8, 0}},
                                                     {{104, 5, ""}})}),
                              c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    for (bool endMarker : {true, false}) {
        SCOPED_TRACE(endMarker ? "reaching the end marker" : "reaching the end of the file");
        DesignFile d(2);
        d.add(chainHeader(userItem(100, 1)))
            .add(asComponent(withLinkages(line2D(100, 100, 200, 100), {userItem(101, 2)})))
            .add(asComponent(withLinkages(line2D(200, 100, 200, 300), {userItem(102, 3)})));
        const Conversion one = convert(d, kTable, settings(0, 0, 1), endMarker);
        EXPECT_EQ(one.exitStatus, 0);
        EXPECT_TRUE(sameBytes(concat({component1(), component2(), chainRecord()}), one.bin));
        const Conversion two = convert(d, kTable, settings(0, 0, 2), endMarker);
        EXPECT_EQ(two.exitStatus, 0);
        EXPECT_TRUE(sameBytes(chainRecord(), two.bin));
        EXPECT_EQ(two.console, consoleStart(2) + (endMarker ? kConsoleEnd : ""));
    }
}

TEST(ComplexChain, NestedHeaderWritesThePendingChainFirst) {
    // The second header is a component of the first; the second chain is
    // coded by its own symbology (level 2: LIN002) and carries its own item.
    Element inner = asComponent(withLinkages(complexHeader(12), {userItem(200, 5)}));
    inner.level = 2;
    DesignFile d(2);
    d.add(chainHeader(userItem(100, 1)))
        .add(asComponent(withLinkages(line2D(100, 100, 200, 100), {userItem(101, 2)})))
        .add(inner)
        .add(asComponent(withLinkages(line2D(400, 500, 600, 700), {userItem(102, 3)})));
    const ExpectItem H2{200, 5, ""};
    const Point3 D = {400, 500, 0}, E = {600, 700, 0};
    {
        const Conversion c = convert(d, kTable, settings(0, 0, 1));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(concat({component1(), binPointRecord("CHN005", {A, B}, {H}),
                                      binPointRecord("LIN001", {D, E}, {H2, OWN2}),
                                      binPointRecord("LIN002", {D, E}, {H2})}),
                              c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        const Conversion c = convert(d, kTable, settings(0, 0, 2));
        EXPECT_TRUE(sameBytes(concat({binPointRecord("CHN005", {A, B}, {H}),
                                      binPointRecord("LIN002", {D, E}, {H2})}),
                              c.bin));
    }
}

TEST(ComplexAdmission, ComponentsBeforeAnyHeaderAreSkipped) {
    // The same line with level byte 0x85 (complex bit, level 5) and 0x05.
    const Element plain = withSymbology(line2D(10, 20, 30, 40), 5, 1, 2, 3);
    DesignFile d(2);
    d.add(asComponent(withLinkages(line2D(1, 1, 2, 2), {userItem(9, 9)})))
        .add(asComponent(plain))
        .add(plain);
    const Conversion c = convert(d, kTable, settings(0, 0, 1));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(binPointRecord("CHN005", {{10, 20, 0}, {30, 40, 0}}, {}), c.bin));
    EXPECT_EQ(c.errorFile, kErrorHeader);
}

TEST(ComplexAdmission, CellHeaderByCellKey) {
    const int32_t identity[4] = {214748, 0, 0, 214748};
    auto design = [&identity] {
        DesignFile d(2);
        d.add(withLinkages(cellHeader2D("ABC", identity, 500, 500), {userItem(300, 1)}))
            .add(asComponent(withLinkages(line2D(100, 100, 200, 100), {userItem(101, 2)})))
            .add(asComponent(line2D(200, 100, 200, 300)))
            .add(line2D(1, 2, 3, 4));
        return d;
    };
    const std::vector<uint8_t> last = binPointRecord("LIN001", {{1, 2, 0}, {3, 4, 0}}, {});
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE("clave_cel 1, mode " + std::to_string(mode));
        // Decomposed: the lines pass with their own items only; they join no
        // complex record.
        const Conversion c = convert(design(), kTable, settings(1, 0, mode));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {A, B}, {OWN1}),
                                      binPointRecord("LIN001", {B, C}, {}), last}),
                              c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        SCOPED_TRACE("clave_cel 3: nothing for the cell, its components skipped");
        const Conversion c = convert(design(), kTable, settings(3, 0, 1));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(last, c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
}

TEST(ComplexCaps, MergedItemsStopAt255) {
    // 198 header items and 60 of the component's own: the header's are kept
    // whole, 57 of the component's fit.
    std::vector<uint8_t> headerItems, ownItems;
    for (uint16_t k = 0; k < 66; ++k) {
        const std::vector<uint8_t> l = linkage1003(3 * k, 3 * k + 1, 3 * k + 2);
        headerItems.insert(headerItems.end(), l.begin(), l.end());
    }
    for (uint16_t k = 0; k < 20; ++k) {
        const std::vector<uint8_t> l = linkage1003(1000 + 3 * k, 1001 + 3 * k, 1002 + 3 * k);
        ownItems.insert(ownItems.end(), l.begin(), l.end());
    }
    DesignFile d(2);
    d.add(chainHeader(headerItems))
        .add(asComponent(withLinkages(line2D(100, 100, 200, 100), {ownItems})));
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_EQ(c.exitStatus, 0);
    std::vector<ExpectItem> items;
    for (int v = 0; v < 198; ++v) items.push_back({static_cast<int16_t>(32765 + v % 3), v, ""});
    for (int i = 0; i < 57; ++i)
        items.push_back({static_cast<int16_t>(32765 + i % 3), 1000 + i, ""});
    EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {A, B}, items), c.bin));

    const std::string start = consoleStart(2);
    ASSERT_GT(c.console.size(), start.size());
    EXPECT_EQ(c.console.substr(0, start.size()), start);
    const std::string rest = c.console.substr(start.size());
    EXPECT_EQ(rest.rfind("AVISO ", 0), 0u) << rest;
    EXPECT_EQ(rest.substr(rest.find('\n') + 1), kConsoleEnd);
}

TEST(ComplexCaps, ChainOfMoreThan5000PointsKeepsTheFirst5000) {
    // 5000 lines from P(i) to P(i + 1) give the points P(0) to P(5000);
    // the complex record holds P(0) to P(4999).
    auto P = [](int i) { return Point3{10 + i, 20 + 2 * i, 0}; };
    DesignFile d(2);
    d.add(chainHeader(userItem(100, 1)));
    for (int i = 0; i < 5000; ++i)
        d.add(asComponent(line2D(P(i)[0], P(i)[1], P(i + 1)[0], P(i + 1)[1])));
    std::vector<Point3> kept;
    for (int i = 0; i < 5000; ++i) kept.push_back(P(i));
    const Conversion c = convert(d, kTable, settings(0, 0, 2));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(binPointRecord("CHN005", kept, {H}), c.bin));

    const std::string start = consoleStart(2);
    ASSERT_GT(c.console.size(), start.size());
    EXPECT_EQ(c.console.substr(0, start.size()), start);
    const std::string rest = c.console.substr(start.size());
    EXPECT_EQ(rest.rfind("AVISO ", 0), 0u) << rest;
    EXPECT_EQ(rest.substr(rest.find('\n') + 1), kConsoleEnd);
}
