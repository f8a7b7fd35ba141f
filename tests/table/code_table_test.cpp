// Reading DGNBIN.TAB: the words of each row, comments, cut fields, line
// ends. Fields no drawing can reach (a level of 4464, a style of -3) are
// checked here on the rows as read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "run/converter.h"
#include "support/program_run.h"

namespace {
// Loads `table` from a fresh working directory; the rows as
// "code level style colour weight font group |name| alto |simb|", then the console.
std::vector<std::string> load(const std::string& table) {
  dgntest::TempDir dir;
  dir.writeFile("DGNBIN.TAB", table);
  char saved[4096];
  EXPECT_TRUE(getcwd(saved, sizeof saved) != nullptr && chdir(dir.path().c_str()) == 0);
  Converter c;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(c.loadCodeTable());
  const std::string console = testing::internal::GetCapturedStdout();
  EXPECT_EQ(0, chdir(saved));
  std::vector<std::string> rows;
  for (int i = 0; i < c.codeTableRows; ++i) {
    const CodeTableRow& r = c.codeTable[i];
    char s[128];
    std::snprintf(s, sizeof s, "%s %d %d %d %d %d %d |%s| %g |%s|", r.code, r.level, r.style,
                  r.colour, r.weight, r.font, r.graphicGroup, r.name, r.alto, r.simbKelo);
    rows.push_back(s);
  }
  rows.push_back(console);
  return rows;
}
}  // namespace

TEST(CodeTable, WordsOfEachRow) {
  const std::string table =
      "/ titulo\r\n"
      "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
      "\n   // comentario con blancos delante\n  ,, \n"
      "002312  21 1 13 0 00 0006 \"\" 1.5 0 [Pasa Tipo DGN a Tipo KELO]\r\n"
      "A/B,1,2,3,4,5,6,\"  ab c  \",2.5,\" @5 \"\n"
      "N 70000 -3 65535 12abc x +4 zz 0\n"
      "ABC\r\r\n"
      "ABCDEFGHIJKL 1 2 3 4 5 6 NAMEISTOOLONG 1.0 SIMBKELOTOOLONG\n"
      // 253 bytes and CR LF: the pair reads as one line end across the limit.
      "CR " +
      std::string(250, ' ') +
      "\r\nNEXT 7\n"
      "A 1 2 3 4 5 6 N 1.5 S" +
      std::string(231, ' ') + "XYZW 9";  // 258 bytes, no line end
  const std::vector<std::string> rows = load(table);
  const std::vector<std::string> expected = {
      "001106 20 0 3 0 84 1106 |1| 1.5 |@150|",
      "002312 21 1 13 0 0 6 || 1.5 |0|",  // 0006 is decimal
      "A/B 1 2 3 4 5 6 |ab c| 2.5 |@5|",  // quoted texts are trimmed
      "N 4464 -3 -1 12 0 4 |zz| 0 ||",    // atoi kept in 16 bits: 70000 is 4464
      "ABC\r 0 0 0 0 0 0 || 0 ||",        // only the CR before the LF goes
      "ABCDEFGHI 1 2 3 4 5 6 |NAMEISTOO| 1 |SIMBKELOTOO|",
      "CR 0 0 0 0 0 0 || 0 ||",
      "NEXT 7 0 0 0 0 0 || 0 ||",
      "A 1 2 3 4 5 6 |N| 1.5 |S|",  // a line over 254 bytes is read in two
      "ZW 9 0 0 0 0 0 || 0 ||",
      "AVISO l\xEDnea 10 de DGNBIN.TAB: c\xF3"
      "digo, nombre o Simb.Kelo demasiado largo, se recorta\n"};
  EXPECT_EQ(rows, expected);
}
