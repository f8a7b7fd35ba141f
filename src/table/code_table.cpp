// Reading DGNBIN.TAB into the code table.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "platform/files.h"
#include "platform/number_words.h"
#include "platform/platform.h"
#include "run/converter.h"
#include "run/hints.h"
#include "run/words.h"

// Rows are read as they come; a row short of columns, or with a word that is
// not a number where a number goes, is most likely not what its writer meant.
static void checkRow(const WordTable& wordTable, int lineNumber) {
  static const char* const kColumns[10] = {"CODIGO", "NIVEL",    "ESTILO",     "COLOR", "PESO",
                                           "FONT",   "GRUPO_G.", "CELL/SIMB.", "ALTO",  "Simb.Kelo"};
  std::string problems;
  if (wordTable.count < 10) problems = "tiene " + std::to_string(wordTable.count) + " columnas de 10";
  for (int column = 1; column <= 8 && column < wordTable.count; ++column) {
    if (column == 7) continue;  // the name
    const char* word = wordTable.words[column];
    const char* end = NULL;
    if (column == 8) {
      readReal(word, &end);
    } else {
      readWholeNumber(word, &end);
    }
    if (end != word && *end == '\0') continue;
    if (!problems.empty()) problems += ", ";
    problems += std::string("la columna ") + kColumns[column] + " no es un numero (\"" + word + "\")";
  }
  if (!problems.empty()) hint("DGNBIN.TAB linea %d: %s; se lee igual", lineNumber, problems.c_str());
}

static void hintTableReason(int errnum) {
  hint("DGNBIN.TAB: %s (se lee de la carpeta de trabajo)", systemReason(errnum));
}

bool Converter::loadCodeTable() {
  codeTableRows = 0;
  // In binary mode: a Ctrl-Z is a byte like any other, and readTextLine
  // drops the CR of a CR LF itself.
  FILE* table = openStreamForReading("DGNBIN.TAB");
  if (table == NULL) {
    int reason = errno;
    printf("No se puede abrir DGNBIN.TAB\n");
    hintTableReason(reason);
    return false;
  }
  char line[256];
  int lineNumber = 0;
  // One read takes at most 254 bytes; a longer line continues as a line of
  // its own, as the table has always been read.
  while (readTextLine(line, 255, table) != NULL) {
    ++lineNumber;
    WordTable wordTable = splitWords(line);
    if (wordTable.count == 0 || wordTable.words[0][0] == '/') continue;

    checkRow(wordTable, lineNumber);
    CodeTableRow& row = codeTable[codeTableRows];
    char** word = wordTable.words;
    bool cut = copyTerminated(row.code, word[0], sizeof row.code - 1);
    row.level = static_cast<int16_t>(readInteger(word[1]));
    row.style = static_cast<int16_t>(readInteger(word[2]));
    row.colour = static_cast<int16_t>(readInteger(word[3]));
    row.weight = static_cast<int16_t>(readInteger(word[4]));
    row.font = static_cast<int16_t>(readInteger(word[5]));
    row.graphicGroup = static_cast<int16_t>(readInteger(word[6]));
    cut |= copyTerminated(row.name, trimBlanks(word[7]), sizeof row.name - 1);
    row.alto = static_cast<float>(readReal(word[8]));
    cut |= copyTerminated(row.simbKelo, trimBlanks(word[9]), sizeof row.simbKelo - 1);
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
  // A table that opens but cannot be read (a directory of that name) would
  // convert everything as "nuevo": it counts as missing.
  bool readFailed = ferror(table) != 0;
  // Windows gives no error number of its own for reading a folder.
  int readError = isFolder("DGNBIN.TAB") ? EISDIR : errno;
  fclose(table);
  if (readFailed) {
    printf("No se puede abrir DGNBIN.TAB\n");
    hintTableReason(readError);
    return false;
  }
  lookupIndex.build(codeTable, codeTableRows);
  return true;
}
