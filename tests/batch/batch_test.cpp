// dgnbin-batch as a user runs it: a folder of drawings converted beside
// themselves, the failures listed, one report of what the table misses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "batch/failure_line.h"
#include "support/conversion.h"

using namespace dgntest;
namespace fs = std::filesystem;

namespace {

const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";

// A line with a row in the table and one on level 40 without one.
DesignFile drawing() {
  return DesignFile(2)
      .add(line(2, 0, 0, 0, 100, 100, 0))
      .add(onLevel(line(2, 5, 5, 0, 9, 9, 0), 40));
}

// The three programs side by side in a folder of their own, as installed,
// so that dgnbin-batch must find the others beside itself.
class Installed {
 public:
  Installed() {
    fs::copy_file(DGNBIN_BATCH_EXE, dir_.file("dgnbin-batch"));
    fs::copy_file(DGNBIN_EXE, dir_.file("dgnbin"));
    fs::copy_file(KELOBIN_EXE, dir_.file("kelobin"));
  }
  const std::string& folder() const { return dir_.path(); }
  ProgramResult batch(const TempDir& work, const std::vector<std::string>& args) const {
    return runProgram(work.path(), args, -1, dir_.file("dgnbin-batch"));
  }

 private:
  TempDir dir_;
};

}  // namespace

