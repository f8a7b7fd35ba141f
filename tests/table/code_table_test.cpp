// Loading DGNBIN.TAB from the working directory into the code table.
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>

#include "run/converter.h"
#include "support/program_run.h"

class CodeTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, getcwd(savedCwd_, sizeof savedCwd_));
    ASSERT_EQ(0, chdir(dir_.path().c_str()));
    std::memset(c_.codeTable, 0xAA, sizeof(CodeTableRow) * 11);
  }
  void TearDown() override { EXPECT_EQ(0, chdir(savedCwd_)); }
  // Writes the table (unless null), loads it and returns the console text.
  std::string load(const std::string* table, bool expectOk = true) {
    if (table) dir_.writeFile("DGNBIN.TAB", *table);
    testing::internal::CaptureStdout();
    EXPECT_EQ(expectOk, c_.loadCodeTable());
    return testing::internal::GetCapturedStdout();
  }
  // Row i as "code level style colour weight font group |name| alto |simb|".
  std::string row(int i) const {
    const CodeTableRow& r = c_.codeTable[i];
    char s[128];
    std::snprintf(s, sizeof s, "%s %d %d %d %d %d %d |%s| %g |%s|", r.code, r.level, r.style,
                  r.colour, r.weight, r.font, r.graphicGroup, r.name, r.alto, r.simbKelo);
    return s;
  }
  dgntest::TempDir dir_;
  char savedCwd_[4096];
  Converter c_;
};

TEST_F(CodeTableTest, LineRulesRowLimitAndMissingFile) {
  std::string table =
      "/ titulo\r\n"
      "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
      "\n   // comentario con blancos delante\n  ,, \n"
      "002312  21 1 13 0 00 0006 \"\" 1.5 0 [Pasa Tipo DGN a Tipo KELO]\r\n"
      "A/B,1,2,3,4,5,6,\"  ab c  \",2.5,\" @5 \"\n"
      "\"/x\" 4\n"
      "N 70000 -3 65535 12abc x +4 zz 0\n"
      "ABC\r\n"
      "ABCDEFGHI 1 2 3 4 5 6 NAMEOFNIN 1.0 SIMBKELO11C\n"
      "ABCDEFGHIJKL 1 2 3 4 5 6 NAMEISTOOLONG 1.0 SIMBKELOTOOLONG\n"
      "LONGNAMES 2 0 0 0 0 7 123456789012345 0 123456789012345678\n"
      "A 1 2 3 4 5 6 N 1.5 S" + std::string(231, ' ') + "XYZW 9";  // 258 bytes, no line end
  const std::string console = load(&table);
  ASSERT_EQ(10, c_.codeTableRows);
  EXPECT_EQ("001106 20 0 3 0 84 1106 |1| 1.5 |@150|", row(0));
  EXPECT_EQ("002312 21 1 13 0 0 6 || 1.5 |0|", row(1));  // 0006 is decimal
  EXPECT_EQ("A/B 1 2 3 4 5 6 |ab c| 2.5 |@5|", row(2));  // quoted texts are trimmed
  EXPECT_EQ("N 4464 -3 -1 12 0 4 |zz| 0 ||", row(3));    // atoi in 16 bits: 70000 is 4464
  EXPECT_EQ("ABC 0 0 0 0 0 0 || 0 ||", row(4));  // the CR before the LF is dropped
  EXPECT_EQ("ABCDEFGHI 1 2 3 4 5 6 |NAMEOFNIN| 1 |SIMBKELO11C|", row(5));
  EXPECT_EQ("ABCDEFGHI 1 2 3 4 5 6 |NAMEISTOO| 1 |SIMBKELOTOO|", row(6));
  EXPECT_EQ("LONGNAMES 2 0 0 0 0 7 |123456789| 0 |12345678901|", row(7));
  // A line over 254 bytes is read in two pieces: the first ends inside "XYZW".
  EXPECT_EQ("A 1 2 3 4 5 6 |N| 1.5 |S|", row(8));
  EXPECT_EQ("ZW 9 0 0 0 0 0 || 0 ||", row(9));
  const std::string fill(sizeof(CodeTableRow), '\xAA');  // nothing written beyond the rows
  EXPECT_EQ(0, std::memcmp(fill.data(), &c_.codeTable[10], fill.size()));
  // One warning for each cut line, naming it: lines 12 and 13.
  const std::regex warnings("AVISO [^\n]*[^0-9]12([^0-9][^\n]*)?\n"
                            "AVISO [^\n]*[^0-9]13([^0-9][^\n]*)?\n");
  EXPECT_TRUE(std::regex_match(console, warnings)) << console;

  // 999 rows load, the thousandth fails; a missing file is reported.
  table.clear();
  for (int i = 0; i < 999; ++i) table += "C" + std::to_string(i) + " 1 0 0 0\n";
  EXPECT_EQ("", load(&table));
  EXPECT_EQ("C998 1 0 0 0 0 0 || 0 ||", row(998));
  for (const char* more : {"X 1\n", "X 1\nY\nZ\n"}) {
    const std::string longer = table + more;
    EXPECT_EQ("LA tabla BINDGN.TAB tiene demasiados elementos", load(&longer, false));
    EXPECT_EQ(1000, c_.codeTableRows);  // nothing read beyond the table
  }
  ASSERT_EQ(0, unlink("DGNBIN.TAB"));
  EXPECT_EQ("No se puede abrir DGNBIN.TAB\n", load(nullptr, false));
  EXPECT_EQ(0, c_.codeTableRows);
}
