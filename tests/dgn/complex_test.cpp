// Complex chains of lines end to end: records of each mode in their order,
// how a chain ends, which components are admitted, caps on items and points.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] =
    "LIN001  1 0 0 0 0 0 \"\" 1 0\nLIN002  2 0 0 0 0 0 \"\" 1 0\nCHN005  5 1 2 3 0 0 \"\" 1 0\n";

Element ln(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return line(2, x1, y1, 0, x2, y2, 0); }
Element chainHeader(int level = 5) { return withSymbology(complexHeader(12), level, 1, 2, 3); }

const Point3 A = {100, 100, 0}, B = {200, 100, 0}, C = {200, 300, 0};
const ExpectItem H{100, 1, ""}, OWN1{101, 2, ""}, OWN2{102, 3, ""};

// Header with item H, components A->B and B->C with one item each: 56 + 68
// + 68 bytes after the 1536 of the header element.
DesignFile chain(int headerLevel = 5) {
    DesignFile d(2);
    d.add(withItem(chainHeader(headerLevel), 100, 1))
        .add(asComponent(withItem(ln(100, 100, 200, 100), 101, 2)))
        .add(asComponent(withItem(ln(200, 100, 200, 300), 102, 3)));
    return d;
}
const Bytes kFirst = binPointRecord("LIN001", {A, B}, {H, OWN1});
const Bytes kSecond = binPointRecord("LIN001", {B, C}, {H, OWN2});
const Bytes kChain = binPointRecord("CHN005", {A, B, C}, {H});

// Three items per 0x1003 linkage, with the values base, base + 1, ...; the
// first `keep` of them are added to `kept`.
Bytes items1003(int linkages, int base, int keep, std::vector<ExpectItem>* kept) {
    Bytes b;
    for (int k = 0; k < linkages; ++k) {
        const Bytes l = linkage1003(base + 3 * k, base + 3 * k + 1, base + 3 * k + 2);
        b.insert(b.end(), l.begin(), l.end());
    }
    for (int v = 0; v < keep; ++v) kept->push_back({int16_t(32765 + v % 3), base + v, ""});
    return b;
}
}  // namespace

