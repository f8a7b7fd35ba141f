// Reading DGNBIN.TAB into the code table.
#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "platform/code_page.h"
#include "platform/platform.h"
#include "run/words.h"
#include "table/code_table_file.h"

namespace {

const char* const kColumns[10] = {"CODIGO", "NIVEL",    "ESTILO",     "COLOR", "PESO",
                                  "FONT",   "GRUPO_G.", "CELL/SIMB.", "ALTO",  "Simb.Kelo"};

bool digitsOnly(const char* word) {
  if (*word == '\0') return false;
  for (; *word != '\0'; ++word) {
    if (*word < '0' || *word > '9') return false;
  }
  return true;
}

// A spreadsheet in Spain writes ALTO 2.5 as "2,5", which the splitter takes
// for two words: ALTO 2 and Simb.Kelo 5. A row that separates its words
// with commas throughout may mean just that; one that uses blanks, or has
// a word too many, hardly does.
bool altoWithDecimalComma(const WordTable& words, const char* line, const char* original) {
  if (words.count < 10 || !digitsOnly(words.words[8]) || !digitsOnly(words.words[9])) return false;
  size_t altoEnd = static_cast<size_t>(words.words[8] - line) + strlen(words.words[8]);
  if (original[altoEnd] != ',' || static_cast<size_t>(words.words[9] - line) != altoEnd + 1) {
    return false;
  }
  if (words.count > 10) return true;
  for (int i = 0; i < 8; ++i) {
    const char* from = original + (words.words[i] - line) + strlen(words.words[i]);
    const char* to = original + (words.words[i + 1] - line);
    if (memchr(from, ' ', static_cast<size_t>(to - from)) != NULL) return true;
  }
  return false;
}

// Rows are read as they come; one short of columns, with a word that is not
// a number where a number goes, or with a likely slip of the kind below, is
// most likely not what its writer meant. One line per row says it all.
void checkRow(const WordTable& words, const char* line, const char* original, int lineNumber,
              const TableMessages& messages) {
  std::string problems;
  auto add = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : ", ") + problem;
  };
  if (words.count < 10) add("tiene " + std::to_string(words.count) + " columnas de 10");
  for (int column = 1; column <= 8 && column < words.count; ++column) {
    if (column == 7) continue;  // the name
    const char* word = words.words[column];
    char* end = NULL;
    if (column == 8) {
      strtod(word, &end);
    } else {
      strtol(word, &end, 10);
    }
    if (end != word && *end == '\0') continue;
    std::string shown;
    appendAscii(shown, word, strlen(word));
    add(std::string("la columna ") + kColumns[column] + " no es un numero (\"" + shown + "\")");
  }
  if (altoWithDecimalComma(words, line, original)) {
    add(std::string("ALTO lleva coma decimal (\"") + words.words[8] + "," + words.words[9] +
        "\" se lee como ALTO " + words.words[8] + " y Simb.Kelo \"" + words.words[9] +
        "\"): escriba " + words.words[8] + "." + words.words[9]);
  }
  for (int column = 0; column < 10 && column < words.count; ++column) {
    if (strchr(words.words[column], '\t') != NULL) {
      add("hay tabuladores dentro de las columnas: el tabulador no separa, use blancos o comas");
      break;
    }
  }
  for (int column : {0, 7, 9}) {
    const char* word = words.words[column];
    bool wide = false;
    for (const char* c = word; *c != '\0'; ++c) wide |= (*c & 0x80) != 0;
    if (column < words.count && wide && isUtf8(word, strlen(word))) {
      add(std::string("la columna ") + kColumns[column] +
          " esta en UTF-8 y los textos del dibujo en Latin-1: no coincidira; guarde la tabla en "
          "Latin-1");
    }
  }
  if (problems.empty()) return;
  std::string text =
      "DGNBIN.TAB linea " + std::to_string(lineNumber) + ": " + problems + "; se lee igual";
  messages.warning(text.c_str());
}

}  // namespace

TableLoad readCodeTable(const char* path, CodeTableRow* rows, int* count,
                        const TableMessages& messages, int* reason) {
  *count = 0;
  FILE* table = fopen(path, "r");
  if (table == NULL) {
    *reason = errno;
    return kTableMissing;
  }
  char line[256], original[256];
  int lineNumber = 0;
  // One read takes at most 254 bytes; a longer line continues as a line of
  // its own, as the table has always been read.
  while (readTextLine(line, 255, table) != NULL) {
    ++lineNumber;
    memcpy(original, line, sizeof line);
    WordTable wordTable = splitWords(line);
    if (wordTable.count == 0 || wordTable.words[0][0] == '/') continue;

    checkRow(wordTable, line, original, lineNumber, messages);
    CodeTableRow& row = rows[*count];
    char** word = wordTable.words;
    bool cut = copyTerminated(row.code, word[0], sizeof row.code - 1);
    row.level = static_cast<int16_t>(atoi(word[1]));
    row.style = static_cast<int16_t>(atoi(word[2]));
    row.colour = static_cast<int16_t>(atoi(word[3]));
    row.weight = static_cast<int16_t>(atoi(word[4]));
    row.font = static_cast<int16_t>(atoi(word[5]));
    row.graphicGroup = static_cast<int16_t>(atoi(word[6]));
    cut |= copyTerminated(row.name, trimBlanks(word[7]), sizeof row.name - 1);
    row.alto = static_cast<float>(atof(word[8]));
    cut |= copyTerminated(row.simbKelo, trimBlanks(word[9]), sizeof row.simbKelo - 1);
    if (cut) {
      fprintf(messages.console,
              "AVISO l\xEDnea %d de DGNBIN.TAB: c\xF3"
              "digo, nombre o Simb.Kelo demasiado largo, se recorta\n",
              lineNumber);
    }

    ++*count;
    if (*count == kTableRows) {
      fclose(table);
      return kTableTooLong;
    }
  }
  // A table that opens but cannot be read (a directory of that name) would
  // convert everything as "nuevo": it counts as missing.
  bool readFailed = ferror(table) != 0;
  *reason = errno;
  fclose(table);
  return readFailed ? kTableMissing : kTableLoaded;
}
