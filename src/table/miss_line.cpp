// The error file's line for a symbology without a row: the converter writes
// it, kelobin reads error files back by it.
#include <string.h>

#include "platform/decimal_text.h"
#include "table/code_table.h"

size_t missLine(const CodeTableRow& key, char* line) {
  const int16_t fields[6] = {key.level,  key.style, key.colour,
                             key.weight, key.font,  key.graphicGroup};
  const int widths[6] = {2, 1, 3, 1, 2, 4};
  char* end = line;
  for (int i = 0; i < 6; ++i) {
    end = putDecimal(end, fields[i], widths[i]);
    *end++ = ' ';
  }
  *end++ = '"';
  size_t length = strnlen(key.name, sizeof key.name);
  memcpy(end, key.name, length);
  end += length;
  *end++ = '"';
  *end++ = '\n';
  return static_cast<size_t>(end - line);
}
