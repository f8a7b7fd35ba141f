// The Windows programs carry their own mathematics and number printing, so
// that what they compute does not depend on the msvcrt.dll of the machine
// (Wine's differs from Windows', and Windows' from glibc's). The
// MinGW-w64 runtime links in sin, cos, pow and sqrt; acos and atan would be
// taken from msvcrt.dll, so they are worked out here in the x87 unit's
// extended precision and rounded once to double, which gives the nearest
// double on all but a few arguments in a thousand, as glibc does.
//
// The runtime's own startup and error paths print with fprintf and
// vfprintf; these definitions stand in for msvcrt.dll's, so that no number
// printing is imported either.
// Plain declarations: the program's own printing mode would make fprintf
// an inline function here.
#undef __USE_MINGW_ANSI_STDIO
#define __USE_MINGW_ANSI_STDIO 0
#include <math.h>
#include <stdarg.h>
#include <stdio.h>

extern "C" {

double acos(double x) { return static_cast<double>(acosl(x)); }
double atan(double x) { return static_cast<double>(atanl(x)); }

int __mingw_vfprintf(FILE* stream, const char* format, va_list args);

int vfprintf(FILE* stream, const char* format, va_list args) {
  return __mingw_vfprintf(stream, format, args);
}

int fprintf(FILE* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = __mingw_vfprintf(stream, format, args);
  va_end(args);
  return written;
}

}  // extern "C"
