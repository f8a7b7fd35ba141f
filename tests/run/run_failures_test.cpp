// Every way a run stops before converting, as a user meets it: the console,
// the error file after its header line, what is left of an old BIN file,
// exit status 1.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";
const std::string kOld = "old records";
const char kNoHeader[] = "ERROR Fichero DGN incompleto: falta el elemento de cabecera\n";
const char kUnits[] = "Error: Incoherencia en factor_escala y fichero semilla elegidos.\n";
const std::string kBad = "Valor de factor_escala de transformaci\xF3n incorrecta, factor_escala=";

// The 2D header element with `words` words to follow and first byte `first`,
// cut to `length` bytes; nothing follows it.
Bytes header(uint16_t words, size_t length, uint8_t first = 8) {
  Bytes b = DesignFile(2).headerElement();
  b[0] = first;
  b[2] = static_cast<uint8_t>(words & 0xFF);
  b[3] = static_cast<uint8_t>(words >> 8);
  b.resize(length);
  return b;
}

std::string crlf(std::string s) {  // as the error file stores a line end
  if (!s.empty() && s.back() == '\n') s.insert(s.size() - 1, 1, '\r');
  return s;
}
}  // namespace

TEST(RunFailures, EachStopBeforeTheElements) {
  const std::string cmd = "out in 1 0 0 0 0 1", start = consoleStart(2);
  const std::string neither = "ERROR El fichero no es 2D ni 3D\n";
  const Bytes plain = DesignFile(2).bytes();
  struct Case {
    const char* what;
    std::string words;
    bool table;
    std::optional<Bytes> design;
    std::string console;
    std::optional<std::string> error;  // after the header line; none: no in.ERR
    bool binKept;
    std::string hint = "";  // on standard error
  };
  const std::string v8 = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(2000, 'x');
  const std::string units100 = "100 unidades por unidad maestra: le sirve el factor 0.1 o 1";
  const Case cases[] = {
      {"table missing", cmd, false, plain, "No se puede abrir DGNBIN.TAB\n", std::nullopt, true,
       "DGNBIN.TAB: no existe"},
      {"error file", "out nodir/in 1 0 0 0 0 1", true, plain,
       "No puedo abrir el fichero de errores  nodir/in.ERR", std::nullopt, true,
       "nodir/in.ERR: no existe"},
      {"BIN file", "nodir/out in 1 0 0 0 0 1", true, plain,
       "No puedo abrir el fichero BIN nodir/out.bin", "", true, "nodir/out.bin: no existe"},
      {"no design file",
       cmd,
       true,
       {},
       "No puedo abrir el fichero DGN in.dgn",
       "",
       false,
       "in.dgn: no existe"},
      {"with its extension",
       "out in.dgn 1 0 0 0 0 1",
       true,
       {},
       "No puedo abrir el fichero DGN in.dgn.dgn",
       std::nullopt,
       false,
       "los nombres van sin extension: \"in.dgn\""},
      {"V8", cmd, true, Bytes(v8.begin(), v8.end()), kNoHeader, kNoHeader, false,
       "es un fichero DGN V8"},
      {"DXF", cmd, true, Bytes{' ', ' ', '0', '\r', '\n', 'S', 'E', 'C', 'T', 'I', 'O', 'N'},
       kNoHeader, kNoHeader, false, "in.dgn es un fichero DXF"},
      {"zeros", cmd, true, Bytes(5000, 0), kNoHeader, kNoHeader, false, "in.dgn solo tiene ceros"},
      {"first byte 0x48", cmd, true, header(766, 1536, 0x48), neither, "", false},
      {"first byte 0xC9", cmd, true, header(766, 1536, 0xC9), neither, "", false},
      {"empty design file", cmd, true, Bytes{}, kNoHeader, kNoHeader, false, "in.dgn esta vacio"},
      {"body one byte short", cmd, true, header(766, 1535), kNoHeader, kNoHeader, false},
      {"whole but 1262 bytes", cmd, true, header(629, 1262), kNoHeader, kNoHeader, false},
      {"2.4", "out in 2.4 0 0 0 0 1", true, plain, start + kBad + "  2", kBad + "  2", false,
       units100},
      {"1234", "out in 1234 0 0 0 0 1", true, plain, start + kBad + "1234", kBad + "1234", false,
       units100},
      {"abc", "out in abc 0 0 0 0 1", true, plain, start + kBad + "  0", kBad + "  0", false,
       "el factor \"abc\" no es un numero"},
      {"99 with 100 units", "out in 99 0 0 0 0 1", true, plain, start + kUnits, kUnits, false,
       units100},
      {"1 with low words giving 1000", cmd, true,
       DesignFile(2).units(0x10000 + 10, 0x20000 + 100).bytes(), start + kUnits, kUnits, false,
       "1000 unidades por unidad maestra: le sirve el factor 10 o 99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (c.table) dir.writeFile("DGNBIN.TAB", std::string(kTable));
    if (c.design) dir.writeFile("in.dgn", *c.design);
    dir.writeFile("out.bin", kOld);
    const ProgramResult r = runProgram(dir.path(), {c.words});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, c.console);
    EXPECT_NE(r.err.find(c.hint), std::string::npos) << r.err;
    EXPECT_EQ(dir.exists("in.ERR") ? dir.readText("in.ERR") : "(none)",
              c.error ? kErrorHeader + crlf(*c.error) : "(none)");
    EXPECT_EQ(dir.readText("out.bin"), c.binKept ? kOld : "");
  }
  // 1264 bytes reach the end of the global origin: enough.
  const Conversion c = convertBytes(header(630, 1264), kTable, "1 0 0 0 0 1");
  EXPECT_EQ(c.exitStatus, 0);
  EXPECT_EQ(c.console, start);
}

// A table that opens but cannot be read is missing: nothing is created or
// emptied. The BIN file gets the permissions of every other output.
TEST(RunFailures, TableThatCannotBeReadAndFileModes) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.file("DGNBIN.TAB").c_str(), 0755), 0);
  dir.writeFile("in.dgn", DesignFile(2).bytes());
  dir.writeFile("out.bin", kOld);
  dir.writeFile("in.ERR", kOld);
  const ProgramResult r = runProgram(dir.path(), {"out in 1 0 0 0 0 1"});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "No se puede abrir DGNBIN.TAB\n");
  EXPECT_EQ(dir.readText("out.bin") + dir.readText("in.ERR"), kOld + kOld);

  TempDir fresh;
  fresh.writeFile("DGNBIN.TAB", std::string(kTable));
  fresh.writeFile("in.dgn", DesignFile(2).bytes());
  const mode_t saved = umask(022);
  EXPECT_EQ(runProgram(fresh.path(), {"out in 1 0 0 0 0 1"}).exitStatus, 0);
  umask(saved);
  struct stat st;
  ASSERT_EQ(stat(fresh.file("out.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}
