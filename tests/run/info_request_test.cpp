// The words that ask about the program instead of converting: answered on
// standard output, exit status 0, nothing created, no pause.
#include "run/info_request.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "run/usage.h"
#include "run/version.h"
#include "support/program_run.h"

using namespace dgntest;

TEST(InfoRequest, HelpAndVersionAnswerAtOnce) {
  struct Case {
    const char* word;
    std::string out;
  };
  const Case cases[] = {
      {"--help", kUsageText},
      {"-h", kUsageText},
      {"--version", "dgnbin " DGNBIN_VERSION "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    TempDir dir;
    const ProgramResult r = runProgram(dir.path(), {c.word, "out in 1 0 0 0 0 1"});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  }
}

// Only the exact words: anything else goes on to the word count, and so to
// the usage text with its pause.
TEST(InfoRequest, OnlyTheExactWords) {
  for (const char* word : {"--help", "-h", "--version"}) EXPECT_TRUE(isInfoRequest(word)) << word;
  for (const char* word :
       {"--help ", "-H", "--versions", "-help", "", static_cast<const char*>(nullptr)}) {
    EXPECT_FALSE(isInfoRequest(word)) << (word != nullptr ? word : "(none)");
  }
}
