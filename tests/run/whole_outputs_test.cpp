// What a run leaves when it cannot end as it should: the previous BIN and
// error files byte for byte and no file of its own, whether it was killed,
// interrupted or could not write.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "platform/output_file.h"
#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";
const char kWords[] = "out in 1 0 0 0 0 1";
const std::string kOldBin = "old records", kOldErr = "old misses\r\n";

std::vector<std::string> entries(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.c_str());
  while (dirent* e = readdir(d)) {
    if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

// A working folder with the table, a drawing of `lines` lines, the second
// without a row (none: the caller makes in.dgn), and the outputs of an
// earlier run.
void prepare(const TempDir& dir, int lines) {
  dir.writeFile("DGNBIN.TAB", std::string(kTable));
  dir.writeFile("out.bin", kOldBin);
  dir.writeFile("in.ERR", kOldErr);
  if (lines == 0) return;
  DesignFile design(2);
  for (int i = 0; i < lines; ++i) design.add(onLevel(line(2, i, 0, 0, i + 10, 20, 0), i == 1 ? 2 : 1));
  design.write(dir.file("in.dgn"));
}

void expectPreviousFiles(const TempDir& dir) {
  EXPECT_EQ(dir.readText("out.bin"), kOldBin);
  EXPECT_EQ(dir.readText("in.ERR"), kOldErr);
  const std::vector<std::string> left = {"DGNBIN.TAB", "in.ERR", "in.dgn", "out.bin"};
  EXPECT_EQ(entries(dir.path()), left);
}

// Starts the converter in `dir` with its standard error in `errPath`, as
// `uid` when that is not -1 (the folder is handed over first).
pid_t startConverter(const TempDir& dir, const std::string& errPath, int uid = -1) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err < 0 || dup2(err, 2) < 0 || chdir(dir.path().c_str()) != 0) _exit(127);
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  if (uid >= 0) {
    for (const std::string& name : entries(dir.path())) {
      if (chown(dir.file(name).c_str(), uid, uid) != 0) _exit(127);
    }
    if (chown(dir.path().c_str(), uid, uid) != 0 || setgid(uid) != 0 || setuid(uid) != 0) {
      _exit(127);
    }
  }
  execl(DGNBIN_EXE, "dgnbin", kWords, static_cast<char*>(nullptr));
  _exit(127);
}
}  // namespace

// The drawing comes through a FIFO; the converter is stopped while it waits
// for the second half, its records of the first half already written. SIGKILL
// leaves nothing because the new files never had a name; the others remove
// what they made, say so, and end the process by the same signal so that a
// shell loop over drawings stops.
TEST(WholeOutputs, ConversionStoppedHalfway) {
  signal(SIGPIPE, SIG_IGN);
  for (int sig : {SIGKILL, SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(sig));
    TempDir dir, logs;
    prepare(dir, 0);
    ASSERT_EQ(mkfifo(dir.file("in.dgn").c_str(), 0644), 0);
    DesignFile design(2);
    for (int i = 0; i < 20000; ++i) design.add(line(2, i, 0, 0, i + 10, 20, 0));
    const Bytes bytes = design.bytes();
    const pid_t pid = startConverter(dir, logs.file("err"));
    int fifo = -1;
    while (fifo < 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
      fifo = open(dir.file("in.dgn").c_str(), O_WRONLY | O_NONBLOCK);
    }
    ASSERT_GE(fifo, 0);
    fcntl(fifo, F_SETFL, 0);
    // The write returns once the converter has read all but a pipe's worth.
    const size_t half = bytes.size() / 2;
    ASSERT_EQ(write(fifo, bytes.data(), half), static_cast<ssize_t>(half));
    kill(pid, sig);
    close(fifo);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
    expectPreviousFiles(dir);
    const std::string err = logs.readText("err");
    if (sig != SIGKILL) {
      EXPECT_NE(err.find("dgnbin: conversion interrumpida: no se ha cambiado ningun fichero\n"),
                std::string::npos)
          << err;
    }
  }
}

