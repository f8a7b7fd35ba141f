// The command line as a user gives it: the eight words, their separators,
// the usage text for any other count, the scale-factor words the run
// accepts, and what a complete run of a design file without elements
// prints and leaves behind.
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/converter.h"
#include "run/usage.h"
#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

using dgntest::DesignFile;
using dgntest::ProgramResult;
using dgntest::TempDir;
using dgntest::runProgram;

namespace {

// One row coding level 1, style 0, colour 0, weight 0.
const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";
const char kErrHeader[] = "NIVEL ESTILO COLOR PESO FONT GG\r\n";
// A zero global origin, negated, as %12.0f prints it.
const char kZeroOriginLine[] = "Origen Global GOX=          -0 GOY=          -0  GOZ=          -0\n";

// The usage text line by line, as the program documents its command line.
const char kExpectedUsage[] =
    "<ficheroBIN> <ficheroDGN> <factor> <clave_cel> <clave_gg> <pattern> <trasUTM> <generaComplex_KELO\n"
    "   fichero  BIN sin extension\n"
    "   fichero  DGN sin extension\n"
    "   factor de escala de la transformacion\n"
    "      ejemplo DGN en mms.  KELO en cms. --> factor  0.1\n"
    "              DGN en cms.  KELO en cms. --> factor  1.0\n"
    "              DGN en mms.  KELO en mms. --> factor 99.0\n"
    "              DGN en cms.  KELO en mms. --> factor 10.0\n"
    "\n"
    "    clave_cel = 0  celulas --> puntos\n"
    "    clave_cel = 1  celulas --> dibujo (se descomponen)\n"
    "    clave_cel = 2  celulas --> s\xED" "mbolos\n"
    "    clave_cel  0 o 2  el nombre celula  --> codigo KELO\n"
    "    clave_cel=1 y clave_gg=0   nivel, color ...  --> codigo KELO\n"
    "    clave_cel=1 y clave_gg=1   grupo_grafico...  --> codigo KELO\n"
    "\n"
    "    clave_gg = 0  nivel,color,peso,estilo --> codigo KELO\n"
    "    clave_gg = 1  grupo_grafico            --> codigo KELO\n"
    "\n"
    "    pattern=0 ==> NO se traducen los pattern\n"
    "    pattern=1 ==> SI se traducen los pattern\n"
    "\n"
    "    trasUTM = valor de la traslaci\xF3" "n en Y en coordenadas UTM\n"
    "\n"
    "    generaComplex_KELO = 0|1|2 0: No traduce Complex, solo componentes. 1: Traduce Complex y "
    "Componentes. 2: Traduce solo complex.\n"
    "DGNBIN.TAB\n"
    "CODIGO NIVEL ESTILO COLOR PESO FONT GRUPO_G.  CELL/SIMB. ALTO  Simb.Kelo\n"
    "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5      0      [Pasa Tipo DGN a Tipo KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5      C      [Pasa de Texto DGN a Punto KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5     @5200   [Pasa c\xE9" "lula DGN a Texto KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5     @CAMINO [Pasa Texto DGN a la Anotaci\xF3" "n @CAMINO]\n";

std::set<std::string> filesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.insert(entry.path().filename().string());
    return names;
}

// A directory with the code table and in.dgn, a 2D design without elements
// of the given units.
void prepare(const TempDir& dir, uint32_t subunits = 10, uint32_t units = 10) {
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    DesignFile(2).units(subunits, units).write(dir.file("in.dgn"));
}

int pauses = 0;
void countPause() { ++pauses; }

// Runs the converter in this process, in `dir`, with the pause after the
// usage text replaced; gives the console output.
std::string runInProcess(const TempDir& dir, const char* words, bool* completed) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    void (*savedPause)() = usagePause;
    usagePause = countPause;
    std::vector<char> line;
    if (words != nullptr) line.assign(words, words + std::strlen(words) + 1);
    testing::internal::CaptureStdout();
    {
        Converter converter;
        *completed = converter.runConversion(words != nullptr ? line.data() : nullptr);
    }
    std::string out = testing::internal::GetCapturedStdout();
    usagePause = savedPause;
    std::filesystem::current_path(before);
    return out;
}

}  // namespace

