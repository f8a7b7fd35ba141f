// dgnbin-batch where the run needs what a case cannot set up (a signal, a
// hard link, low process limits), and its failure line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A report that is the table under another name, through a hard link, is
// refused before anything starts.
TEST(Batch, RefusesAReportThatIsTheTableThroughAHardLink) {
  const Installed installed;
  TempDir work;
  work.writeFile("DGNBIN.TAB", std::string(kTable));
  fs::create_directories(work.file("o"));
  drawing().write(work.file("o/p2.dgn"));
  fs::create_hard_link(work.file("DGNBIN.TAB"), work.file("tabla.txt"));
  const ProgramResult r = installed.batch(work, {"-o", "tabla.txt", "1 0 0 0 0 1", "o"});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "dgnbin-batch: el informe tabla.txt seria la tabla DGNBIN.TAB de la carpeta de "
                   "trabajo: elija otro nombre; no se ha convertido nada\n");
  EXPECT_EQ(work.readText("DGNBIN.TAB"), kTable);
  EXPECT_FALSE(work.exists("o/p2.bin"));
}

// Hundreds of long error file names reach kelobin whatever the system's
// limit on a command line (a quarter of the stack limit, 128 KiB at least);
// a -j beyond the open-file limit converts every drawing all the same.
TEST(Batch, LongNamesAndLowLimitsStillGiveEveryDrawingAndTheReport) {
  const Installed installed;
  TempDir work;
  work.writeFile("DGNBIN.TAB", std::string(kTable));
  std::string folder = "l/";
  for (char c = 'a'; c < 'a' + 15; ++c) folder += std::string(240, c) + "/";
  fs::create_directories(work.file(folder));
  const int drawings = 40;  // 40 names of some 3,640 bytes: beyond 128 KiB
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
  EXPECT_NE(r.out.find("Convertidos 40 de 40 ficheros"), std::string::npos) << r.out;
  const std::string report = work.readText("dgnbin-batch-faltan.txt");
  EXPECT_NE(report.find(" 40 "), std::string::npos) << report;
  EXPECT_NE(report.find("[40 veces en 40 ficheros]\n"), std::string::npos) << report;
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
