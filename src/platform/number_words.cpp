#include "platform/number_words.h"

#include <stdlib.h>
#include <string.h>

static bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

static const char* afterBlanksAndSign(const char* text, bool* negative) {
  while (isBlank(*text)) ++text;
  *negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  return text;
}

int64_t readWholeNumber(const char* text, const char** end, bool* overflow) {
  bool negative;
  const char* p = afterBlanksAndSign(text, &negative);
  // The magnitude may reach 2^63 for a negative number.
  const uint64_t limit = negative ? (1ull << 63) : (1ull << 63) - 1;
  uint64_t value = 0;
  bool over = false;
  const char* digits = p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const unsigned digit = static_cast<unsigned>(*p - '0');
    if (value > (limit - digit) / 10) {
      over = true;
    } else {
      value = value * 10 + digit;
    }
  }
  if (over) value = limit;
  if (overflow != nullptr) *overflow = over;
  if (end != nullptr) *end = p == digits ? text : p;
  if (p == digits) return 0;
  return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

static bool startsWithWord(const char* text, const char* lower) {
  for (; *lower != '\0'; ++text, ++lower) {
    char c = *text;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != *lower) return false;
  }
  return true;
}

// "nan(N)": N is read as an unsigned number in C notation (decimal, 0x
// hexadecimal, 0 octal) and, when it is all of N, fills the payload below
// the quiet bit.
static uint64_t nanPayload(const char* from, const char* to) {
  int base = 10;
  if (from[0] == '0' && (from[1] == 'x' || from[1] == 'X')) {
    base = 16;
    from += 2;
  } else if (from[0] == '0') {
    base = 8;
  }
  uint64_t value = 0;
  bool over = false;
  for (const char* p = from; p < to; ++p) {
    unsigned digit;
    if (*p >= '0' && *p <= '9') {
      digit = static_cast<unsigned>(*p - '0');
    } else if (*p >= 'a' && *p <= 'z') {
      digit = static_cast<unsigned>(*p - 'a' + 10);
    } else if (*p >= 'A' && *p <= 'Z') {
      digit = static_cast<unsigned>(*p - 'A' + 10);
    } else {
      return 0;
    }
    if (digit >= static_cast<unsigned>(base)) return 0;
    if (value > (UINT64_MAX - digit) / base) over = true;
    value = value * base + digit;
  }
  if (from == to && base != 8) return 0;
  return over ? UINT64_MAX : value;
}

static double readNan(const char* after, bool negative, const char** end) {
  uint64_t bits = 0x7FF8000000000000ull;
  const char* p = after;
  if (*p == '(') {
    const char* q = p + 1;
    while ((*q >= '0' && *q <= '9') || (*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z') ||
           *q == '_') {
      ++q;
    }
    if (*q == ')') {
      bits |= nanPayload(p + 1, q) & 0x7FFFFFFFFFFFFull;
      p = q + 1;
    }
  }
  if (negative) bits |= 1ull << 63;
  double value;
  memcpy(&value, &bits, sizeof value);
  *end = p;
  return value;
}

double readReal(const char* text, const char** end) {
  const char* stop = text;
  bool negative;
  const char* p = afterBlanksAndSign(text, &negative);
  double value = 0;
  if (startsWithWord(p, "nan")) {
    value = readNan(p + 3, negative, &stop);
  } else {
    // Decimal, hexadecimal and infinite words are read by the C library's
    // strtod: correctly rounded on both systems, as their tests show; a word
    // without a number gives +0 here, where one library gives -0.
    char* after = nullptr;
    const double read = strtod(text, &after);
    if (after != text) {
      value = read;
      stop = after;
    }
  }
  if (end != nullptr) *end = stop;
  return value;
}
