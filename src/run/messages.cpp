// Writing to the error file, and the console warnings and errors of the run.
#include <stdarg.h>
#include <stdio.h>

#include "platform/platform.h"
#include "run/converter.h"

void Converter::errorPrintf(const char* format, ...) {
  if (errorFile == NULL) return;
  char small[512];
  va_list args;
  va_start(args, format);
  int length = vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (length < 0) {
    errorWriteFailed = true;
    return;
  }
  if (static_cast<size_t>(length) < sizeof small) {
    if (!writeTextMode(errorFile, small, static_cast<size_t>(length))) errorWriteFailed = true;
    return;
  }
  std::string large(static_cast<size_t>(length) + 1, '\0');
  va_start(args, format);
  vsnprintf(&large[0], large.size(), format, args);
  va_end(args);
  if (!writeTextMode(errorFile, large.data(), static_cast<size_t>(length))) errorWriteFailed = true;
}

// A BIN file that cannot be written would silently lose records: the run
// stops and says so, once.
void Converter::fatalBinWrite() {
  if (binWriteFailed) return;
  binWriteFailed = true;
  printf("ERROR No puedo escribir en el fichero BIN %s\n", binName.c_str());
  errorPrintf("ERROR No puedo escribir en el fichero BIN %s\n", binName.c_str());
}

void Converter::warnPointCap() {
  if (pointCapWarned) return;
  pointCapWarned = true;
  printf("AVISO Elemento con m\xE1s de %d puntos en el byte %lld: se descartan los puntos sobrantes\n",
         kMaxPoints, elementOffset);
}

void Converter::warnItemCap() {
  if (itemCapWarned) return;
  itemCapWarned = true;
  printf("AVISO Elemento con m\xE1s de %d atributos en el byte %lld: se descartan los atributos sobrantes\n",
         kMaxItems, elementOffset);
}
