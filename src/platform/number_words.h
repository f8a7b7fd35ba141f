// Numbers in words typed by people: the command line, the code table, the
// options of the other programs. Both systems read every word to the same
// value, the one that the converter has always given on Linux (its C
// library's atoi and strtod), whatever the other system's own library does
// with overflows, "nan", "inf" or hexadecimal numbers.
#ifndef DGNBIN_PLATFORM_NUMBER_WORDS_H_
#define DGNBIN_PLATFORM_NUMBER_WORDS_H_

#include <stdint.h>

// The decimal integer at the start of `text` after white space, with its
// sign, as a 64-bit value; beyond 64 bits the nearest limit, with
// `*overflow` set when given. `*end` (when given) is where the number
// ends, `text` itself when there is none (the value is then 0).
int64_t readWholeNumber(const char* text, const char** end = nullptr, bool* overflow = nullptr);

// An integer word: the low 32 bits of readWholeNumber, so that a word beyond
// 32 bits wraps and one beyond 64 bits gives the low bits of the limit.
inline int32_t readInteger(const char* word) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(readWholeNumber(word))));
}

// A real word: decimal with any exponent, rounded to the nearest double;
// hexadecimal ("0x1Ap-2"); "inf", "infinity" and "nan" in any case, with a
// sign, "nan(N)" carrying N in its payload. `*end` as for readWholeNumber; a
// word that is none of these reads as 0.
double readReal(const char* text, const char** end = nullptr);

#endif  // DGNBIN_PLATFORM_NUMBER_WORDS_H_