// A file-size limit stops the writing of the BIN file (2000 records of 72
// bytes) or, with no record to write, of the error file (three misses): the
// message as ever, the reason on standard error, exit 1, and the previous
// files stay.
TEST(WholeOutputs, WriteFailures) {
  const struct {
    const char* what;
    int lines, emptyStrings;
    long limit;
    std::string console, reason;
  } cases[] = {
      {"BIN file", 2000, 0, 4096, "ERROR No puedo escribir en el fichero BIN out.bin\n",
       "out.bin: el fichero ha llegado al tamano maximo"},
      {"error file", 0, 3, 60,
       std::string(kConsoleEnd) + "ERROR No puedo escribir en el fichero de errores in.ERR\n",
       "in.ERR: el fichero ha llegado al tamano maximo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    prepare(dir, c.lines);
    if (c.emptyStrings > 0) {
      DesignFile design(2);
      for (int i = 0; i < c.emptyStrings; ++i) design.add(onLevel(lineString(2, {}), 9));
      design.write(dir.file("in.dgn"));
    }
    const ProgramResult r = runProgram(dir.path(), {kWords}, c.limit);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, consoleStart(2) + c.console);
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("ningun registro escrito: out.bin y in.ERR quedan como estaban"),
              std::string::npos);
    expectPreviousFiles(dir);
  }
}

// Run as an ordinary user, the unnamed temporary file still gets its name
// at the end: linking it by its descriptor alone would need a capability.
// The design file is only read, and the BIN file gets the mode of every
// other output.
TEST(WholeOutputs, ConvertsWithoutPrivileges) {
  TempDir dir, logs;
  prepare(dir, 3);
  ASSERT_EQ(chmod(dir.file("in.dgn").c_str(), 0444), 0);
  ASSERT_EQ(unlink(dir.file("out.bin").c_str()), 0);
  const mode_t saved = umask(022);
  int status = 0;
  waitpid(startConverter(dir, logs.file("err"), geteuid() == 0 ? 65534 : -1), &status, 0);
  umask(saved);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << logs.readText("err");
  EXPECT_EQ(dir.readFile("out.bin").size(), 3 * 72u);
  struct stat st;
  ASSERT_EQ(stat(dir.file("out.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(dir.readText("in.ERR"), kErrorHeader + std::string(" 2 0   0 0  0    0 \"\"\r\n"));
  const std::vector<std::string> left = {"DGNBIN.TAB", "in.ERR", "in.dgn", "out.bin"};
  EXPECT_EQ(entries(dir.path()), left);
}

// A table that opens but cannot be read is a missing one: nothing is made
// or emptied.
TEST(WholeOutputs, TableThatIsAFolder) {
  TempDir dir;
  prepare(dir, 1);
  ASSERT_EQ(unlink(dir.file("DGNBIN.TAB").c_str()), 0);
  ASSERT_EQ(mkdir(dir.file("DGNBIN.TAB").c_str(), 0755), 0);
  const ProgramResult r = runProgram(dir.path(), {kWords});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "No se puede abrir DGNBIN.TAB\n");
  expectPreviousFiles(dir);
}

// Both ways of making the temporary file: nothing under the final name
// changes before the commit, a discarded file leaves nothing, a link is
// replaced rather than written through, and the mode is 0666 less the umask.
TEST(OutputFile, ReplacesOnlyWhenCommitted) {
  const mode_t saved = umask(027);
  for (bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed" : "named");
    TempDir dir;
    dir.writeFile("out.bin", std::string("old"));
    dir.writeFile("target", std::string("kept"));
    ASSERT_EQ(symlink("target", dir.file("link.bin").c_str()), 0);
    const std::vector<std::string> before = entries(dir.path());

    OutputFile dropped;
    ASSERT_TRUE(dropped.create(dir.file("out.bin").c_str(), 0666, unnamed));
    EXPECT_EQ(dropped.isNamed(), !unnamed);
    EXPECT_EQ(entries(dir.path()).size(), before.size() + (unnamed ? 0 : 1));
    dropped.discard();
    EXPECT_EQ(entries(dir.path()), before);

    for (const char* name : {"out.bin", "link.bin"}) {
      OutputFile f;
      ASSERT_TRUE(f.create(dir.file(name).c_str(), 0666, unnamed));
      ASSERT_EQ(write(f.fd(), "new", 3), 3);
      EXPECT_NE(dir.readText(name), "new");
      ASSERT_TRUE(f.commit());
      EXPECT_EQ(dir.readText(name), "new");
      struct stat st;
      ASSERT_EQ(lstat(dir.file(name).c_str(), &st), 0);
      EXPECT_TRUE(S_ISREG(st.st_mode));
      EXPECT_EQ(st.st_mode & 0777, 0640u);
    }
    EXPECT_EQ(dir.readText("target"), "kept");
    EXPECT_EQ(entries(dir.path()), before);

    OutputFile folder;
    EXPECT_FALSE(folder.create(dir.path().c_str(), 0666, unnamed));
    EXPECT_EQ(folder.error(), EISDIR);
  }
  umask(saved);
}
