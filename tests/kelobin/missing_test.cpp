// kelobin missing: the rows it prints, once completed and appended to the
// table, leave nothing missing; foreign and run-stopping lines are named.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/conversion.h"

using namespace dgntest;

namespace {

const char kTable[] = "BASE 1 0 0 0 0 0 \"\" 1.0 0\n";

// a: three lines of level 20 colour 3, one of level 21, the cell FAROLA;
// b: one more line of level 20 colour 3, a text of font 3 on level 22, and
// two lines of level 23 whose miss lines keep that text's font and name.
void writeDrawings(const TempDir& dir) {
  const std::vector<int32_t> upright = {214748, 0, 0, 214748};
  DesignFile a(2), b(2);
  for (int i = 0; i < 3; ++i) a.add(withSymbology(line(2, 0, i, 0, 10, i, 0), 20, 0, 3, 0));
  a.add(withSymbology(line(2, 0, 0, 0, 10, 0, 0), 21, 0, 0, 0))
      .add(cellHeader(2, "FAROLA", upright, {50, 50, 0}));
  b.add(withSymbology(line(2, 0, 0, 0, 10, 0, 0), 20, 0, 3, 0))
      .add(onLevel(text(2, 3, 0, 50000, {0}, {0, 0, 0}, "POZO"), 22))
      .add(onLevel(line(2, 0, 0, 0, 10, 0, 0), 23))
      .add(onLevel(line(2, 0, 0, 0, 10, 0, 0), 23));
  dir.writeFile("a.dgn", a.bytes());
  dir.writeFile("b.dgn", b.bytes());
}

void convertBoth(const TempDir& dir) {
  EXPECT_EQ(0, runProgram(dir.path(), {"a a 1 0 0 0 0 0"}).exitStatus);
  EXPECT_EQ(0, runProgram(dir.path(), {"b b 1 0 0 0 0 0"}).exitStatus);
}

}  // namespace

TEST(KelobinMissing, RowsCompleteTheTable) {
  TempDir dir;
  writeDrawings(dir);
  dir.writeFile("DGNBIN.TAB", std::string(kTable));
  convertBoth(dir);
  const std::string a = dir.file("a.ERR"), b = dir.file("b.ERR");
  dir.writeFile("list", b + "\r\n");
  ProgramResult run = runKelobin({"missing", a, "--lista", dir.file("list"), "--code", "M"});
  EXPECT_EQ(0, run.exitStatus);
  EXPECT_EQ("", run.err);
  // The key as the table's columns want it, ALTO 1.0, Simb.Kelo 0, a remark.
  auto expected = [](const char* key, const std::string& remark) {
    return "M        " + std::string(key) + " 1.0  0  [" + remark + "]\n";
  };
  // The text's row goes first of the rows of its font and name, which a
  // text would find.
  EXPECT_EQ(expected(" 20  0   3  0   0     0  \"\"         ", "4 veces en " + a + ", " + b) +
                expected(" 22  0   0  0   3     0  \"POZO\"     ", "1 vez en " + b) +
                expected(" 23  0   0  0   3     0  \"POZO\"     ",
                         "2 veces en " + b +
                             "; los textos de fuente 3 y nombre POZO toman la fila de arriba") +
                expected(" 21  0   0  0   0     0  \"\"         ", "1 vez en " + a) +
                expected("  1  0   0  0   0     0  \"FAROLA\"   ", "1 vez en " + a),
            run.out);

  std::string table = kTable, row;  // the placeholders become M1, M2...
  std::istringstream rows(run.out);
  for (int n = 1; std::getline(rows, row); ++n)
    table += "M" + std::to_string(n) + row.substr(1) + "\n";
  dir.writeFile("DGNBIN.TAB", table);
  convertBoth(dir);
  EXPECT_EQ(kErrorHeader, dir.readText("a.ERR"));
  EXPECT_EQ(kErrorHeader, dir.readText("b.ERR"));
  // The text has its own code, not that of the lines that took its name.
  const std::vector<BinRecord> records = parseBin(dir.readFile("b.bin"));
  EXPECT_EQ(records[1].code + " " + records[2].code, "M2 M3");
}

TEST(KelobinMissing, NamesForeignAndStoppingLines) {
  TempDir dir;
  const char* const lines[] = {"NIVEL ESTILO COLOR PESO FONT GG",
                               "20 0   3 0  0    0 \"\"",
                               "ERROR Fichero DGN truncado en el byte 4242",
                               "20 0 3 0 0 0 \"\"",
                               " 5 0   3 0  0    0 \"A\"B\"",
                               "L\xEDmite excedido en rango bajo: (1.000, 2.000, 3.000).",
                               " Valor M\xE1ximo=42.000"};
  std::string errorFile;
  for (const char* line : lines) errorFile += std::string(line) + "\r\n";
  dir.writeFile("c.ERR", errorFile);
  dir.writeFile("d.ERR", std::string("\x89PNG\r\n"));
  const std::string c = dir.file("c.ERR"), d = dir.file("d.ERR");
  ProgramResult run = runKelobin({"missing", c, d});
  EXPECT_EQ(1, run.exitStatus);
  EXPECT_EQ("??????    20  0   3  0   0     0  \"\"          1.0  0  [1 vez en " + c + "]\n",
            run.out);
  const std::string said[] = {
      c + " linea 3: conversion detenida: ERROR Fichero DGN truncado en el byte 4242",
      c + " linea 4: linea extrana en un fichero de errores: 20 0 3 0 0 0 \"\"",
      c + " linea 6: conversion detenida: Limite excedido en rango bajo: (1.000, 2.000, 3.000). "
          "Valor Maximo=42.000",
      d + " no es un fichero de errores: su primera linea no es \"" + lines[0] + "\"",
      "el nombre A\"B lleva comillas dobles y no cabe en una fila de DGNBIN.TAB (1 vez)"};
  std::string err;
  for (const std::string& line : said) err += "kelobin: " + line + "\n";
  EXPECT_EQ(err, run.err);
}

// The table reads 254 bytes of a line: the list of files is cut.
TEST(KelobinMissing, LongListsOfFilesAreCut) {
  TempDir dir;
  std::vector<std::string> args = {"missing"};
  for (char c : std::string("xyz")) {
    dir.writeFile(std::string(60, c) + ".ERR",
                  std::string(kErrorHeader) + "20 0   3 0  0    0 \"\"\r\n");
    args.push_back(dir.file(std::string(60, c) + ".ERR"));
  }
  ProgramResult run = runKelobin(args);
  EXPECT_EQ("??????    20  0   3  0   0     0  \"\"          1.0  0  [3 veces en " + args[1] +
                " y 2 mas]\n",
            run.out);
}
