// The command line as a user gives it: the usage text for any word count but
// eight, separators, units, the origin line, long names, a read-only design.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "run/converter.h"
#include "run/usage.h"
#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";

int pauses = 0;
void countPause() { ++pauses; }
}  // namespace

TEST(CommandLine, AnyWordCountButEightPrintsUsageAndCreatesNothing) {
  pauses = 0;
  // None, seven, nine, seven with a quoted blank inside a word, a decimal comma.
  for (const char* words :
       {static_cast<const char*>(nullptr), "out in 10 0 0 0 0", "out in 10 0 0 0 0 1 extra",
        "out in 10 0 0 0 \"0 1\"", "out in 0,1 0 0 0 0 1"}) {
    SCOPED_TRACE(words != nullptr ? words : "(no argument)");
    TempDir dir;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::string line = words != nullptr ? words : "";
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Converter converter;
    converter.usagePause = countPause;
    EXPECT_FALSE(converter.runConversion(words != nullptr ? &line[0] : nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kUsageText);
    const std::string hints = testing::internal::GetCapturedStderr();
    EXPECT_NE(hints.find("van en un solo argumento entre comillas"), std::string::npos);
    EXPECT_EQ(hints.find("con punto") != std::string::npos, words && std::strstr(words, "0,1"));
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  }
  EXPECT_EQ(pauses, 5);  // once per run
}

// The one test that waits through the pause: only the first argument counts.
TEST(CommandLine, EightSeparateArgumentsAreOneWordAndGiveUsage) {
  TempDir dir;
  const ProgramResult r = runProgram(dir.path(), {"out", "in", "1", "0", "0", "0", "0", "1"});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, kUsageText);
  EXPECT_NE(r.err.find("llegaron 8 argumentos y solo se lee el primero"), std::string::npos);
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
