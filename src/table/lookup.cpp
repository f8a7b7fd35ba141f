// Finding the KELO code of the current element, and reporting symbologies
// that have no row so that the table can be completed.
#include <string.h>

#include "platform/decimal_text.h"
#include "platform/platform.h"
#include "run/converter.h"
#include "run/program_texts.h"

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

// Through the index that loading the table built.
int Converter::lookupCode(int mode) {
  int row = lookupIndex.find(currentRow, mode);
  if (row >= 0) {
    currentRow = codeTable[row];
    return 1;
  }
  if (mode == kByFontAndName) return 0;  // the text is looked up again
  memcpy(currentRow.code, kNewCode, sizeof kNewCode);
  ++counts.misses;
  missingKeys.add(symbologyKey(currentRow.level, currentRow.style, currentRow.colour,
                               currentRow.weight, currentRow.font, currentRow.graphicGroup,
                               currentRow.name));
  currentRow.simbKelo[0] = '\0';
  char line[64];
  size_t size = missLine(currentRow, line);
  if (errorSink.isOpen() && !errorSink.appendTextMode(line, size)) errorWriteFailed = true;
  return 0;
}