// The worked chain by mode; its header's symbology has no row and is looked
// up only in modes 1 and 2. Every end of the loop writes a pending chain. After
// an untranslated element ends a chain, a component has its own items only
// (its points are dropped at the end). A nested header writes the pending
// chain first. A decomposed cell lets its lines through with their own items.
TEST(ComplexChain, ModesEndsAndAdmission) {
    DesignFile worked = chain(9), untranslated = chain(), nested(2), cell(2);
    worked.add(onLevel(withItem(ln(1, 2, 3, 4), 103, 4), 2));
    Element other = textNode();
    other.type = 5;  // not translated
    untranslated.add(other).add(asComponent(withItem(ln(5, 6, 7, 8), 104, 5)));
    nested.add(withItem(chainHeader(), 100, 1))
        .add(asComponent(withItem(ln(100, 100, 200, 100), 101, 2)))
        .add(asComponent(onLevel(withItem(complexHeader(12), 200, 5), 2)))
        .add(asComponent(withItem(ln(400, 500, 600, 700), 102, 3)));
    const int32_t identity[4] = {214748, 0, 0, 214748};
    cell.add(withItem(cellHeader2D("ABC", identity, 500, 500), 300, 1))
        .add(asComponent(withItem(ln(100, 100, 200, 100), 101, 2)))
        .add(asComponent(ln(200, 100, 200, 300)))
        .add(ln(1, 2, 3, 4));
    const Bytes last = binPointRecord("LIN002", {{1, 2, 0}, {3, 4, 0}}, {{103, 4, ""}}),
                nuevo = binPointRecord("nuevo", {A, B, C}, {H}),
                records = concat({kFirst, kSecond, kChain});
    const std::string miss = std::string(kErrorHeader) + " 9 1   2 3  0    0 \"\"\r\n";
    const ExpectItem H2{200, 5, ""};
    const Point3 D = {400, 500, 0}, E = {600, 700, 0};
    const struct {
        const char* what;
        Bytes design;
        int claveCel, mode;
        Bytes bin;
        std::string end = kConsoleEnd;  // the console after the origin line
        std::string error = kErrorHeader;
    } cases[] = {
        {"mode 0", worked.bytes(), 0, 0, concat({kFirst, kSecond, last})},
        {"mode 1", worked.bytes(), 0, 1, concat({kFirst, kSecond, nuevo, last}), kConsoleEnd, miss},
        {"mode 2", worked.bytes(), 0, 2, concat({nuevo, last}), kConsoleEnd, miss},
        {"end marker", chain().bytes(true), 0, 1, records},
        {"end of file", chain().bytes(false), 0, 1, records, ""},
        {"truncated", concat({chain().bytes(false), {0x00, 0x03, 0x18}}), 0, 1, records,
         "ERROR Fichero DGN truncado en el byte 1728\n",
         std::string(kErrorHeader) + "ERROR Fichero DGN truncado en el byte 1728\r\n"},
        {"type 5", untranslated.bytes(), 0, 1,
         concat({records, binPointRecord("LIN001", {{5, 6, 0}, {7, 8, 0}}, {{104, 5, ""}})})},
        {"nested", nested.bytes(), 0, 1,
         concat({kFirst, binPointRecord("CHN005", {A, B}, {H}),
                 binPointRecord("LIN001", {D, E}, {H2, OWN2}),
                 binPointRecord("LIN002", {D, E}, {H2})})},
        {"clave_cel 1", cell.bytes(), 1, 1,
         concat({binPointRecord("LIN001", {A, B}, {OWN1}), binPointRecord("LIN001", {B, C}, {}),
                 binPointRecord("LIN001", {{1, 2, 0}, {3, 4, 0}}, {})})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Conversion r = convertBytes(c.design, kTable, settings(c.claveCel, 0, c.mode));
        EXPECT_EQ(r.exitStatus, c.end.find("ERROR") == 0 ? 1 : 0);
        EXPECT_TRUE(sameBytes(c.bin, r.bin));
        EXPECT_EQ(r.console, consoleStart(2) + c.end);
        EXPECT_EQ(r.errorFile, c.error);
    }
}

TEST(ItemAndPointCaps, CutWithOneWarning) {
    std::vector<ExpectItem> lineItems, mixed;
    DesignFile many(2), merged(2), longChain(2);
    many.add(withLinkages(ln(100, 100, 200, 100), {items1003(100, 0, 255, &lineItems)}));
    // 198 header items and 60 own: the header's and 57 own fit.
    merged.add(withLinkages(chainHeader(), {items1003(66, 0, 198, &mixed)}))
        .add(asComponent(withLinkages(ln(100, 100, 200, 100), {items1003(20, 1000, 57, &mixed)})));
    // 5000 lines from P(i) to P(i + 1): 5001 points, the first 5000 kept.
    auto P = [](int i) { return Point3{10 + i, 20 + 2 * i, 0}; };
    std::vector<Point3> points;
    longChain.add(withItem(chainHeader(), 100, 1));
    for (int i = 0; i < 5000; ++i) {
        longChain.add(asComponent(ln(P(i)[0], P(i)[1], P(i + 1)[0], P(i + 1)[1])));
        points.push_back(P(i));
    }
    const struct { const char* what; const DesignFile& d; int mode; Bytes bin; } cases[] = {
        {"300 items on a line", many, 0, binPointRecord("LIN001", {A, B}, lineItems)},
        {"merged items", merged, 0, binPointRecord("LIN001", {A, B}, mixed)},
        {"5001 points", longChain, 2, binPointRecord("CHN005", points, {H})},
    };
    const std::string start = consoleStart(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Conversion r = convert(c.d, kTable, settings(0, 0, c.mode));
        EXPECT_TRUE(sameBytes(c.bin, r.bin));
        // One warning line between the origin line and the end.
        EXPECT_EQ(r.console.substr(0, start.size() + 6), start + "AVISO ");
        EXPECT_EQ(r.console.substr(r.console.find('\n', start.size()) + 1), kConsoleEnd);
    }
}
