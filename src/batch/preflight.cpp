#include "batch/preflight.h"

#include <stdio.h>
#include <unistd.h>

#include <vector>

#include "platform/code_page.h"
#include "platform/number_words.h"
#include "platform/processes.h"
#include "platform/system_reason.h"
#include "table/code_table_file.h"

static void warnRow(const char* text) { fprintf(stderr, "dgnbin-batch: %s\n", text); }

// dgnbin's console lines about the table (rows cut short) are Latin-1:
// shown on standard error in plain ASCII.
static void showConsole(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line;
    appendAscii(line, text.data() + start, end - start);
    if (!line.empty()) fprintf(stderr, "dgnbin-batch: %s\n", line.c_str());
    start = end + 1;
  }
}

bool tableLoads() {
  std::vector<CodeTableRow> rows(kTableRows);
  int count = 0, reason = 0;
  const int fd = openScratchFile();
  FILE* console = fd >= 0 ? fdopen(fd, "w+b") : NULL;
  if (console == NULL && fd >= 0) close(fd);
  const TableMessages messages = {console != NULL ? console : stderr, warnRow};
  const TableLoad load = readCodeTable("DGNBIN.TAB", rows.data(), &count, messages, &reason);
  if (console != NULL) {
    fflush(console);
    showConsole(readScratchFile(fd));
    fclose(console);
  }
  switch (load) {
    case kTableMissing:
      fprintf(stderr,
              "dgnbin-batch: no se puede leer DGNBIN.TAB de la carpeta de trabajo: %s; no se ha "
              "convertido nada\n",
              systemReason(reason));
      return false;
    case kTableTooLong:
      fprintf(stderr,
              "dgnbin-batch: DGNBIN.TAB tiene %d filas o mas y dgnbin lee %d como mucho; no se "
              "ha convertido nada\n",
              kTableRows, kTableRows - 1);
      return false;
    case kTableLoaded:
      break;
  }
  return true;
}

bool factorAccepted(const std::string& word) {
  // As dgnbin compares it: the word read as a double, kept as a float.
  const float factor = static_cast<float>(readReal(word.c_str()));
  if (factor == 1.0f || factor == 0.1f || factor == 10.0f || factor == 99.0f) return true;
  fprintf(stderr,
          "dgnbin-batch: dgnbin no acepta el factor \"%s\": vale 1 o 0.1 (100 unidades por "
          "unidad maestra) o 10 o 99 (1000); no se ha convertido nada\n",
          word.c_str());
  return false;
}
