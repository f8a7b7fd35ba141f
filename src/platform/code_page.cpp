#include "platform/code_page.h"

#include <stdint.h>
#include <string.h>

bool isUtf8(const char* s, size_t n) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
  size_t i = 0;
  while (i < n) {
    unsigned c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int more;
    uint32_t code, least;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1, code = c & 0x1F, least = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2, code = c & 0x0F, least = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3, code = c & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (n - i <= static_cast<size_t>(more)) return false;
    for (int k = 1; k <= more; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      code = (code << 6) | (p[i + k] & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE ||
        code == 0xFFFF) {
      return false;
    }
    i += static_cast<size_t>(more) + 1;
  }
  return true;
}

std::string textAsUtf8(const char* s) {
  size_t n = strlen(s);
  if (isUtf8(s, n)) return std::string(s, n);
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

void appendAscii(std::string& out, const char* s, size_t n) {
  // Latin-1 0xC0 to 0xFF without their accents.
  static const char kFolded[] =
      "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTs"
      "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0xC0) {
      out += kFolded[c - 0xC0];
    } else if (c < 0x20 || c >= 0x7F) {
      out += '?';
    } else {
      out += static_cast<char>(c);
    }
  }
}
