// Finding the KELO code of the current element, and reporting symbologies
// that have no row so that the table can be completed.
#include <string.h>

#include "platform/platform.h"
#include "run/converter.h"
#include "run/program_texts.h"

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
