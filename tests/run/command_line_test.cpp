// Any word count but eight gives the usage text, a hint and the pause, and
// creates nothing; the pause is replaced here, as each real one takes five
// seconds.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "cli/usage.h"
#include "run/converter.h"
#include "support/program_run.h"

using namespace dgntest;

namespace {
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
