#include "cli/hints.h"

#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

#include <string>

#include "platform/files.h"
#include "platform/platform.h"

#include "platform/number_words.h"
#include "run/words.h"

void hint(const char* format, ...) {
  va_list args;
  va_start(args, format);
  // After what the console holds, so that a terminal shows both in order.
  fflush(stdout);
  fputs("dgnbin: ", stderr);
  vfprintf(stderr, format, args);
  fputc('\n', stderr);
  va_end(args);
}

void endConsoleLine() {
  if (isTerminal(1) && isTerminal(2)) {
    fflush(stdout);
    fputc('\n', stderr);
  }
}

void hintWordCount(const char* line, int words, int extraArguments) {
  hint("se esperaban 8 valores y hay %d", words);
  if (extraArguments > 0) {
    hint("llegaron %d argumentos y solo se lee el primero", extraArguments + 1);
  }
  hint("los 8 valores van en un solo argumento entre comillas, por ejemplo:");
  hint("  dgnbin \"plano plano 1 0 0 0 0 1\"");
  if (words >= 9 && line != NULL && hasDecimalComma(line)) {
    hint("los decimales se escriben con punto: 0.1, no 0,1");
  }
}

static bool endsWith(const char* text, const char* end) {
  size_t n = strlen(text), m = strlen(end);
  return n >= m && strcasecmp(text + n - m, end) == 0;
}

void hintBaseNames(const char* binBase, const char* dgnBase) {
  const char* words[2] = {binBase, dgnBase};
  for (const char* word : words) {
    if (endsWith(word, ".dgn") || endsWith(word, ".bin")) {
      hint("los nombres van sin extension: \"%s\" se toma como nombre base y se le anade la suya",
           nameInMessages(word).c_str());
    }
  }
}

void hintScaleFactor(const char* word, int unitsPerMasterUnit) {
  const char* end = NULL;
  readReal(word, &end);
  if (end == word || *end != '\0') hint("el factor \"%s\" no es un numero", word);
  const char* suits = unitsPerMasterUnit == 100    ? "0.1 o 1"
                      : unitsPerMasterUnit == 1000 ? "10 o 99"
                                                   : NULL;
  if (suits != NULL) {
    hint("el fichero DGN tiene %d unidades por unidad maestra: le sirve el factor %s",
         unitsPerMasterUnit, suits);
  } else {
    hint(
        "el fichero DGN tiene %d unidades por unidad maestra: ningun factor le sirve "
        "(0.1 o 1 piden 100, 10 o 99 piden 1000)",
        unitsPerMasterUnit);
  }
}

void describeDesignFile(const char* name) {
  const bool folder = isFolder(name);
  int fd = folder ? -1 : openFileForReading(name);
  if (fd < 0 && !folder) return;
  const std::string shown = nameInMessages(name);
  const char* path = shown.c_str();
  char head[64] = {0};  // kept terminated for the text checks
  ssize_t got = folder ? 0 : read(fd, head, sizeof head - 1);
  bool zeros = got > 0;
  for (ssize_t i = 0; i < got; ++i) zeros = zeros && head[i] == 0;
  char block[4096];
  for (ssize_t more; zeros && (more = read(fd, block, sizeof block)) > 0;) {
    for (ssize_t i = 0; i < more; ++i) zeros = zeros && block[i] == 0;
  }
  if (fd >= 0) close(fd);
  static const char kCompound[8] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};
  // A text DXF file starts with the group code 0 and the word SECTION.
  const char* blank = " \t\r\n";
  const char* code = head + strspn(head, blank);
  bool dxf = code[0] == '0' && strncmp(code + 1 + strspn(code + 1, blank), "SECTION", 7) == 0;
  if (folder) {
    hint("%s es una carpeta, no un fichero", path);
  } else if (got == 0) {
    hint("%s esta vacio", path);
  } else if (zeros) {
    hint("%s solo tiene ceros", path);
  } else if (got >= 8 && memcmp(head, kCompound, 8) == 0) {
    hint("%s es un fichero DGN V8: guardelo como DGN V7 desde el programa de CAD", path);
  } else if (memcmp(head, "AC10", 4) == 0) {
    hint("%s es un fichero DWG, no DGN: exportelo como DGN V7", path);
  } else if (dxf) {
    hint("%s es un fichero DXF, no DGN: exportelo como DGN V7", path);
  }
}
