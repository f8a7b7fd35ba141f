// Word splitting of command lines and table rows, and blank trimming.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/words.h"

namespace {

// Splits a copy of `text` (kept alive in `buffer`) and returns the words.
std::vector<std::string> split(std::vector<char>& buffer, const std::string& text) {
  buffer.assign(text.begin(), text.end());
  buffer.push_back('\0');
  splitWords(buffer.data());
  return std::vector<std::string>(wordTable.words, wordTable.words + wordTable.count);
}

std::vector<std::string> split(const std::string& text) {
  static std::vector<char> buffer;
  return split(buffer, text);
}

typedef std::vector<std::string> Words;

}  // namespace

TEST(SplitWords, EmptyAndSeparatorOnlyLinesGiveNoWords) {
  std::vector<char> buffer;
  EXPECT_EQ(Words(), split(buffer, ""));
  EXPECT_EQ(Words(), split(buffer, "  ,, \n"));
  // Every slot reads as the empty string at the end of the line.
  for (int i = 0; i < kMaxWords; ++i) {
    ASSERT_STREQ("", wordTable.words[i]) << "slot " << i;
    EXPECT_EQ(buffer.data() + 6, wordTable.words[i]) << "slot " << i;
  }
}

TEST(SplitWords, SlotsBeyondTheCountAreEmpty) {
  std::vector<char> buffer;
  EXPECT_EQ(Words({"a", "b"}), split(buffer, "a b"));
  EXPECT_STREQ("", wordTable.words[2]);
  EXPECT_STREQ("", wordTable.words[kMaxWords - 1]);
}

TEST(SplitWords, NullLineKeepsThePreviousWords) {
  std::vector<char> buffer;
  split(buffer, "uno dos tres");
  splitWords(NULL);
  ASSERT_EQ(3, wordTable.count);
  EXPECT_STREQ("uno", wordTable.words[0]);
  EXPECT_STREQ("tres", wordTable.words[2]);
}

TEST(SplitWords, RunsOfSeparatorsMakeNoEmptyWords) {
  EXPECT_EQ(Words({"A", "B"}), split("A,,B"));
  EXPECT_EQ(Words({"a", "b", "c"}), split("  a , ,\n\n b,c,,  "));
  // A trailing newline as left by a line read is cut off.
  EXPECT_EQ(Words({"abc"}), split("abc\n"));
  // Tabs and carriage returns are word bytes, not separators.
  EXPECT_EQ(Words({"a\tb\r"}), split("a\tb\r\n"));
}

TEST(SplitWords, QuotedWords) {
  // Blanks and commas inside quotes belong to the word.
  EXPECT_EQ(Words({"x", " a, b ", "y"}), split("x \" a, b \" y"));
  // Two quotes in a row give an empty word; runs of blanks do not.
  EXPECT_EQ(Words({"a", "", "b"}), split("a \"\"  b"));
  EXPECT_EQ(Words({"", ""}), split("\"\"\"\""));
  // A quote inside a word ends it and starts a new one; so does the closing
  // quote.
  EXPECT_EQ(Words({"ab", "cd", "ef"}), split("ab\"cd\"ef"));
  // An unclosed quote runs to the end of the line and ends the splitting.
  EXPECT_EQ(Words({"a", "b, c d"}), split("a \"b, c d"));
  EXPECT_EQ(Words({"a", "b c\n"}), split("a \"b c\n"));
  // A quote as the last byte gives an empty last word.
  EXPECT_EQ(Words({"a", ""}), split("a \""));
}

TEST(SplitWords, ExampleTableRows) {
  EXPECT_EQ(Words({"001106", "20", "0", "3", "0", "84", "1106", "1", "1.5", "@150"}),
            split("001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"));

  Words row = split(
      "002312  21     1      13    0   00    0006       \"\"      1.5      0      "
      "[Pasa Tipo DGN a Tipo KELO]\n");
  EXPECT_EQ(Words({"002312", "21", "1", "13", "0", "00", "0006", "", "1.5", "0", "[Pasa", "Tipo",
                   "DGN", "a", "Tipo", "KELO]"}),
            row);
}

TEST(SplitWords, The127thWordTakesTheRestOfTheLine) {
  std::string line;
  for (int i = 1; i <= 130; ++i) line += "w" + std::to_string(i) + (i < 130 ? " " : "");
  Words words = split(line);
  ASSERT_EQ(127u, words.size());
  EXPECT_EQ("w1", words[0]);
  EXPECT_EQ("w126", words[125]);
  EXPECT_EQ("w127 w128 w129 w130", words[126]);

  // Exactly 127 words: the last is cut at the line end as usual.
  line.clear();
  for (int i = 1; i <= 127; ++i) line += "w" + std::to_string(i) + " ";
  words = split(line);
  ASSERT_EQ(127u, words.size());
  EXPECT_EQ("w127 ", words[126]);

  // A quoted 127th word still ends at its closing quote.
  line.clear();
  for (int i = 1; i <= 126; ++i) line += "w ";
  words = split(line + "\"x y\" z");
  ASSERT_EQ(127u, words.size());
  EXPECT_EQ("x y", words[126]);
}

TEST(TrimBlanks, RemovesLeadingAndTrailingBlanksInPlace) {
  char text[] = "  a b  ";
  EXPECT_EQ(text, trimBlanks(text));
  EXPECT_STREQ("a b", text);
  // The rest, terminator included, moved two bytes to the front; the
  // trailing blanks of the moved string became NUL; the last two bytes of
  // the buffer are as they were.
  const char after[8] = {'a', ' ', 'b', '\0', '\0', '\0', ' ', '\0'};
  EXPECT_EQ(0, std::memcmp(after, text, sizeof after));

  char onlyTrailing[] = "ab  ";
  trimBlanks(onlyTrailing);
  const char afterTrailing[5] = {'a', 'b', '\0', '\0', '\0'};
  EXPECT_EQ(0, std::memcmp(afterTrailing, onlyTrailing, sizeof afterTrailing));
}

TEST(TrimBlanks, BlanksOnlyEmptyAndOtherWhiteSpace) {
  char blanks[] = "   ";
  EXPECT_EQ(blanks, trimBlanks(blanks));
  const char afterBlanks[4] = {'\0', ' ', ' ', '\0'};
  EXPECT_EQ(0, std::memcmp(afterBlanks, blanks, sizeof afterBlanks));

  char empty[] = "";
  EXPECT_STREQ("", trimBlanks(empty));

  // Only 0x20 is trimmed.
  char tab[] = "\ta ";
  EXPECT_STREQ("\ta", trimBlanks(tab));
  char controls[] = " x\n\r";
  EXPECT_STREQ("x\n\r", trimBlanks(controls));

  char untouched[] = "a  b";
  EXPECT_STREQ("a  b", trimBlanks(untouched));
}
