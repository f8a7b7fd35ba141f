// Loading DGNBIN.TAB from the working directory into the code table.
#include <cstring>
#include <regex>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "run/converter.h"
#include "support/program_run.h"

namespace {

class CodeTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
    savedCwd_ = cwd;
    ASSERT_EQ(0, chdir(dir_.path().c_str()));
  }
  void TearDown() override { EXPECT_EQ(0, chdir(savedCwd_.c_str())); }

  // Writes the table, loads it and returns what the console got.
  std::string load(const std::string& table, bool* result) {
    dir_.writeFile("DGNBIN.TAB", table);
    testing::internal::CaptureStdout();
    *result = converter_.loadCodeTable();
    return testing::internal::GetCapturedStdout();
  }

  // Loads a table that must load silently.
  void loadQuietly(const std::string& table) {
    bool ok = false;
    EXPECT_EQ("", load(table, &ok));
    EXPECT_TRUE(ok);
  }

  const CodeTableRow& row(int i) const { return converter_.codeTable[i]; }

  dgntest::TempDir dir_;
  std::string savedCwd_;
  Converter converter_;
};

std::string rows(int count) {
  std::string table;
  for (int i = 0; i < count; ++i) table += "C" + std::to_string(i) + " 1 0 0 0\n";
  return table;
}

}  // namespace

TEST_F(CodeTableTest, ExampleRowsReadColumnByColumn) {
  loadQuietly(
      "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
      "002312  21     1      13    0   00    0006       \"\"      1.5      0      "
      "[Pasa Tipo DGN a Tipo KELO]\n");
  ASSERT_EQ(2, converter_.codeTableRows);

  EXPECT_STREQ("001106", row(0).code);
  EXPECT_EQ(20, row(0).level);
  EXPECT_EQ(0, row(0).style);
  EXPECT_EQ(3, row(0).colour);
  EXPECT_EQ(0, row(0).weight);
  EXPECT_EQ(84, row(0).font);
  EXPECT_EQ(1106, row(0).graphicGroup);
  EXPECT_STREQ("1", row(0).name);
  EXPECT_EQ(1.5f, row(0).alto);
  EXPECT_STREQ("@150", row(0).simbKelo);

  EXPECT_STREQ("002312", row(1).code);
  EXPECT_EQ(21, row(1).level);
  EXPECT_EQ(1, row(1).style);
  EXPECT_EQ(13, row(1).colour);
  EXPECT_EQ(0, row(1).weight);
  EXPECT_EQ(0, row(1).font);
  EXPECT_EQ(6, row(1).graphicGroup);  // 0006 is decimal
  EXPECT_STREQ("", row(1).name);
  EXPECT_EQ(1.5f, row(1).alto);
  EXPECT_STREQ("0", row(1).simbKelo);
}

TEST_F(CodeTableTest, CommentAndEmptyLinesAreSkipped) {
  loadQuietly(
      "/ titulo\n"
      "A 1\n"
      "\n"
      "   // comentario con blancos delante\n"
      "  ,, \n"
      "/B 2\n"
      "A/B 3\n"
      "\"/x\" 4\n"
      "C 5\n");
  ASSERT_EQ(3, converter_.codeTableRows);
  EXPECT_STREQ("A", row(0).code);
  EXPECT_EQ(1, row(0).level);
  // A slash that does not begin the first word is no comment.
  EXPECT_STREQ("A/B", row(1).code);
  EXPECT_EQ(3, row(1).level);
  EXPECT_STREQ("C", row(2).code);
  EXPECT_EQ(5, row(2).level);
}

TEST_F(CodeTableTest, EmptyTableAndCommentsOnlyLoadWithNoRows) {
  converter_.codeTableRows = 7;
  loadQuietly("");
  EXPECT_EQ(0, converter_.codeTableRows);
  converter_.codeTableRows = 7;
  loadQuietly("/ nada\n\n/ nada\n");
  EXPECT_EQ(0, converter_.codeTableRows);
}

