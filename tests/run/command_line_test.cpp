// The command line as a user gives it: the usage text for any word count but
// eight, separators, units, the origin line, long names, a read-only design.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "run/converter.h"
#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";

const char kExpectedUsage[] =
    "<ficheroBIN> <ficheroDGN> <factor> <clave_cel> <clave_gg> <pattern> <trasUTM> <generaComplex_KELO\n"
    "   fichero  BIN sin extension\n" "   fichero  DGN sin extension\n"
    "   factor de escala de la transformacion\n"
    "      ejemplo DGN en mms.  KELO en cms. --> factor  0.1\n"
    "              DGN en cms.  KELO en cms. --> factor  1.0\n"
    "              DGN en mms.  KELO en mms. --> factor 99.0\n"
    "              DGN en cms.  KELO en mms. --> factor 10.0\n"
    "\n" "    clave_cel = 0  celulas --> puntos\n"
    "    clave_cel = 1  celulas --> dibujo (se descomponen)\n"
    "    clave_cel = 2  celulas --> s\xED" "mbolos\n"
    "    clave_cel  0 o 2  el nombre celula  --> codigo KELO\n"
    "    clave_cel=1 y clave_gg=0   nivel, color ...  --> codigo KELO\n"
    "    clave_cel=1 y clave_gg=1   grupo_grafico...  --> codigo KELO\n"
    "\n" "    clave_gg = 0  nivel,color,peso,estilo --> codigo KELO\n"
    "    clave_gg = 1  grupo_grafico            --> codigo KELO\n"
    "\n" "    pattern=0 ==> NO se traducen los pattern\n"
    "    pattern=1 ==> SI se traducen los pattern\n"
    "\n" "    trasUTM = valor de la traslaci\xF3" "n en Y en coordenadas UTM\n"
    "\n" "    generaComplex_KELO = 0|1|2 0: No traduce Complex, solo componentes. 1: Traduce Complex y "
    "Componentes. 2: Traduce solo complex.\n" "DGNBIN.TAB\n"
    "CODIGO NIVEL ESTILO COLOR PESO FONT GRUPO_G.  CELL/SIMB. ALTO  Simb.Kelo\n"
    "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5      0      [Pasa Tipo DGN a Tipo KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5      C      [Pasa de Texto DGN a Punto KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5     @5200   [Pasa c\xE9" "lula DGN a Texto KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5     @CAMINO [Pasa Texto DGN a la Anotaci\xF3" "n @CAMINO]\n";

int pauses = 0;
void countPause() { ++pauses; }
}  // namespace

TEST(CommandLine, AnyWordCountButEightPrintsUsageAndCreatesNothing) {
    ASSERT_EQ(sizeof kExpectedUsage, 1726u);
    pauses = 0;
    // None, seven, nine, and seven with a quoted blank inside a word.
    for (const char* words : {static_cast<const char*>(nullptr), "out in 10 0 0 0 0",
                              "out in 10 0 0 0 0 1 extra", "out in 10 0 0 0 \"0 1\""}) {
        SCOPED_TRACE(words != nullptr ? words : "(no argument)");
        TempDir dir;
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        std::string line = words != nullptr ? words : "";
        testing::internal::CaptureStdout();
        Converter converter;
        converter.usagePause = countPause;
        EXPECT_FALSE(converter.runConversion(words != nullptr ? &line[0] : nullptr));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), kExpectedUsage);
        std::filesystem::current_path(before);
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }
    EXPECT_EQ(pauses, 4);  // once per run
}

// The one test that waits through the pause: only the first argument counts.
TEST(CommandLine, EightSeparateArgumentsAreOneWordAndGiveUsage) {
    TempDir dir;
    const ProgramResult r = runProgram(dir.path(), {"out", "in", "1", "0", "0", "0", "0", "1"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, kExpectedUsage);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Runs of a design file without elements, made read-only (it is only read):
// an old BIN file is emptied, the error file holds its header line.
TEST(CommandLine, RunsToTheEnd) {
    std::string deep;  // a path of 300 characters to the working directory
    for (int i = 0; i < 150; ++i) deep += "./";
    struct Case {
        const char* what;
        std::string words;
        DesignFile design;
        std::string console = consoleStart(2);  // before "Final del fichero DGN"
    };
    const Case cases[] = {
        {"commas", "out,in,10,0,0,0,0,1", DesignFile(2).units(10, 100)},
        {"99 needs 1000 units", "out in 99 0 0 0 0 1", DesignFile(2).units(10, 100)},
        // uorRatio: the low 16 bits of the product of the low words.
        {"2 x 33268 wraps to 1000", "out in 10 0 0 0 0 1", DesignFile(2).units(2, 33268)},
        {"origin negated, 3D", "out in 1 0 0 0 0 1", DesignFile(3).origin(1000, 2000, 300),
         "Fichero DGN en 3D\nOrigen Global GOX=       -1000 GOY=       -2000  GOZ=        -300\n"},
        {"origin z printed in 2D", "out in 1 0 0 0 0 1", DesignFile(2).origin(-5, 123456789, 300),
         "Fichero DGN en 2D\nOrigen Global GOX=           5 GOY=  -123456789  GOZ=        -300\n"},
        {"long names", deep + "out " + deep + "in 1 0 0 0 0 1", DesignFile(2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        dir.writeFile("in.dgn", c.design.bytes());
        dir.writeFile("out.bin", std::string(500, 'x'));
        ASSERT_EQ(::chmod(dir.file("in.dgn").c_str(), 0444), 0);  // root may write it anyway
        const ProgramResult r = runProgram(dir.path(), {c.words});
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.out, c.console + kConsoleEnd);
        EXPECT_TRUE(dir.readFile("out.bin").empty());
        EXPECT_EQ(dir.readText("in.ERR"), kErrorHeader);
        EXPECT_EQ(dir.readFile("in.dgn"), c.design.bytes());
    }
}
