#include "platform/decimal_text.h"

char* putDecimal(char* out, long long value, int width) {
  char digits[24];
  int count = 0;
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) digits[count++] = '-';
  for (int pad = width - count; pad > 0; --pad) *out++ = ' ';
  while (count > 0) *out++ = digits[--count];
  return out;
}