TEST_F(CodeTableTest, CommasSeparateLikeBlanks) {
  loadQuietly("001106,20,0,3,0,84,1106,\"1\",1.5,\"@150\"\n");
  ASSERT_EQ(1, converter_.codeTableRows);
  EXPECT_STREQ("001106", row(0).code);
  EXPECT_EQ(20, row(0).level);
  EXPECT_EQ(3, row(0).colour);
  EXPECT_EQ(84, row(0).font);
  EXPECT_EQ(1106, row(0).graphicGroup);
  EXPECT_STREQ("1", row(0).name);
  EXPECT_EQ(1.5f, row(0).alto);
  EXPECT_STREQ("@150", row(0).simbKelo);
}

TEST_F(CodeTableTest, QuotedNameAndSimbKeloAreTrimmed) {
  loadQuietly("X 1 2 3 4 5 6 \"  ab c  \" 2.5 \" @5 \"\n");
  ASSERT_EQ(1, converter_.codeTableRows);
  EXPECT_STREQ("ab c", row(0).name);
  EXPECT_EQ(2.5f, row(0).alto);
  EXPECT_STREQ("@5", row(0).simbKelo);
}

TEST_F(CodeTableTest, CarriageReturnBeforeLineFeedIsDropped) {
  loadQuietly("/ comentario\r\nA 1 2 3 4 5 6 N 1.5 S\r\nB\r\n");
  ASSERT_EQ(2, converter_.codeTableRows);
  EXPECT_STREQ("S", row(0).simbKelo);
  EXPECT_STREQ("B", row(1).code);
}

TEST_F(CodeTableTest, LastLineWithoutLineEndIsRead) {
  loadQuietly("A 1\nB 2 3 4 5 6 7 N 0.5 @X");
  ASSERT_EQ(2, converter_.codeTableRows);
  EXPECT_STREQ("B", row(1).code);
  EXPECT_EQ(7, row(1).graphicGroup);
  EXPECT_STREQ("@X", row(1).simbKelo);
}

TEST_F(CodeTableTest, NumbersFollowAtoiAndAtofStoredIn16Bits) {
  loadQuietly("A 70000 -3 65535 12abc x +4 zz 0\n");
  ASSERT_EQ(1, converter_.codeTableRows);
  EXPECT_EQ(4464, row(0).level);  // 70000 - 65536
  EXPECT_EQ(-3, row(0).style);
  EXPECT_EQ(-1, row(0).colour);
  EXPECT_EQ(12, row(0).weight);
  EXPECT_EQ(0, row(0).font);
  EXPECT_EQ(4, row(0).graphicGroup);
  EXPECT_STREQ("zz", row(0).name);
  EXPECT_EQ(0.0f, row(0).alto);
}

TEST_F(CodeTableTest, LineWithOnlyACodeGivesZerosAndEmptyTexts) {
  std::memset(converter_.codeTable, 0x55, sizeof(CodeTableRow) * 2);
  loadQuietly("ABC\n");
  ASSERT_EQ(1, converter_.codeTableRows);
  EXPECT_STREQ("ABC", row(0).code);
  EXPECT_EQ(0, row(0).level);
  EXPECT_EQ(0, row(0).style);
  EXPECT_EQ(0, row(0).colour);
  EXPECT_EQ(0, row(0).weight);
  EXPECT_EQ(0, row(0).font);
  EXPECT_EQ(0, row(0).graphicGroup);
  EXPECT_STREQ("", row(0).name);
  EXPECT_EQ(0.0f, row(0).alto);
  EXPECT_STREQ("", row(0).simbKelo);
}

TEST_F(CodeTableTest, NineHundredNinetyNineRowsLoad) {
  loadQuietly(rows(999));
  EXPECT_EQ(999, converter_.codeTableRows);
  EXPECT_STREQ("C998", row(998).code);
}

TEST_F(CodeTableTest, TheThousandthRowFails) {
  bool ok = true;
  EXPECT_EQ("LA tabla BINDGN.TAB tiene demasiados elementos", load(rows(1000), &ok));
  EXPECT_FALSE(ok);
  EXPECT_EQ(1000, converter_.codeTableRows);

  // Lines after the thousandth row are not read into a row beyond the table.
  ok = true;
  EXPECT_EQ("LA tabla BINDGN.TAB tiene demasiados elementos", load(rows(1005), &ok));
  EXPECT_FALSE(ok);
  EXPECT_EQ(1000, converter_.codeTableRows);
}

