// The Windows programs carry their own mathematics and number printing, so
// that what they compute does not depend on the msvcrt.dll of the machine
// (Wine's differs from Windows', and Windows' from glibc's). The
// MinGW-w64 runtime links in sin, cos, pow and sqrt; acos and atan would be
// taken from msvcrt.dll, so they are worked out here in the x87 unit's
// extended precision and rounded once to double, which gives glibc's
// result on all but about one argument in a thousand.
//
// The runtime's own startup, error and thread code prints with fprintf,
// vfprintf, printf and _ultoa; these definitions stand in for msvcrt.dll's,
// so that no number printing is imported either.
#include <math.h>
#include <stdarg.h>

// Not from stdio.h, which defines these two inline for the program's own
// printing.
struct _iobuf;
typedef struct _iobuf FILE;

extern "C" {

// Near 1 and -1 through the half angle: the runtime's acosl loses its
// precision there, where a 3D text's small rotation puts its cosine.
double acos(double x) {
  const long double kPi = 3.14159265358979323846264338327950288L;
  if (x > 0.5) return static_cast<double>(2.0L * asinl(sqrtl((1.0L - x) / 2)));
  if (x < -0.5) return static_cast<double>(kPi - 2.0L * asinl(sqrtl((1.0L + x) / 2)));
  return static_cast<double>(kPi / 2 - asinl(x));
}
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

int __mingw_vprintf(const char* format, va_list args);

int printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = __mingw_vprintf(format, args);
  va_end(args);
  return written;
}

// The thread library calls _ultoa through its import entry: the entry is
// defined here, so that nothing is imported for it.
static char* unsignedToText(unsigned long value, char* out, int radix) {
  char digits[72];
  int count = 0;
  do {
    const unsigned long digit = value % static_cast<unsigned long>(radix);
    digits[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
    value /= static_cast<unsigned long>(radix);
  } while (value != 0);
  char* p = out;
  while (count > 0) *p++ = digits[--count];
  *p = '\0';
  return out;
}
char* (*__imp__ultoa)(unsigned long, char*, int) = unsignedToText;

}  // extern "C"
