#include "batch/failure_line.h"

#include <string.h>

#include <vector>

// How dgnbin's console messages that stop a run begin; "L\xEDmite" is Latin-1.
static const char* const kFailureStarts[] = {
    "ERROR", "Error", "No puedo", "No se puede", "Valor de factor_escala", "L\xEDmite",
};

static std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

static bool reportsFailure(const std::string& line) {
  for (const char* start : kFailureStarts) {
    if (line.compare(0, strlen(start), start) == 0) return true;
  }
  return false;
}

static bool isUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    // The number of continuation bytes that the lead byte announces.
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t follow = c < 0x80         ? 0
                          : (c >> 5) == 6  ? 1
                          : (c >> 4) == 14 ? 2
                          : (c >> 3) == 30 ? 3
                                           : 9;
    if (follow == 9 || i + follow >= text.size()) return false;
    for (size_t k = 1; k <= follow; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    i += follow + 1;
  }
  return true;
}

// dgnbin's own messages are Latin-1: its Spanish letters lose their accents
// and other bytes beyond ASCII become '?', so that the line reads the same
// in any terminal. A line that is valid UTF-8 (a file name) stays as it is.
static std::string plainAscii(const std::string& line) {
  if (isUtf8(line)) return line;
  static const char kAccented[] = "\xE1\xE9\xED\xF3\xFA\xF1\xFC\xC1\xC9\xCD\xD3\xDA\xD1\xDC";
  static const char kPlain[] = "aeiounuAEIOUNU";
  std::string plain;
  for (char c : line) {
    const char* at = static_cast<unsigned char>(c) < 0x80 ? NULL : strchr(kAccented, c);
    plain += static_cast<unsigned char>(c) < 0x80 ? c : at != NULL ? kPlain[at - kAccented] : '?';
  }
  return plain;
}

std::string failureLine(const std::string& out, const std::string& err) {
  const std::vector<std::string> outLines = linesOf(out);
  const std::vector<std::string> errLines = linesOf(err);
  for (const std::vector<std::string>* lines : {&outLines, &errLines}) {
    for (const std::string& line : *lines) {
      if (reportsFailure(line)) return plainAscii(line);
    }
  }
  if (!errLines.empty()) return plainAscii(errLines.back());
  if (!outLines.empty()) return plainAscii(outLines.back());
  return "";
}
