#include "cli/info_request.h"

#include <gtest/gtest.h>

// Only the exact words: anything else goes on to the word count, and so to
// the usage text with its pause.
TEST(InfoRequest, OnlyTheExactWords) {
  for (const char* word : {"--help", "-h", "--version"}) EXPECT_TRUE(isInfoRequest(word)) << word;
  for (const char* word :
       {"--help ", "-H", "--versions", "-help", "", static_cast<const char*>(nullptr)}) {
    EXPECT_FALSE(isInfoRequest(word)) << (word != nullptr ? word : "(none)");
  }
}
