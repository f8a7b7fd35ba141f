// Finding the KELO code of the current element, and the miss lines of the
// error file.
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "run/converter.h"

namespace {

CodeTableRow makeRow(const char* code, int level, int style, int colour, int weight, int font,
                     int graphicGroup, const char* name, float alto, const char* simbKelo) {
  CodeTableRow row;
  std::memset(&row, 0, sizeof row);
  std::strcpy(row.code, code);
  row.level = static_cast<int16_t>(level);
  row.style = static_cast<int16_t>(style);
  row.colour = static_cast<int16_t>(colour);
  row.weight = static_cast<int16_t>(weight);
  row.font = static_cast<int16_t>(font);
  row.graphicGroup = static_cast<int16_t>(graphicGroup);
  std::strcpy(row.name, name);
  row.alto = alto;
  std::strcpy(row.simbKelo, simbKelo);
  return row;
}

bool sameRow(const CodeTableRow& a, const CodeTableRow& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    converter_.errorFile = std::tmpfile();
    ASSERT_NE(nullptr, converter_.errorFile);
  }

  void addRow(const CodeTableRow& row) { converter_.codeTable[converter_.codeTableRows++] = row; }

  // Sets the key fields of the current element.
  void setKey(int level, int style, int colour, int weight, int font, int graphicGroup,
              const char* name) {
    CodeTableRow& key = converter_.currentRow;
    key.level = static_cast<int16_t>(level);
    key.style = static_cast<int16_t>(style);
    key.colour = static_cast<int16_t>(colour);
    key.weight = static_cast<int16_t>(weight);
    key.font = static_cast<int16_t>(font);
    key.graphicGroup = static_cast<int16_t>(graphicGroup);
    std::strcpy(key.name, name);
  }

  // Everything written to the error file so far, as stored.
  std::string errorBytes() {
    FILE* f = converter_.errorFile;
    std::fflush(f);
    long end = std::ftell(f);
    std::string bytes(static_cast<size_t>(end), '\0');
    std::rewind(f);
    size_t got = std::fread(&bytes[0], 1, bytes.size(), f);
    bytes.resize(got);
    std::fseek(f, 0, SEEK_END);
    return bytes;
  }

  Converter converter_;  // closes the error file
};

const CodeTableRow kRow001106 =
    makeRow("001106", 20, 0, 3, 0, 84, 1106, "1", 1.5f, "@150");

}  // namespace

TEST_F(LookupTest, ModeZeroMatchesLevelStyleColourWeight) {
  addRow(makeRow("A", 20, 0, 3, 1, 84, 1106, "1", 0.5f, "x"));  // weight differs
  addRow(makeRow("B", 20, 0, 4, 0, 84, 1106, "1", 0.5f, "x"));  // colour differs
  addRow(makeRow("C", 20, 1, 3, 0, 84, 1106, "1", 0.5f, "x"));  // style differs
  addRow(makeRow("D", 21, 0, 3, 0, 84, 1106, "1", 0.5f, "x"));  // level differs
  addRow(kRow001106);
  addRow(makeRow("later", 20, 0, 3, 0, 0, 0, "", 2.0f, "0"));
  setKey(20, 0, 3, 0, 7, 99, "zz");
  converter_.currentRow.alto = 9.0f;

  EXPECT_EQ(1, converter_.lookupCode(0));
  // The whole row, whatever font, group and name the element had.
  EXPECT_TRUE(sameRow(kRow001106, converter_.currentRow));
  EXPECT_EQ("", errorBytes());
}

TEST_F(LookupTest, ModeOneMatchesTheGraphicGroup) {
  addRow(makeRow("A", 20, 0, 3, 0, 84, 1105, "1", 0.5f, "x"));
  addRow(makeRow("B", 1, 1, 1, 1, 1, 1106, "q", 0.5f, "y"));
  addRow(makeRow("C", 20, 0, 3, 0, 84, 1106, "1", 0.5f, "z"));
  setKey(20, 0, 3, 0, 84, 1106, "1");
  EXPECT_EQ(1, converter_.lookupCode(1));
  EXPECT_TRUE(sameRow(converter_.codeTable[1], converter_.currentRow));
}

