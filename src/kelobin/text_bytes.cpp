#include "kelobin/text_bytes.h"

#include <stdio.h>
#include <string.h>

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
