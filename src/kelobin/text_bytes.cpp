#include "kelobin/text_bytes.h"

#include <stdint.h>
#include <stdio.h>
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

static void appendHexEscape(std::string& out, const char* format, unsigned char c) {
  char escape[8];
  snprintf(escape, sizeof escape, format, c);
  out += escape;
}

void appendJsonString(std::string& out, const char* s) {
  out += '"';
  for (char ch : textAsUtf8(s)) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20) {
      appendHexEscape(out, "\\u%04x", c);
    } else {
      out += ch;
    }
  }
  out += '"';
}

void appendXmlText(std::string& out, const char* s) {
  for (char ch : textAsUtf8(s)) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      out += '?';
    } else {
      out += ch;
    }
  }
}

std::string escapedText(const char* s) {
  std::string out;
  for (char ch : textAsUtf8(s)) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == 0x7F) {
      appendHexEscape(out, "\\x%02X", c);
    } else {
      out += ch;
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