TEST_F(CodeTableTest, MissingFileIsReported) {
  converter_.codeTableRows = 3;
  testing::internal::CaptureStdout();
  bool ok = converter_.loadCodeTable();
  EXPECT_EQ("No se puede abrir DGNBIN.TAB\n", testing::internal::GetCapturedStdout());
  EXPECT_FALSE(ok);
  EXPECT_EQ(0, converter_.codeTableRows);
}

TEST_F(CodeTableTest, FieldsThatFitExactlyAreNotCut) {
  loadQuietly("ABCDEFGHI 1 2 3 4 5 6 NAMEOFNIN 1.0 SIMBKELO11C\n");
  EXPECT_STREQ("ABCDEFGHI", row(0).code);
  EXPECT_STREQ("NAMEOFNIN", row(0).name);
  EXPECT_STREQ("SIMBKELO11C", row(0).simbKelo);
}

TEST_F(CodeTableTest, OverLongFieldsAreCutWithOneWarning) {
  std::memset(converter_.codeTable, 0xAA, sizeof(CodeTableRow) * 3);
  bool ok = false;
  std::string console = load(
      "/ comentario\n"
      "\n"
      "ABCDEFGHIJKL 1 2 3 4 5 6 NAMEISTOOLONG 1.0 SIMBKELOTOOLONG\n"
      "OK 7\n",
      &ok);
  EXPECT_TRUE(ok);
  ASSERT_EQ(2, converter_.codeTableRows);

  EXPECT_STREQ("ABCDEFGHI", row(0).code);
  EXPECT_EQ(1, row(0).level);
  EXPECT_EQ(6, row(0).graphicGroup);
  EXPECT_STREQ("NAMEISTOO", row(0).name);
  EXPECT_EQ(1.0f, row(0).alto);
  EXPECT_STREQ("SIMBKELOTOO", row(0).simbKelo);
  EXPECT_STREQ("OK", row(1).code);
  EXPECT_EQ(7, row(1).level);

  // Nothing was written beyond the rows read.
  unsigned char untouched[sizeof(CodeTableRow)];
  std::memset(untouched, 0xAA, sizeof untouched);
  EXPECT_EQ(0, std::memcmp(untouched, &row(2), sizeof untouched));

  // One line for the table line, naming its number (the third line).
  EXPECT_EQ(0u, console.find("AVISO ")) << console;
  EXPECT_EQ(console.size() - 1, console.find('\n')) << console;
  EXPECT_TRUE(std::regex_search(console, std::regex("(^|[^0-9])3([^0-9]|$)"))) << console;
}

TEST_F(CodeTableTest, OverLongLastRowDoesNotReachTheNextRow) {
  std::memset(converter_.codeTable, 0xAA, sizeof(CodeTableRow) * 3);
  bool ok = false;
  std::string console = load("A 1\nLONGNAMES 2 0 0 0 0 0 123456789012345 0 123456789012345678\n", &ok);
  EXPECT_TRUE(ok);
  ASSERT_EQ(2, converter_.codeTableRows);
  EXPECT_STREQ("123456789", row(1).name);
  EXPECT_STREQ("12345678901", row(1).simbKelo);
  unsigned char untouched[sizeof(CodeTableRow)];
  std::memset(untouched, 0xAA, sizeof untouched);
  EXPECT_EQ(0, std::memcmp(untouched, &row(2), sizeof untouched));
  EXPECT_EQ(0u, console.find("AVISO ")) << console;
  EXPECT_EQ(console.size() - 1, console.find('\n')) << console;
  EXPECT_TRUE(std::regex_search(console, std::regex("(^|[^0-9])2([^0-9]|$)"))) << console;
}

TEST_F(CodeTableTest, LineLongerThan254BytesIsReadInTwoPieces) {
  // The first read takes 254 bytes and ends inside "XYZW"; the rest of the
  // line is a row of its own.
  std::string line = "A 1 2 3 4 5 6 N 1.5 S";
  line.resize(252, ' ');
  line += "XYZW 9\n";
  loadQuietly(line + "B 8\n");
  ASSERT_EQ(3, converter_.codeTableRows);
  EXPECT_STREQ("A", row(0).code);
  EXPECT_STREQ("S", row(0).simbKelo);
  EXPECT_STREQ("ZW", row(1).code);
  EXPECT_EQ(9, row(1).level);
  EXPECT_STREQ("B", row(2).code);
  EXPECT_EQ(8, row(2).level);
}
