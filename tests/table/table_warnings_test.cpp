// Rows that are read as written but are most likely not what their writer
// meant get one warning line each, naming the line; rows that are fine, a
// row written with commas throughout included, get none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_run.h"
#include "table/code_table_file.h"

using namespace dgntest;

namespace {
std::vector<std::string> warned;
void keep(const char* text) { warned.push_back(text); }
}  // namespace

TEST(TableWarnings, DecimalCommaTabsAndUtf8) {
  TempDir dir;
  dir.writeFile("DGNBIN.TAB", std::string("POZO 60 0 9 0 3 0 \"POZO\" 2,5 \"@POZO\"\n"
                                          "POZ2,60,0,9,0,3,0,POZO,2,5\n"
                                          "POZ3 60 0 9 0 3 0 POZO 2.5,5\n"
                                          "TAB\t1\t0\t0\t0\t0\t0\tX\t1\t0\n"
                                          "CAMI\xC3\x93N 1 0 0 0 0 0 \"CAMI\xC3\x93N\" 1 0\n"
                                          "CAMI\xD3N 1 0 0 0 0 0 \"CAMI\xD3N\" 1 0\n"));
  std::vector<CodeTableRow> rows(kTableRows);
  int count = 0, reason = 0;
  warned.clear();
  ASSERT_EQ(
      readCodeTable(dir.file("DGNBIN.TAB").c_str(), rows.data(), &count, {stdout, keep}, &reason),
      kTableLoaded);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(rows[0].alto, 2.0f);  // read as ever
  EXPECT_STREQ(rows[0].simbKelo, "5");
  const std::vector<std::string> expected = {
      "DGNBIN.TAB linea 1: ALTO lleva coma decimal (\"2,5\" se lee como ALTO 2 y Simb.Kelo "
      "\"5\"): escriba 2.5; se lee igual",
      "DGNBIN.TAB linea 4: tiene 1 columnas de 10, hay tabuladores dentro de las columnas: el "
      "tabulador no separa, use blancos o comas; se lee igual",
      "DGNBIN.TAB linea 5: la columna CODIGO esta en UTF-8 y los textos del dibujo en Latin-1: no "
      "coincidira; guarde la tabla en Latin-1, la columna CELL/SIMB. esta en UTF-8 y los textos "
      "del dibujo en Latin-1: no coincidira; guarde la tabla en Latin-1; se lee igual"};
  EXPECT_EQ(warned, expected);
}
