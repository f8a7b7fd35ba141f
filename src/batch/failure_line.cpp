#include "batch/failure_line.h"

#include <string.h>

#include <vector>

#include "platform/code_page.h"
#include "run/program_texts.h"

// dgnbin's console messages that stop a run, as they begin.
static const char* const kFailureStarts[] = {
    kCannotOpenTable,  kTooManyRows,         kCannotOpenErrorFile,  kCannotOpenBin,
    kCannotOpenDesign, kNeitherTwoNorThreeD, kCannotWriteErrorFile, kCannotWriteBin,
    kNoHeaderElement,  kTruncatedAt,         kWrongFactor,          kFactorAndUnitsDisagree,
    kRangeExceeded,
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

// dgnbin's own messages are Latin-1: in plain ASCII they read the same in any
// terminal. A line that is valid UTF-8 (a file name) stays as it is.
static std::string plainAscii(const std::string& line) {
  if (isUtf8(line.data(), line.size())) return line;
  std::string plain;
  appendAscii(plain, line.data(), line.size());
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
