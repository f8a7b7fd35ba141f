// A row of DGNBIN.TAB and the keys a row is looked up by.
#ifndef DGNBIN_TABLE_CODE_TABLE_H_
#define DGNBIN_TABLE_CODE_TABLE_H_

#include <stddef.h>
#include <stdint.h>

struct CodeTableRow {
  char code[10];
  int16_t level;
  int16_t style;
  int16_t colour;
  int16_t weight;
  int16_t font;
  int16_t graphicGroup;
  char name[10];
  float alto;
  char simbKelo[12];
};
static_assert(sizeof(CodeTableRow) == 48, "a table row is 48 bytes");

const int kTableRows = 1000;

// What a lookup compares. The numbers are those of the clave_gg word, which
// selects the symbology or the graphic-group key.
enum LookupMode {
  kBySymbology = 0,  // level, style, colour and weight
  kByGraphicGroup = 1,
  kByName = 2,         // cells
  kByFontAndName = 3,  // texts, first
};

// The line of the error file for a key without a row, as
// "%2d %1d %3d %1d %2d %4d \"%s\"\n" gives it (level, style, colour, weight,
// font, graphic group, name), into `line` (64 bytes); returns its length.
size_t missLine(const CodeTableRow& key, char* line);

#endif  // DGNBIN_TABLE_CODE_TABLE_H_
