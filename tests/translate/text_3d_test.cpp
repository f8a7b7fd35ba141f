// Texts in a 3D design file, end to end: the angle from the quaternion's
// matrix (m0 and m3), a rounded quaternion whose m0 lies above 1, and the
// annotation height, which in 3D follows the units ratio.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

using dgntest::DesignFile;
using dgntest::Element;
using dgntest::ProgramResult;
using dgntest::TempDir;

namespace {

const char kErrHeader[] = "NIVEL ESTILO COLOR PESO FONT GG\r\n";

const char kTable[] =
    "BYSYMB 2 0 0 0 99 0 \"\" 1.0 0\n"
    "ANO520 5 0 0 0 99 0 \"\" 1.5 @5200\n"
    "ANO000 6 0 0 0 99 0 \"\" 0 @5200\n";

const int32_t kIdentity[4] = {2147483647, 0, 0, 0};

struct Output {
    std::vector<uint8_t> bin;
    std::string err;
};

Output convert(const DesignFile& dgn, const std::string& words) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    dgn.write(dir.file("in.dgn"));
    const ProgramResult r = dgntest::runProgram(dir.path(), {words});
    EXPECT_EQ(r.exitStatus, 0) << r.out << r.err;
    return {dir.readFile("out.bin"), dir.readText("in.ERR")};
}

// Height multiplier 50000: H = 300.01 at factor 1, height field 300.
Element text(int level, uint8_t just, const int32_t q[4], int32_t ox, int32_t oy, int32_t oz,
             const std::string& chars) {
    Element e = dgntest::text3D(1, just, 0, 50000, q, ox, oy, oz, chars);
    e.level = level;
    return e;
}

using Box = std::array<int32_t, 9>;
using Pt = std::array<int32_t, 3>;

std::vector<uint8_t> textRecord(const std::string& code, const Box& box, const Pt& at,
                                const std::string& chars) {
    return dgntest::binTextRecord(code, box.data(), at, chars, {});
}

void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& record) {
    to.insert(to.end(), record.begin(), record.end());
}

}  // namespace

// cosA = m0 and sinA = m3 as they are; A = arccos m0, or 2 pi less it when
// m3 < 0. All three at origin (1000, 2000, 500); z takes e = 1e-7.
TEST(TextTranslator3D, AngleFromTheQuaternionMatrix) {
    // m0 0.7347586, m3 -0.6782769: G = 360 - 42.7131772 = 317.2868228, field
    // 31728. Range centre (1450, 1750) projects to F (1367.56, 1660.69):
    // D 500.228; l + h = (367.547, -339.293) + (101.753, 110.218) gives
    // (1469.30, 1770.92). Writer's corners from (1469, 1770) at 31728:
    // (2130.21, 1159.43), (2333.74, 1379.83), (1672.52, 1990.40).
    const int32_t turned[4] = {2000000000, 0, 0, 782000000};
    Element negative = text(2, 7, turned, 1000, 2000, 500, "ABC");
    dgntest::setRange(negative, 1000, 1500, 500, 1900, 2000, 500);
    // The identity on the worked example's range: as in 2D, (1600, 2150).
    Element identity = text(2, 7, kIdentity, 1000, 2000, 500, "ABC");
    dgntest::setRange(identity, 1000, 1900, 500, 2200, 2350, 500);
    // 90 degrees about x, rounded when stored: m0 = 1.0000000009, m3 = 0.
    // The arc cosine takes 1, so A and the angle field are 0 and the half
    // height points up y, as for the identity (an unclamped arc cosine would
    // make A NaN and the point (0, 0)); l = (D x m0, 0) = (600.0000005, 0).
    const int32_t aboutX[4] = {1518500250, 1518500250, 0, 0};
    Element rounded = text(2, 7, aboutX, 1000, 2000, 500, "ABC");
    dgntest::setRange(rounded, 1000, 1900, 500, 2200, 2350, 500);

    DesignFile dgn(3);
    dgn.add(negative).add(identity).add(rounded);
    const Output out = convert(dgn, "out in 1 0 0 0 0 0");

    std::vector<uint8_t> expected;
    append(expected, textRecord("BYSYMB", {1469, 1159, 500, 2333, 1990, 500, 300, 8, 31728},
                                {1469, 1770, 500}, "ABC"));
    append(expected, textRecord("BYSYMB", {1600, 2150, 500, 2500, 2450, 500, 300, 8, 0},
                                {1600, 2150, 500}, "ABC"));
    append(expected, textRecord("BYSYMB", {1600, 2150, 500, 2500, 2450, 500, 300, 8, 0},
                                {1600, 2150, 500}, "ABC"));
    EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
    EXPECT_EQ(out.err, kErrHeader);
}

// In 3D the "@" height is trunc(units ratio x ALTO x factor); 0 gives 100.
TEST(TextTranslator3D, AnnotationHeightFollowsTheUnitsRatio) {
    {
        SCOPED_TRACE("factor 10, 1000 units per master unit");
        DesignFile dgn(3);
        dgn.units(10, 100);
        dgn.add(text(5, 2, kIdentity, 100, 200, 30, "AB"))
            .add(text(6, 2, kIdentity, 100, 200, 30, "AB"));
        const Output out = convert(dgn, "out in 10 0 0 0 0 0");

        std::vector<uint8_t> expected;
        // 1000 x 1.5 x 10 = 15000 at (1000, 2000, 300): r = 7500.
        append(expected,
               textRecord("ANO520", {-6500, -5500, 300, 8500, 9500, 300, 15000, 0, 0},
                          {1000, 2000, 300}, "@5200"));
        append(expected, textRecord("ANO000", {950, 1950, 300, 1050, 2050, 300, 100, 0, 0},
                                    {1000, 2000, 300}, "@5200"));
        EXPECT_TRUE(dgntest::sameBytes(expected, out.bin));
        EXPECT_EQ(out.err, kErrHeader);
    }
    {
        SCOPED_TRACE("factor 99 (1.0), 1000 units per master unit");
        DesignFile dgn(3);
        dgn.units(10, 100);
        dgn.add(text(5, 2, kIdentity, 1000, 2000, 300, "AB"));
        const Output out = convert(dgn, "out in 99 0 0 0 0 0");
        // 1000 x 1.5 x 1.0 = 1500 (a 2D file would give 150): r = 750.
        EXPECT_TRUE(dgntest::sameBytes(
            textRecord("ANO520", {250, 1250, 300, 1750, 2750, 300, 1500, 0, 0},
                       {1000, 2000, 300}, "@5200"),
            out.bin));
    }
}