TEST(Batch, ConvertsAFolderListsTheFailuresAndMergesTheMisses) {
  const Installed installed;
  TempDir work;
  work.writeFile("DGNBIN.TAB", std::string(kTable));
  fs::create_directories(work.file("planos/sub"));
  for (const char* name : {"a.dgn", "con blanco.dgn", "MAYUS.DGN", "cami\xF3n.dgn", "PLANO.dgn",
                           "PLANO.DGN"}) {
    drawing().write(work.file(std::string("planos/") + name));
  }
  drawing().write(work.file("planos/corto.dgn"), false);
  DesignFile(2).units(10, 100).write(work.file("planos/sub/roto.dgn"));  // 1000 units, factor 1
  std::string v8(512, '\0');
  v8.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  work.writeFile("planos/v8.dgn", v8);
  fs::create_symlink("falta.dgn", work.file("planos/enlace.dgn"));
  work.writeFile("planos/notas.txt", std::string("no es un plano"));

  const ProgramResult r = installed.batch(work, {"-j", "2", "1 0 0 0 0 1", "planos"});
  EXPECT_EQ(r.exitStatus, 1);
  const Conversion expected = convert(drawing(), kTable, "1 0 0 0 0 1");
  ASSERT_FALSE(expected.bin.empty());
  for (const char* base : {"a", "con blanco", "MAYUS", "cami\xF3n", "PLANO", "corto"}) {
    SCOPED_TRACE(base);
    EXPECT_EQ(work.readFile(std::string("planos/") + base + ".bin"), expected.bin);
    EXPECT_EQ(work.readText(std::string("planos/") + base + ".ERR"), expected.errorFile);
  }
  EXPECT_TRUE(work.readFile("planos/sub/roto.bin").empty());

  const std::string incoherent =
      "planos/sub/roto.dgn: Error: Incoherencia en factor_escala y fichero semilla elegidos. (el "
      "fichero DGN tiene 1000 unidades por unidad maestra: le sirve el factor 10 o 99)";
  const std::string v8Line =
      "planos/v8.dgn: ERROR Fichero DGN incompleto: falta el elemento de cabecera (planos/v8.dgn "
      "es un fichero DGN V8: guardelo como DGN V7 desde el programa de CAD)";
  const std::string shared =
      "planos/PLANO.DGN: su fichero BIN y su fichero de errores serian los de planos/PLANO.dgn, "
      "que se convierte: renombre uno de los dos";
  const std::string dangling = "planos/enlace.dgn: enlace simbolico sin destino: no existe";
  for (const std::string& line : std::vector<std::string>{
           "ok planos/MAYUS.DGN (", "ok planos/cami\xF3n.dgn (", "FALLO " + v8Line,
           "Convertidos 6 de 10 ficheros en ",
           "Simbologias sin fila de los ficheros convertidos: dgnbin-batch-faltan.txt"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  EXPECT_NE(r.out.find("[10/10] "), std::string::npos);
  EXPECT_EQ(r.err, "Fallaron 4:\n  " + shared + "\n  " + dangling + "\n  " + incoherent + "\n  " +
                       v8Line + "\nCon avisos 1:\n  planos/corto.dgn: termina en el byte " +
                       std::to_string(drawing().bytes(false).size()) +
                       " sin la marca de fin; puede estar cortado\n");
  // One row for the level 40 of the converted drawings, named as they are.
  const std::string report = work.readText("dgnbin-batch-faltan.txt");
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  EXPECT_NE(report.find(" 40 "), std::string::npos) << report;
  EXPECT_NE(report.find("[6 veces en planos/MAYUS.ERR, planos/PLANO.ERR, planos/a.ERR, "
                        "planos/cami\xF3n.ERR, planos/con blanco.ERR, planos/corto.ERR]\n"),
            std::string::npos)
      << report;
}

// The listed commands, run by a shell, convert names with blanks and
// single quotes; a name with a double quote cannot be passed to dgnbin.
TEST(Batch, ListsShellCommandsAndRunsNothing) {
  const Installed installed;
  TempDir work;
  work.writeFile("DGNBIN.TAB", std::string(kTable));
  fs::create_directories(work.file("l"));
  for (const char* name : {"l/a b.dgn", "l/it's.dgn", "l/di\"jo.dgn"}) {
    drawing().write(work.file(name));
  }

  const ProgramResult r = installed.batch(work, {"--list", "1,0,0,0,0,1", "l"});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out,
            "dgnbin '\"l/a b\" \"l/a b\" 1 0 0 0 0 1'\n"
            "dgnbin '\"l/it'\\''s\" \"l/it'\\''s\" 1 0 0 0 0 1'\n");
  EXPECT_EQ(r.err,
            "dgnbin-batch: l/di\"jo.dgn: el nombre lleva comillas dobles o un salto de linea, que "
            "dgnbin no recibe\n");
  EXPECT_FALSE(work.exists("l/a b.bin"));
  EXPECT_FALSE(work.exists("dgnbin-batch-faltan.txt"));

  const ProgramResult shell = runProgram(
      work.path(), {"-c", "PATH=\"$1:$PATH\" && eval \"$2\"", "sh", installed.folder(), r.out}, -1,
      "/bin/sh");
  EXPECT_EQ(shell.exitStatus, 0) << shell.err;
  EXPECT_TRUE(work.exists("l/a b.bin"));
  EXPECT_TRUE(work.exists("l/it's.bin"));
}

// Stopped while its second conversion waits for the table, which comes
// through a FIFO, the batch passes the signal on, keeps its previous report,
// says which drawings were converted and ends by the same signal.
TEST(Batch, StopPassesTheSignalOnAndKeepsThePreviousReport) {
  const Installed installed;
  TempDir work;
  ASSERT_EQ(mkfifo(work.file("DGNBIN.TAB").c_str(), 0644), 0);
  work.writeFile("informe.txt", std::string("anterior\n"));
  fs::create_directories(work.file("p"));
  drawing().write(work.file("p/a.dgn"));
  drawing().write(work.file("p/b.dgn"));
  const pid_t batch = fork();
  if (batch == 0) {
    const int err = open(work.file("err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err < 0 || dup2(err, 2) < 0 || chdir(work.path().c_str()) != 0) _exit(127);
    const std::string exe = installed.folder() + "/dgnbin-batch";
    execl(exe.c_str(), "dgnbin-batch", "-j", "1", "-o", "informe.txt", "1 0 0 0 0 1", "p",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  // Each open waits for the batch's own check or a conversion to open the
  // table; the check has closed it once the batch holds it no more, the
  // first conversion once its BIN file is there.
  const fs::path fifo = fs::canonical(work.file("DGNBIN.TAB"));
  const auto batchHoldsTable = [&]() {
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(batch) + "/fd", ec)) {
      if (fs::read_symlink(fd.path(), ec) == fifo) return true;
    }
    return false;
  };
  int table = -1;
  for (int reader = 0; reader < 2; ++reader) {
    table = open(work.file("DGNBIN.TAB").c_str(), O_WRONLY);
    ASSERT_EQ(write(table, kTable, sizeof kTable - 1), static_cast<ssize_t>(sizeof kTable - 1));
    close(table);
    while (reader == 0 && batchHoldsTable()) usleep(1000);
  }
  while (!work.exists("p/a.bin")) usleep(1000);
  table = open(work.file("DGNBIN.TAB").c_str(), O_WRONLY);
  kill(batch, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(batch, &status, 0), batch);
  close(table);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(work.readText("informe.txt"), "anterior\n");
  EXPECT_TRUE(work.exists("p/a.bin"));
  EXPECT_FALSE(work.exists("p/b.bin"));
  EXPECT_EQ(work.readText("err.txt"),
            "dgnbin-batch: interrumpido; 1 de 2 ficheros convertidos antes de parar; el informe "
            "informe.txt queda como estaba\n  p/a.dgn\n");
}

TEST(Batch, WrongCommandLinesSayWhatIsWrong) {
  const Installed installed;
  TempDir work;
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"0,1 0 0 0 0 1", "."}, "los decimales van con punto (0.1), no con coma (0,1)"},
      {{"1", "0", "0", "0", "0", "1", "."}, "y hay 1 en \"1\""},
      {{"-j", "0", "1 0 0 0 0 1", "."}, "-j espera un numero de conversiones de 1 a 1024, no 0"},
      {{"1 0 0 0 0 1"}, "faltan los valores de conversion o las rutas"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    const ProgramResult r = installed.batch(work, c.args);
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("uso: dgnbin-batch"), std::string::npos);
  }
}

