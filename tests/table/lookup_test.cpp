// Finding the KELO code of the current element in the code table.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>

#include "run/converter.h"

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(nullptr, c_.errorFile = std::tmpfile()); }  // for misses
  void add(const CodeTableRow& row) { c_.codeTable[c_.codeTableRows++] = row; }
  // The code found in `mode` for an element with this key, or "-".
  std::string find(int mode, const CodeTableRow& key) {
    c_.currentRow = key;
    return c_.lookupCode(mode) ? c_.currentRow.code : "-";
  }
  Converter c_;  // closes the error file
};

TEST_F(LookupTest, ModesAndTheFirstMatchingRow) {
  add({"W", 20, 0, 3, 1, 84, 1105, "ABC", 0, ""});  // weight differs
  add({"001106", 20, 0, 3, 0, 84, 1106, "1", 1.5f, "@150"});
  add({"later", 20, 0, 3, 0, 85, 1106, "abc", 2.0f, "0"});
  add({"E", 0, 0, 0, 0, 85, 0, "\xC9[@", 0, ""});  // E acute, Latin-1
  add({"F", 0, 0, 0, 0, 85, 0, "", 0, ""});
  EXPECT_EQ("001106", find(0, {"", 20, 0, 3, 0, 7, 99, "zz", 9.0f, ""}));
  // The whole row is taken, whatever font, group and name the element had.
  EXPECT_EQ(0, std::memcmp(&c_.codeTable[1], &c_.currentRow, sizeof(CodeTableRow)));
  const struct { int mode; int16_t font, group; const char* name, *code; } cases[] = {
      {1, 1, 1105, "", "W"},      {1, 1, 1106, "", "001106"}, {2, 1, 0, "aBc", "W"},
      {2, 1, 0, "\xC9{@", "-"},   {2, 1, 0, "\xE9[@", "-"},   {2, 1, 0, "\xC9[@", "E"},
      {2, 1, 0, "ab", "-"},       {2, 1, 0, "abcd", "-"},     {3, 85, 0, "ABC", "later"},
      {3, 85, 0, "", "F"},        {3, 83, 0, "abc", "-"},     {7, 84, 1105, "ABC", "-"}};
  for (const auto& c : cases) {
    CodeTableRow key = {"", 9, 9, 9, 9, c.font, c.group, "", 0, ""};
    std::strcpy(key.name, c.name);
    EXPECT_EQ(c.code, find(c.mode, key)) << c.mode << " " << c.name;
  }
}

// A miss codes the element "nuevo", empties its Simb.Kelo, keeps the key and
// lists it; a mode-3 miss changes and lists nothing.
TEST_F(LookupTest, MissesAreListedInTheErrorFile) {
  const CodeTableRow first = {"x", 20, 0, 3, 0, 84, 1106, "1", 1.5f, "@150"};
  c_.currentRow = first;
  EXPECT_EQ(0, c_.lookupCode(3));
  EXPECT_EQ(0, std::memcmp(&first, &c_.currentRow, sizeof first));
  EXPECT_EQ(0, c_.lookupCode(0));
  EXPECT_STREQ("nuevo", c_.currentRow.code);
  EXPECT_STREQ("", c_.currentRow.simbKelo);
  EXPECT_EQ(1.5f, c_.currentRow.alto);
  c_.currentRow = {"", 5, 2, 255, 31, 0, -1, "", 0, ""};  // graphic group 65535
  c_.lookupCode(1);
  std::rewind(c_.errorFile);
  char text[128] = {};
  EXPECT_EQ(48u, std::fread(text, 1, sizeof text, c_.errorFile));
  EXPECT_STREQ("20 0   3 0 84 1106 \"1\"\r\n 5 2 255 31  0   -1 \"\"\r\n", text);
}