TEST(CommandLine, UsageTextIsTheDocumentedThirtyTwoLines) {
    EXPECT_EQ(std::strlen(kUsageText), 1725u);
    EXPECT_EQ(std::strlen(kExpectedUsage), 1725u);
    EXPECT_EQ(std::string(kUsageText), std::string(kExpectedUsage));
}

TEST(CommandLine, AnyWordCountButEightPrintsUsageAndTouchesNothing) {
    const char* const lines[] = {
        nullptr,                           // no argument at all
        "",                                // an empty argument
        "out",                             // one word
        "out in 10 0 0 0 0",               // seven
        "out in 10 0 0 0 0 1 extra",       // nine
        "out in 10 0 0 0 \"0 1\"",         // seven: the quoted blank is not a separator
        "out,in,10,0,0,0,0",               // seven, with commas
    };
    for (const char* words : lines) {
        SCOPED_TRACE(words != nullptr ? words : "(no argument)");
        TempDir dir;
        prepare(dir);
        pauses = 0;
        bool completed = true;
        const std::string out = runInProcess(dir, words, &completed);
        EXPECT_FALSE(completed);
        EXPECT_EQ(out, std::string(kExpectedUsage));
        EXPECT_EQ(pauses, 1);
        EXPECT_EQ(filesIn(dir), (std::set<std::string>{"DGNBIN.TAB", "in.dgn"}));
    }
}

// The one test that waits through the pause after the usage text.
TEST(CommandLine, EightSeparateArgumentsAreOneWordAndGiveUsage) {
    TempDir dir;
    prepare(dir, 10, 100);
    const ProgramResult r = runProgram(dir.path(), {"out", "in", "10", "0", "0", "0", "0", "1"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.size(), 1725u);
    EXPECT_EQ(r.out, std::string(kExpectedUsage));
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"DGNBIN.TAB", "in.dgn"}));
}

TEST(CommandLine, CommasAndNewlinesSeparateWordsLikeBlanks) {
    for (const char* words : {"out,in,10,0,0,0,0,1", "out\nin\n10\n0\n0\n0\n0\n1",
                              " out , in ,10,,0 0\n0,0,1 "}) {
        SCOPED_TRACE(words);
        TempDir dir;
        prepare(dir, 10, 100);
        const ProgramResult r = runProgram(dir.path(), {words});
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "Fichero DGN en 2D\n" + std::string(kZeroOriginLine) +
                             "Final del fichero DGN\n");
        EXPECT_EQ(filesIn(dir),
                  (std::set<std::string>{"DGNBIN.TAB", "in.dgn", "out.bin", "in.ERR"}));
        EXPECT_TRUE(dir.readFile("out.bin").empty());
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    }
}

TEST(CommandLine, ScaleFactorWordsAcceptedWithTheirUnits) {
    struct Case {
        const char* factor;
        uint32_t subunits, units;  // positional units per master: their product
    };
    const Case cases[] = {
        {"10", 10, 100},  {"10.0", 10, 100}, {"1e1", 10, 100}, {"99", 10, 100},
        {"99.0", 100, 10}, {"1", 10, 10},    {"1.0", 1, 100},  {"0.1", 10, 10},
        {".1", 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        TempDir dir;
        prepare(dir, c.subunits, c.units);
        const ProgramResult r =
            runProgram(dir.path(), {std::string("out in ") + c.factor + " 0 0 0 0 1"});
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "Fichero DGN en 2D\n" + std::string(kZeroOriginLine) +
                             "Final del fichero DGN\n");
        EXPECT_TRUE(dir.readFile("out.bin").empty());
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    }
}