// A report that would take the place of the table, a drawing or one of its
// outputs, by name or as the same file, is refused before anything starts.
TEST(Batch, RefusesAReportInThePlaceOfAnotherFile) {
  const Installed installed;
  TempDir work;
  work.writeFile("DGNBIN.TAB", std::string(kTable));
  fs::create_directories(work.file("o"));
  drawing().write(work.file("o/p2.dgn"));
  const std::vector<uint8_t> design = work.readFile("o/p2.dgn");
  fs::create_hard_link(work.file("DGNBIN.TAB"), work.file("tabla.txt"));
  fs::create_symlink("o/p2.dgn", work.file("plano.txt"));
  const std::pair<const char*, const char*> cases[] = {
      {"DGNBIN.TAB", "no puede acabar en .dgn, .bin, .ERR ni .TAB"},
      {"o/../o/p2.dgn", "no puede acabar en"},
      {"o/P2.Err", "no puede acabar en"},
      {"tabla.txt", "seria la tabla DGNBIN.TAB de la carpeta de trabajo"},
      {"plano.txt", "seria el dibujo o/p2.dgn"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    const ProgramResult r = installed.batch(work, {"-o", c.first, "1 0 0 0 0 1", "o"});
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(std::string("dgnbin-batch: el informe ") + c.first), std::string::npos);
    EXPECT_NE(r.err.find(c.second), std::string::npos) << r.err;
    EXPECT_EQ(work.readText("DGNBIN.TAB"), kTable);
    EXPECT_EQ(work.readFile("o/p2.dgn"), design);
    EXPECT_FALSE(work.exists("o/p2.bin"));
  }
}

