// The element loop end to end: where it ends (end marker, end of file,
// truncated element), deleted elements, and the range limit that stops the
// run.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dgn/conversion_fixture.h"

using namespace dgntest;

namespace {

Element chainHeader() { return withSymbology(complexHeader(12), 5, 1, 2, 3); }

const char kTruncatedAt1588[] = "ERROR Fichero DGN truncado en el byte 1588\n";
const char kTruncatedAt1588Crlf[] = "ERROR Fichero DGN truncado en el byte 1588\r\n";

// Two lines on levels 1 and 2, and their records.
DesignFile twoLines() {
    DesignFile d(2);
    Element second = line2D(10, 20, 30, 40);
    second.level = 2;
    d.add(line2D(100, 200, 300, 400)).add(second);
    return d;
}

std::vector<uint8_t> twoLineRecords() {
    return concat({binPointRecord("LIN001", {{100, 200, 0}, {300, 400, 0}}, {}),
                   binPointRecord("LIN002", {{10, 20, 0}, {30, 40, 0}}, {})});
}

std::vector<uint8_t> plus(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(ElementStreamEnd, EndMarkerEndOfFileAndBytesBehindTheMarker) {
    const DesignFile d = twoLines();
    {
        SCOPED_TRACE("end marker FF FF as the last two bytes");
        const Conversion c = convert(d, kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(twoLineRecords(), c.bin));
        EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        SCOPED_TRACE("no end marker: a normal end without the final line");
        const Conversion c = convert(d, kTable, settings(0, 0, 0), false);
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(twoLineRecords(), c.bin));
        EXPECT_EQ(c.console, consoleStart(2));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        SCOPED_TRACE("a whole line behind the marker is never read");
        const Conversion c = convertBytes(plus(d.bytes(true), encodeElement(line2D(1, 2, 3, 4))),
                                          kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(twoLineRecords(), c.bin));
        EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
    }
    {
        SCOPED_TRACE("FF FF and one more byte at the end is still the marker");
        const Conversion c = convertBytes(plus(d.bytes(true), {0x07}), kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(twoLineRecords(), c.bin));
        EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
}

TEST(ElementStreamEnd, FirstByteFFWithAnotherSecondByteIsAnElement) {
    // FF 03: a line on level 63 with the complex bit, admitted inside the
    // chain; its symbology has no row.
    std::vector<uint8_t> odd = encodeElement(line2D(1, 2, 3, 4));
    odd[0] = 0xFF;
    DesignFile d(2);
    d.add(chainHeader()).addRaw(odd).add(line2D(5, 6, 7, 8));
    const Conversion c = convert(d, kTable, settings(0, 0, 0));
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("nuevo", {{1, 2, 0}, {3, 4, 0}}, {}),
                                  binPointRecord("LIN001", {{5, 6, 0}, {7, 8, 0}}, {})}),
                          c.bin));
    EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + "63 0   0 0  0    0 \"\"\r\n");
    EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
}

TEST(ElementStreamEnd, TruncatedHeadOrBodyKeepsEarlierRecords) {
    // The header element is 1536 bytes and the first line 52, so the
    // incomplete element starts at byte 1588.
    DesignFile d(2);
    d.add(line2D(100, 200, 300, 400));
    const std::vector<uint8_t> good = d.bytes(false);
    const std::vector<uint8_t> firstRecord =
        binPointRecord("LIN001", {{100, 200, 0}, {300, 400, 0}}, {});

    std::vector<uint8_t> shortBody = encodeElement(line2D(1, 2, 3, 4));
    shortBody.resize(shortBody.size() - 2);
    Element overPromise = line2D(1, 2, 3, 4);
    overPromise.wordsToFollowOverride = 100;

    const std::vector<std::pair<std::string, std::vector<uint8_t>>> tails = {
        {"head of 1 byte", {0x00}},
        {"head of 2 bytes", {0x00, 0x03}},
        {"head of 3 bytes", {0x00, 0x03, 0x18}},
        {"head of 2 bytes FF 00", {0xFF, 0x00}},
        {"body 2 bytes short", shortBody},
        {"words to follow beyond the file", encodeElement(overPromise)},
    };
    for (const auto& tail : tails) {
        SCOPED_TRACE(tail.first);
        const Conversion c = convertBytes(plus(good, tail.second), kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 1);
        EXPECT_TRUE(sameBytes(firstRecord, c.bin));
        EXPECT_EQ(c.console, consoleStart(2) + kTruncatedAt1588);
        EXPECT_EQ(c.errorFile, std::string(kErrorHeader) + kTruncatedAt1588Crlf);
    }
}