TEST_F(LookupTest, ModeTwoComparesNamesFoldingOnlyAToZ) {
  addRow(makeRow("R1", 0, 0, 0, 0, 0, 0, "ABC", 0.0f, "a"));
  addRow(makeRow("R2", 0, 0, 0, 0, 0, 0, "\xC9", 0.0f, "b"));   // E acute, Latin-1
  addRow(makeRow("R3", 0, 0, 0, 0, 0, 0, "a[@", 0.0f, "c"));
  addRow(makeRow("R4", 0, 0, 0, 0, 0, 0, "AB", 0.0f, "d"));

  setKey(1, 1, 1, 1, 1, 1, "abc");
  EXPECT_EQ(1, converter_.lookupCode(2));
  EXPECT_STREQ("R1", converter_.currentRow.code);

  setKey(1, 1, 1, 1, 1, 1, "aBc");
  EXPECT_EQ(1, converter_.lookupCode(2));
  EXPECT_STREQ("R1", converter_.currentRow.code);

  setKey(1, 1, 1, 1, 1, 1, "ab");
  EXPECT_EQ(1, converter_.lookupCode(2));
  EXPECT_STREQ("R4", converter_.currentRow.code);

  // Letters outside A to Z keep their case: e acute does not match E acute,
  // and { ` are not [ @ in another case.
  setKey(1, 1, 1, 1, 1, 1, "\xE9");
  EXPECT_EQ(0, converter_.lookupCode(2));
  EXPECT_STREQ("nuevo", converter_.currentRow.code);
  setKey(1, 1, 1, 1, 1, 1, "A{`");
  EXPECT_EQ(0, converter_.lookupCode(2));
  setKey(1, 1, 1, 1, 1, 1, "A[@");
  EXPECT_EQ(1, converter_.lookupCode(2));
  EXPECT_STREQ("R3", converter_.currentRow.code);
  // A prefix is not a match.
  setKey(1, 1, 1, 1, 1, 1, "abcd");
  EXPECT_EQ(0, converter_.lookupCode(2));
}

TEST_F(LookupTest, ModeThreeMatchesFontAndName) {
  addRow(makeRow("F1", 20, 0, 3, 0, 84, 1106, "CAMINO", 1.0f, "@CAMINO"));
  addRow(makeRow("F2", 20, 0, 3, 0, 85, 1106, "camino", 1.0f, "C"));
  addRow(makeRow("F3", 20, 0, 3, 0, 85, 1106, "", 1.0f, "@5200"));

  setKey(5, 5, 5, 5, 85, 5, "Camino");
  EXPECT_EQ(1, converter_.lookupCode(3));
  EXPECT_STREQ("F2", converter_.currentRow.code);

  setKey(5, 5, 5, 5, 85, 5, "");
  EXPECT_EQ(1, converter_.lookupCode(3));
  EXPECT_STREQ("F3", converter_.currentRow.code);
  EXPECT_EQ("", errorBytes());
}

TEST_F(LookupTest, ModeThreeMissChangesNothingAndWritesNothing) {
  addRow(makeRow("F1", 20, 0, 3, 0, 84, 1106, "CAMINO", 1.0f, "@CAMINO"));
  setKey(20, 0, 3, 0, 83, 1106, "CAMINO");
  std::strcpy(converter_.currentRow.code, "prev");
  std::strcpy(converter_.currentRow.simbKelo, "@X");
  converter_.currentRow.alto = 3.0f;
  CodeTableRow before = converter_.currentRow;

  EXPECT_EQ(0, converter_.lookupCode(3));
  EXPECT_TRUE(sameRow(before, converter_.currentRow));
  EXPECT_EQ("", errorBytes());
}