// A table that cannot be read or a factor dgnbin refuses is said once and
// nothing is converted; the table's warnings are shown once, not per drawing.
TEST(Batch, ChecksTheTableAndTheFactorOnceBeforeStarting) {
  const Installed installed;
  TempDir work;
  fs::create_directories(work.file("o"));
  drawing().write(work.file("o/a.dgn"));
  drawing().write(work.file("o/b.dgn"));
  const ProgramResult missing = installed.batch(work, {"1 0 0 0 0 1", "o"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "dgnbin-batch: no se puede leer DGNBIN.TAB de la carpeta de trabajo: no existe; no "
            "se ha convertido nada\n");

  work.writeFile("DGNBIN.TAB", std::string(kTable) + "POZO 1 0 0 0 0 0 \"POZO\" 2,5 \"@POZO\"\n");
  const ProgramResult factor = installed.batch(work, {"1.5 0 0 0 0 1", "o"});
  EXPECT_EQ(factor.exitStatus, 1);
  EXPECT_EQ(factor.err,
            "dgnbin-batch: dgnbin no acepta el factor \"1.5\": vale 1 o 0.1 (100 unidades por "
            "unidad maestra) o 10 o 99 (1000); no se ha convertido nada\n");
  EXPECT_FALSE(work.exists("o/a.bin"));

  const ProgramResult r = installed.batch(work, {"1 0 0 0 0 1", "o"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.err.find("dgnbin-batch: DGNBIN.TAB linea 2: ALTO lleva coma decimal"), 0u) << r.err;
  EXPECT_EQ(r.err.find("DGNBIN.TAB linea", 20), std::string::npos) << r.err;
  EXPECT_TRUE(work.exists("o/b.bin"));
}

// Hundreds of long error file names reach kelobin whatever the system's
// limit on a command line (a quarter of the stack limit, 128 KiB at least);
// a -j beyond the open-file limit converts every drawing all the same.
TEST(Batch, LongNamesAndLowLimitsStillGiveEveryDrawingAndTheReport) {
  const Installed installed;
  TempDir work;
  work.writeFile("DGNBIN.TAB", std::string(kTable));
  const std::string folder = "l/" + std::string(240, 'a') + "/" + std::string(240, 'b') + "/" +
                             std::string(240, 'c') + "/";
  fs::create_directories(work.file(folder));
  const int drawings = 200;  // 200 names of some 750 bytes: beyond 128 KiB
  for (int i = 0; i < drawings; ++i) {
    drawing().write(work.file(folder + "plano_" + std::to_string(i) + ".dgn"));
  }
  const std::string batch = installed.folder() + "/dgnbin-batch";
  const ProgramResult r = runProgram(
      work.path(),
      {"-c", "ulimit -s 512 && ulimit -n 24 && exec \"$0\" -j 40 \"1 0 0 0 0 1\" l", batch}, -1,
      "/bin/sh");
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.err,
            "dgnbin-batch: el limite de ficheros abiertos (24) da para 6 conversiones a la vez: "
            "-j 6\n");
  EXPECT_NE(r.out.find("Convertidos 200 de 200 ficheros"), std::string::npos) << r.out;
  const std::string report = work.readText("dgnbin-batch-faltan.txt");
  EXPECT_NE(report.find(" 40 "), std::string::npos) << report;
  EXPECT_NE(report.find("[200 veces en 200 ficheros]\n"), std::string::npos) << report;
}

// dgnbin's failure line, then its own reasons; its Latin-1 text in plain
// ASCII around names kept byte for byte, the link's name shown as the
// drawing's; table warnings, the summary and the end-marker warning left out.
TEST(Batch, FailureLine) {
  const std::vector<ShownName> names = {{"/tmp/s/3.dgn", "o/cami\xF3n.DGN"},
                                        {"/tmp/s/3", "o/cami\xF3n"}};
  struct Case {
    std::string out, err, line;
  };
  const Case cases[] = {
      {"Fichero DGN en 2D\nL\xEDmite excedido en rango alto: (1).\n Valor M\xE1ximo=2\n",
       "dgnbin: 3 elementos leidos en 0.01 s\n", "Limite excedido en rango alto: (1)."},
      {"No puedo abrir el fichero DGN /tmp/s/3.dgn",
       "dgnbin: DGNBIN.TAB linea 2: x; se lee igual\ndgnbin: /tmp/s/3.dgn: acci\xF3n\r\n",
       "No puedo abrir el fichero DGN o/cami\xF3n.DGN (o/cami\xF3n.DGN: accion)"},
      {"Fichero DGN en 2D\n", "aviso\nERROR de sistema\n", "Fichero DGN en 2D (ERROR de sistema)"},
      {"", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(failureLine(c.out, c.err, names), c.line) << c.out;
  const std::string cut = "dgnbin: /tmp/s/3.dgn: termina en el byte 96 sin la marca de fin; puede "
                          "estar cortado\n";
  EXPECT_EQ(failureLine("Final\n", cut, names), "Final");
  EXPECT_EQ(endMarkerWarning("dgnbin: otra\n" + cut, names),
            "o/cami\xF3n.DGN: termina en el byte 96 sin la marca de fin; puede estar cortado");
}