// Only the low-order word of each units field counts, and only the low 16
// bits of their product.
TEST(CommandLine, UnitsRatioIsTheLowSixteenBitsOfTheLowWordsProduct) {
    struct Case {
        uint32_t subunits, units;
        const char* accepted;  // a factor that needs this ratio
        const char* refused;   // a factor that needs the other ratio
    };
    const Case cases[] = {
        {0x10000 + 10, 0x20000 + 100, "10", "1"},  // high words ignored: 1000
        {2, 33268, "10", "1"},                     // 66536 wraps to 1000
        {4, 16409, "1", "10"},                     // 65636 wraps to 100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.subunits << " x " << c.units);
        TempDir dir;
        prepare(dir, c.subunits, c.units);
        const ProgramResult ok =
            runProgram(dir.path(), {std::string("out in ") + c.accepted + " 0 0 0 0 1"});
        EXPECT_EQ(ok.exitStatus, 0);
        EXPECT_EQ(ok.err, "");
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);

        const ProgramResult bad =
            runProgram(dir.path(), {std::string("out in ") + c.refused + " 0 0 0 0 1"});
        EXPECT_EQ(bad.exitStatus, 1);
        EXPECT_EQ(bad.err, "");
        EXPECT_EQ(bad.out, "Fichero DGN en 2D\n" + std::string(kZeroOriginLine) +
                               "Error: Incoherencia en factor_escala y fichero semilla elegidos.\n");
    }
}

TEST(CommandLine, RunOfADesignWithoutElements) {
    {
        SCOPED_TRACE("2D, zero origin, a stale BIN file of the same name");
        TempDir dir;
        prepare(dir);
        dir.writeFile("out.bin", std::string(500, 'x'));
        const ProgramResult r = runProgram(dir.path(), {"out in 1 0 0 0 0 1"});
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "Fichero DGN en 2D\n" + std::string(kZeroOriginLine) +
                             "Final del fichero DGN\n");
        EXPECT_TRUE(dir.readFile("out.bin").empty());
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    }
    {
        SCOPED_TRACE("3D, origin (1000, 2000, 300)");
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        DesignFile(3).origin(1000, 2000, 300).write(dir.file("in.dgn"));
        const ProgramResult r = runProgram(dir.path(), {"out in 1 0 0 0 0 1"});
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out,
                  "Fichero DGN en 3D\n"
                  "Origen Global GOX=       -1000 GOY=       -2000  GOZ=        -300\n"
                  "Final del fichero DGN\n");
        EXPECT_TRUE(dir.readFile("out.bin").empty());
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    }
    {
        SCOPED_TRACE("2D: the origin's z is read and printed too; negative origin");
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        DesignFile(2).origin(-5, 123456789, 300).write(dir.file("in.dgn"));
        const ProgramResult r = runProgram(dir.path(), {"out in 1 0 0 0 0 1"});
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out,
                  "Fichero DGN en 2D\n"
                  "Origen Global GOX=           5 GOY=  -123456789  GOZ=        -300\n"
                  "Final del fichero DGN\n");
    }
}

// The design file is only read: one the user may not write still converts,
// and its bytes stay as they were.
TEST(CommandLine, ReadOnlyDesignFileConverts) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    DesignFile(2).add(dgntest::line(2, 100, 200, 0, 300, 400, 0)).write(dir.file("in.dgn"));
    const std::vector<uint8_t> before = dir.readFile("in.dgn");
    ASSERT_EQ(::chmod(dir.file("in.dgn").c_str(), 0444), 0);

    const ProgramResult r = runProgram(dir.path(), {"out in 1 0 0 0 0 1"});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Fichero DGN en 2D\n" + std::string(kZeroOriginLine) +
                         "Final del fichero DGN\n");
    EXPECT_TRUE(dgntest::sameBytes(dgntest::binPointRecord("001106", {{100, 200, 0}, {300, 400, 0}}, {}),
                                   dir.readFile("out.bin")));
    EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    EXPECT_EQ(dir.readFile("in.dgn"), before);
    struct stat st;
    ASSERT_EQ(::stat(dir.file("in.dgn").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

// Base names are used whole, however long the path they give.
TEST(CommandLine, LongBaseNamesAreUsedWhole) {
    TempDir dir;
    const std::string sub = std::string(120, 'a') + "/" + std::string(120, 'b') + "/" +
                            std::string(120, 'c');
    std::filesystem::create_directories(dir.file(sub));
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    DesignFile(2).write(dir.file(sub + "/in.dgn"));
    const ProgramResult r =
        runProgram(dir.path(), {sub + "/out " + sub + "/in 1 0 0 0 0 1"});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Fichero DGN en 2D\n" + std::string(kZeroOriginLine) +
                         "Final del fichero DGN\n");
    EXPECT_TRUE(dir.readFile(sub + "/out.bin").empty());
    EXPECT_EQ(dir.readText(sub + "/in.ERR"), kErrHeader);
}