TEST_F(LookupTest, OtherModesMatchNoRowAndReport) {
  addRow(kRow001106);
  setKey(20, 0, 3, 0, 84, 1106, "1");
  EXPECT_EQ(0, converter_.lookupCode(7));
  EXPECT_STREQ("nuevo", converter_.currentRow.code);
  EXPECT_EQ(0, converter_.lookupCode(-1));
  EXPECT_EQ("20 0   3 0 84 1106 \"1\"\r\n20 0   3 0 84 1106 \"1\"\r\n", errorBytes());
}

TEST_F(LookupTest, MissSetsNuevoAndKeepsTheKey) {
  addRow(makeRow("X", 1, 1, 1, 1, 1, 1, "other", 0.0f, "0"));
  setKey(20, 0, 3, 0, 84, 1106, "1");
  std::strcpy(converter_.currentRow.code, "001106");
  std::strcpy(converter_.currentRow.simbKelo, "@150");
  converter_.currentRow.alto = 1.5f;

  EXPECT_EQ(0, converter_.lookupCode(0));
  const CodeTableRow& row = converter_.currentRow;
  EXPECT_STREQ("nuevo", row.code);
  EXPECT_STREQ("", row.simbKelo);
  EXPECT_EQ(20, row.level);
  EXPECT_EQ(0, row.style);
  EXPECT_EQ(3, row.colour);
  EXPECT_EQ(0, row.weight);
  EXPECT_EQ(84, row.font);
  EXPECT_EQ(1106, row.graphicGroup);
  EXPECT_STREQ("1", row.name);
  EXPECT_EQ(1.5f, row.alto);
  EXPECT_EQ("20 0   3 0 84 1106 \"1\"\r\n", errorBytes());
}

TEST_F(LookupTest, MissLineFormats) {
  // One-character fields widen; the name is quoted even when empty.
  setKey(5, 2, 255, 31, 0, 0, "");
  EXPECT_EQ(0, converter_.lookupCode(0));
  EXPECT_EQ(" 5 2 255 31  0    0 \"\"\r\n", errorBytes());

  // Values are signed 16-bit: a group of 65535 prints as -1.
  setKey(-4, 0, 1000, 2, 127, 65535, "abc def");
  EXPECT_EQ(0, converter_.lookupCode(1));
  EXPECT_EQ(" 5 2 255 31  0    0 \"\"\r\n-4 0 1000 2 127   -1 \"abc def\"\r\n", errorBytes());
}

TEST_F(LookupTest, EmptyTableMissesInEveryReportingMode) {
  setKey(1, 2, 3, 4, 5, 6, "n");
  EXPECT_EQ(0, converter_.lookupCode(0));
  EXPECT_EQ(0, converter_.lookupCode(1));
  EXPECT_EQ(0, converter_.lookupCode(2));
  EXPECT_EQ(0, converter_.lookupCode(3));
  EXPECT_STREQ("nuevo", converter_.currentRow.code);
  EXPECT_EQ(" 1 2   3 4  5    6 \"n\"\r\n"
            " 1 2   3 4  5    6 \"n\"\r\n"
            " 1 2   3 4  5    6 \"n\"\r\n",
            errorBytes());
}

TEST_F(LookupTest, MissAfterAHitReportsTheFontAndNameOfThatRow) {
  addRow(makeRow("TXT", 9, 9, 9, 9, 84, 1106, "CAMINO", 2.0f, "@CAMINO"));
  setKey(1, 1, 1, 1, 84, 0, "camino");
  EXPECT_EQ(1, converter_.lookupCode(3));
  // The next element sets only level, style, colour, weight and group.
  CodeTableRow& key = converter_.currentRow;
  key.level = 2;
  key.style = 0;
  key.colour = 7;
  key.weight = 1;
  key.graphicGroup = 0;
  EXPECT_EQ(0, converter_.lookupCode(0));
  EXPECT_EQ(2.0f, key.alto);
  EXPECT_EQ(" 2 0   7 1 84    0 \"CAMINO\"\r\n", errorBytes());
}