TEST(ElementStreamEnd, TruncationWritesThePendingComplexRecordFirst) {
    // Header 40 bytes at 1536, component 52 bytes at 1576, the broken head
    // at 1628.
    DesignFile d(2);
    d.add(chainHeader()).add(asComponent(line2D(100, 200, 300, 400)));
    const Conversion c = convertBytes(plus(d.bytes(false), {0x00, 0x03, 0x18}), kTable,
                                      settings(0, 0, 1));
    EXPECT_EQ(c.exitStatus, 1);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("LIN001", {{100, 200, 0}, {300, 400, 0}}, {}),
                                  binPointRecord("CHN005", {{100, 200, 0}, {300, 400, 0}}, {})}),
                          c.bin));
    EXPECT_EQ(c.console, consoleStart(2) + "ERROR Fichero DGN truncado en el byte 1628\n");
    EXPECT_EQ(c.errorFile,
              std::string(kErrorHeader) + "ERROR Fichero DGN truncado en el byte 1628\r\n");
}

TEST(ElementStreamDeleted, DeletedElementsAreNotInTheDrawing) {
    {
        SCOPED_TRACE("a deleted line between two lines");
        DesignFile d(2);
        Element gone = withLinkages(line2D(50, 60, 70, 80), {userItem(9, 9)});
        gone.level = 7;  // no row: a lookup would show in the error file
        gone.deletedBit = true;
        Element second = line2D(10, 20, 30, 40);
        second.level = 2;
        d.add(line2D(100, 200, 300, 400)).add(gone).add(second);
        const Conversion c = convert(d, kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(twoLineRecords(), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
        EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
    }
    {
        SCOPED_TRACE("a deleted stand-alone line does not end a chain");
        DesignFile d(2);
        Element gone = line2D(900, 900, 950, 950);
        gone.deletedBit = true;
        d.add(withLinkages(chainHeader(), {userItem(77, 1)}))
            .add(asComponent(line2D(100, 100, 200, 100)))
            .add(gone)
            .add(asComponent(line2D(200, 100, 200, 300)))
            .add(line2D(1, 2, 3, 4));
        const Conversion c = convert(d, kTable, settings(0, 0, 1));
        EXPECT_EQ(c.exitStatus, 0);
        const ExpectItem h{77, 1, ""};
        EXPECT_TRUE(sameBytes(
            concat({binPointRecord("LIN001", {{100, 100, 0}, {200, 100, 0}}, {h}),
                    binPointRecord("LIN001", {{200, 100, 0}, {200, 300, 0}}, {h}),
                    binPointRecord("CHN005", {{100, 100, 0}, {200, 100, 0}, {200, 300, 0}}, {h}),
                    binPointRecord("LIN001", {{1, 2, 0}, {3, 4, 0}}, {})}),
            c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
}

// With factor 10 (1000 units per master unit) a coordinate of 500000000
// transforms to 5000000000, beyond 2^32; the message divides by 1000.
TEST(ElementStreamRange, RangeBeyondLimitStopsAfterTheRecordsBefore) {
    DesignFile base(2);
    base.units(10, 100).add(line2D(100, 200, 300, 400));
    const std::vector<uint8_t> firstRecord =
        binPointRecord("LIN001", {{1000, 2000, 0}, {3000, 4000, 0}}, {});
    const std::string factor10 = "10 0 0 0 0 0";
    {
        SCOPED_TRACE("both corners beyond: only the low corner is reported");
        DesignFile d = base;
        Element bad = line2D(10, 20, 30, 40);
        setRange(bad, 500000000, 20, 0, 600000000, 40, 0);
        d.add(bad).add(line2D(1, 1, 2, 2));
        const Conversion c = convert(d, kTable, factor10);
        EXPECT_EQ(c.exitStatus, 1);
        EXPECT_TRUE(sameBytes(firstRecord, c.bin));
        EXPECT_EQ(c.errorFile, std::string(kErrorHeader) +
                                   "L\xEDmite excedido en rango bajo: (5000000.000,      0.200,"
                                   "      0.000).\r\n Valor M\xE1ximo=4294967.296\r\n");
        EXPECT_EQ(c.console, consoleStart(2));
    }
    {
        SCOPED_TRACE("high corner beyond in z, in a 2D file");
        DesignFile d = base;
        Element bad = line2D(10, 20, 30, 40);
        setRange(bad, 10, 20, 0, 30, 40, 500000000);
        d.add(bad);
        const Conversion c = convert(d, kTable, factor10);
        EXPECT_EQ(c.exitStatus, 1);
        EXPECT_TRUE(sameBytes(firstRecord, c.bin));
        EXPECT_EQ(c.errorFile, std::string(kErrorHeader) +
                                   "L\xEDmite excedido en rango alto: (     0.300,      0.400,"
                                   " 5000000.000).\r\n Valor M\xE1ximo=4294967.296\r\n");
        EXPECT_EQ(c.console, consoleStart(2));
    }
    {
        SCOPED_TRACE("a component that is then skipped is still range-tested");
        DesignFile d = base;
        Element bad = asComponent(line2D(10, 20, 30, 40));
        setRange(bad, 500000000, 20, 0, 600000000, 40, 0);
        d.add(bad);
        const Conversion c = convert(d, kTable, factor10);
        EXPECT_EQ(c.exitStatus, 1);
        EXPECT_TRUE(sameBytes(firstRecord, c.bin));
        EXPECT_EQ(c.errorFile, std::string(kErrorHeader) +
                                   "L\xEDmite excedido en rango bajo: (5000000.000,      0.200,"
                                   "      0.000).\r\n Valor M\xE1ximo=4294967.296\r\n");
    }
    {
        SCOPED_TRACE("a text node and a deleted line are not range-tested");
        DesignFile d = base;
        Element node = textNode();
        setRange(node, 500000000, 500000000, 0, 600000000, 600000000, 0);
        Element gone = line2D(10, 20, 30, 40);
        setRange(gone, 500000000, 20, 0, 600000000, 40, 0);
        gone.deletedBit = true;
        d.add(node).add(gone).add(line2D(1, 2, 3, 4));
        const Conversion c = convert(d, kTable, factor10);
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(
            concat({firstRecord, binPointRecord("LIN001", {{10, 20, 0}, {30, 40, 0}}, {})}), c.bin));
        EXPECT_EQ(c.errorFile, kErrorHeader);
        EXPECT_EQ(c.console, consoleStart(2) + kConsoleEnd);
    }
}

// The global origin moves x by 2147483649 - 21 x 2^-21: the range's high x
// 2147483647 then transforms to 2^32 - 21 x 2^-21 + 0.00001, which rounds
// to exactly 2^32 and passes. With 2147483649 - 11 x 2^-21 it rounds to
// 2^32 + 5 x 2^-20 and stops the run.
TEST(ElementStreamRange, ExactlyTwoToThe32Passes) {
    const double passes = 2147483649.0 - 21.0 / 2097152.0;
    const double stops = 2147483649.0 - 11.0 / 2097152.0;
    auto design = [](double shift) {
        DesignFile d(2);
        d.origin(-shift, 0.0, 0.0);
        Element l = line2D(-2147483648 + 1000, 10, -2147483648 + 3000, 30);
        setRange(l, -2147483648 + 1000, 10, 0, 2147483647, 30, 0);
        d.add(l);
        return d;
    };
    const std::string start =
        "Fichero DGN en 2D\nOrigen Global GOX=  2147483649 GOY=          -0  GOZ=          -0\n";
    {
        // x: 1000 - 21 x 2^-21 + 1 + 0.00001 truncates to 1000.
        const Conversion c = convert(design(passes), kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {{1000, 10, 0}, {3000, 30, 0}}, {}), c.bin));
        EXPECT_EQ(c.console, start + kConsoleEnd);
        EXPECT_EQ(c.errorFile, kErrorHeader);
    }
    {
        const Conversion c = convert(design(stops), kTable, settings(0, 0, 0));
        EXPECT_EQ(c.exitStatus, 1);
        EXPECT_TRUE(c.bin.empty());
        EXPECT_EQ(c.console, start);
        EXPECT_EQ(c.errorFile, std::string(kErrorHeader) +
                                   "L\xEDmite excedido en rango alto: (42949672.960,      0.300,"
                                   "      0.000).\r\n Valor M\xE1ximo=42949672.960\r\n");
    }
}
