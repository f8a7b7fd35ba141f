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
  drawing().write(work.file("planos/a.dgn"));
  drawing().write(work.file("planos/con blanco.dgn"));
  DesignFile(2).units(10, 100).write(work.file("planos/sub/roto.dgn"));  // 1000 units, factor 1
  drawing().write(work.file("planos/MAYUS.DGN"));
  work.writeFile("planos/notas.txt", std::string("no es un plano"));

  const ProgramResult r = installed.batch(work, {"-j", "2", "1 0 0 0 0 1", "planos"});
  EXPECT_EQ(r.exitStatus, 1);
  const std::vector<uint8_t> expected = convert(drawing(), kTable, "1 0 0 0 0 1").bin;
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(work.readFile("planos/a.bin"), expected);
  EXPECT_EQ(work.readFile("planos/con blanco.bin"), expected);
  EXPECT_TRUE(work.readFile("planos/sub/roto.bin").empty());
  EXPECT_FALSE(work.exists("planos/MAYUS.bin"));

  const std::string incoherent =
      "planos/sub/roto.dgn: Error: Incoherencia en factor_escala y fichero semilla elegidos.";
  const std::string uppercase =
      "planos/MAYUS.DGN: dgnbin solo abre la extension .dgn en minusculas: renombre el fichero a "
      "MAYUS.dgn";
  const std::vector<std::string> lines = {
      "ok planos/a.dgn (",
      "ok planos/con blanco.dgn (",
      "FALLO " + incoherent,
      "FALLO " + uppercase,
      "Convertidos 2 de 4 ficheros en ",
      "Simbologias sin fila de los ficheros convertidos: dgnbin-batch-faltan.txt"};
  for (const std::string& line : lines) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  for (const char* count : {"[1/4] ", "[2/4] ", "[3/4] ", "[4/4] "}) {
    EXPECT_NE(r.out.find(count), std::string::npos) << count;
  }
  EXPECT_EQ(r.err, "Fallaron 2:\n  " + uppercase + "\n  " + incoherent + "\n");
  // One row for the level 40 of both converted drawings.
  const std::string report = work.readText("dgnbin-batch-faltan.txt");
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  EXPECT_NE(report.find(" 40 "), std::string::npos) << report;
  EXPECT_NE(report.find("[2 veces en planos/a.ERR, planos/con blanco.ERR]\n"), std::string::npos)
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
  // Each open waits for a conversion to open the table; the first has
  // closed it once its BIN file is there.
  int table = open(work.file("DGNBIN.TAB").c_str(), O_WRONLY);
  ASSERT_EQ(write(table, kTable, sizeof kTable - 1), static_cast<ssize_t>(sizeof kTable - 1));
  close(table);
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

// dgnbin's console first, its standard error next; its Latin-1 messages in
// plain ASCII, a UTF-8 file name as it is.
TEST(Batch, FailureLine) {
  struct Case {
    std::string out, err, line;
  };
  const Case cases[] = {
      {"Fichero DGN en 2D\nL\xEDmite excedido en rango alto: (1).\n Valor M\xE1ximo=2\n", "",
       "Limite excedido en rango alto: (1)."},
      {"Origen\nValor de factor_escala de transformaci\xF3n incorrecta, factor_escala=  2", "",
       "Valor de factor_escala de transformacion incorrecta, factor_escala=  2"},
      {"No puedo abrir el fichero DGN ca\xC3\xB1"
       "ada.dgn",
       "motivo\n",
       "No puedo abrir el fichero DGN ca\xC3\xB1"
       "ada.dgn"},
      {"Fichero DGN en 2D\n", "aviso\r\nERROR de sistema\r\n", "ERROR de sistema"},
      {"Fichero DGN en 2D\nOrigen\n", "", "Origen"},
      {"", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(failureLine(c.out, c.err), c.line) << c.out;
}
