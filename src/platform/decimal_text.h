// Decimal integers as printf's "%*ld" writes them, without its cost: the
// error file gets a line per element without a row, and items carry numbers
// as text.
#ifndef DGNBIN_PLATFORM_DECIMAL_TEXT_H_
#define DGNBIN_PLATFORM_DECIMAL_TEXT_H_

// Writes `value` right-aligned with blanks in at least `width` characters,
// without a terminator; returns the end of what it wrote.
char* putDecimal(char* out, long long value, int width);

#endif  // DGNBIN_PLATFORM_DECIMAL_TEXT_H_
