// Writing to the error file, and the console warnings and errors of the run.
#include <errno.h>
#include <stdarg.h>
#include <stdio.h>

#include "cli/hints.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "run/converter.h"
#include "run/program_texts.h"

// Formats without a length limit: messages may carry file names of any
// length. False when the format could not be applied.
static bool formatText(std::string& out, const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  char small[512];
  int length = vsnprintf(small, sizeof small, format, args);
  if (length >= 0 && static_cast<size_t>(length) < sizeof small) {
    out.assign(small, static_cast<size_t>(length));
  } else if (length >= 0) {
    out.assign(static_cast<size_t>(length) + 1, '\0');
    vsnprintf(&out[0], out.size(), format, again);
    out.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return length >= 0;
}

void Converter::errorPrintf(const char* format, ...) {
  if (!errorSink.isOpen()) return;
  std::string text;
  va_list args;
  va_start(args, format);
  bool formatted = formatText(text, format, args);
  va_end(args);
  if (!formatted || !errorSink.appendTextMode(text.data(), text.size())) errorWriteFailed = true;
}

void Converter::reportError(const char* format, ...) {
  std::string text;
  va_list args;
  va_start(args, format);
  formatText(text, format, args);
  va_end(args);
  fputs(text.c_str(), stdout);
  errorPrintf("%s", text.c_str());
}

// A BIN file that cannot be written would silently lose records: the run
// stops and says so, once.
void Converter::fatalBinWrite() {
  if (binWriteFailed) return;
  binWriteFailed = true;
  reportError("%s%s\n", kCannotWriteBin, nameInMessages(binName).c_str());
  hint("%s: %s", nameInMessages(binName).c_str(), systemReason(binSink.error()));
}

void Converter::warnPointCap() {
  if (pointCapWarned) return;
  pointCapWarned = true;
  printf(
      "AVISO Elemento con m\xE1s de %d puntos en el byte %lld: se descartan los puntos sobrantes\n",
      kMaxPoints, elementOffset);
}

void Converter::warnItemCap() {
  if (itemCapWarned) return;
  itemCapWarned = true;
  printf(
      "AVISO Elemento con m\xE1s de %d atributos en el byte %lld: se descartan los atributos "
      "sobrantes\n",
      kMaxItems, elementOffset);
}
