// Word splitting of command lines and table rows.
#include "run/words.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

typedef std::vector<std::string> Words;

static Words split(const std::string& text) {
  static std::vector<char> buffer;  // the words point into it
  buffer.assign(text.c_str(), text.c_str() + text.size() + 1);
  const WordTable wordTable = splitWords(buffer.data());
  return Words(wordTable.words, wordTable.words + wordTable.count);
}

TEST(SplitWords, SeparatorsQuotesAndThe127thWord) {
  const struct {
    const char* line;
    Words words;
  } cases[] = {{"", {}},
               {"  ,, \n", {}},
               {"  a , ,\n\n b,c,,  ", {"a", "b", "c"}},
               {"a\tb\r\n", {"a\tb\r"}},                  // tab and CR are word bytes
               {"x \" a, b \" y", {"x", " a, b ", "y"}},  // blanks and commas inside quotes
               {"a \"\"  b", {"a", "", "b"}},
               {"\"\"\"\"", {"", ""}},
               {"ab\"cd\"ef", {"ab", "cd", "ef"}},  // a quote ends a word and starts one
               {"a \"b, c d", {"a", "b, c d"}},
               {"a \"b c\n", {"a", "b c\n"}},
               {"a \"", {"a", ""}}};
  for (const auto& c : cases) EXPECT_EQ(c.words, split(c.line)) << c.line;
  char line2[] = "a b";
  EXPECT_STREQ("", splitWords(line2).words[kMaxWords - 1]);  // unused slots read as ""

  // The 127th word takes the rest of the line, or ends at its closing quote.
  std::string line;
  for (int i = 1; i <= 126; ++i) line += "w" + std::to_string(i) + " ";
  const Words words = split(line + "w127 w128  w129");
  ASSERT_EQ(127u, words.size());
  EXPECT_EQ("w127 w128  w129", words[126]);
  EXPECT_EQ("x y", split(line + "\"x y\" z").at(126));
}
