// Finding the KELO code of the current element, and reporting symbologies
// that have no row so that the table can be completed.
#include <string.h>

#include "run/converter.h"

// Names match byte for byte, with only the letters A to Z folded.
static bool sameName(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a);
    unsigned char cb = static_cast<unsigned char>(*b);
    if (ca >= 'a' && ca <= 'z') ca = static_cast<unsigned char>(ca - 32);
    if (cb >= 'a' && cb <= 'z') cb = static_cast<unsigned char>(cb - 32);
    if (ca != cb) return false;
    if (ca == '\0') return true;
  }
}

static bool rowMatches(const CodeTableRow& row, const CodeTableRow& key, int mode) {
  switch (mode) {
    case kBySymbology:
      return row.level == key.level && row.style == key.style && row.colour == key.colour &&
             row.weight == key.weight;
    case kByGraphicGroup:
      return row.graphicGroup == key.graphicGroup;
    case kByName:
      return sameName(row.name, key.name);
    case kByFontAndName:
      return row.font == key.font && sameName(row.name, key.name);
    default:
      return false;
  }
}

int Converter::lookupCode(int mode) {
  for (int i = 0; i < codeTableRows; ++i) {
    if (rowMatches(codeTable[i], currentRow, mode)) {
      currentRow = codeTable[i];
      return 1;
    }
  }
  if (mode == kByFontAndName) return 0;  // the text is looked up again
  memcpy(currentRow.code, "nuevo", 6);
  ++counts.misses;
  missingKeys.add(symbologyKey(currentRow.level, currentRow.style, currentRow.colour,
                               currentRow.weight, currentRow.font, currentRow.graphicGroup,
                               currentRow.name));
  currentRow.simbKelo[0] = '\0';
  errorPrintf("%2d %1d %3d %1d %2d %4d \"%s\"\n", currentRow.level, currentRow.style,
              currentRow.colour, currentRow.weight, currentRow.font, currentRow.graphicGroup,
              currentRow.name);
  return 0;
}
