// Reading DGNBIN.TAB into the code table.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/platform.h"
#include "run/converter.h"
#include "run/words.h"

// Copies `word` into a field of `size` bytes as a terminated string, cut to
// fit. Bytes after the terminator keep what they held. True when it was cut.
static bool copyField(char* field, size_t size, const char* word) {
  size_t length = strlen(word);
  bool cut = length > size - 1;
  if (cut) length = size - 1;
  memcpy(field, word, length);
  field[length] = '\0';
  return cut;
}

bool Converter::loadCodeTable() {
  codeTableRows = 0;
  FILE* table = fopen("DGNBIN.TAB", "r");
  if (table == NULL) {
    printf("No se puede abrir DGNBIN.TAB\n");
    return false;
  }
  char line[256];
  int lineNumber = 0;
  // One read takes at most 254 bytes; a longer line continues as a line of
  // its own, as the table has always been read.
  while (readTextLine(line, 255, table) != NULL) {
    ++lineNumber;
    splitWords(line);
    if (wordTable.count == 0 || wordTable.words[0][0] == '/') continue;

    CodeTableRow& row = codeTable[codeTableRows];
    char** word = wordTable.words;
    bool cut = copyField(row.code, sizeof row.code, word[0]);
    row.level = static_cast<int16_t>(atoi(word[1]));
    row.style = static_cast<int16_t>(atoi(word[2]));
    row.colour = static_cast<int16_t>(atoi(word[3]));
    row.weight = static_cast<int16_t>(atoi(word[4]));
    row.font = static_cast<int16_t>(atoi(word[5]));
    row.graphicGroup = static_cast<int16_t>(atoi(word[6]));
    cut |= copyField(row.name, sizeof row.name, trimBlanks(word[7]));
    row.alto = static_cast<float>(atof(word[8]));
    cut |= copyField(row.simbKelo, sizeof row.simbKelo, trimBlanks(word[9]));
    if (cut) {
      printf("AVISO l\xEDnea %d de DGNBIN.TAB: c\xF3" "digo, nombre o Simb.Kelo demasiado largo, se recorta\n",
             lineNumber);
    }

    ++codeTableRows;
    if (codeTableRows == kTableRows) {
      printf("LA tabla BINDGN.TAB tiene demasiados elementos");
      fclose(table);
      return false;
    }
  }
  fclose(table);
  return true;
}
