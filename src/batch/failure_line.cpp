#include "batch/failure_line.h"

#include <string.h>

#include "platform/code_page.h"
#include "run/program_texts.h"

// dgnbin's console messages that stop a run, as they begin.
static const char* const kFailureStarts[] = {
    kCannotOpenTable,  kTooManyRows,         kCannotOpenErrorFile,  kCannotOpenBin,
    kCannotOpenDesign, kNeitherTwoNorThreeD, kCannotWriteErrorFile, kCannotWriteBin,
    kNoHeaderElement,  kTruncatedAt,         kWrongFactor,          kFactorAndUnitsDisagree,
    kRangeExceeded,
};

static const char kOwnLine[] = "dgnbin: ";
// The table's warnings, which the batch has shown once before starting.
static const char kTableWarning[] = "DGNBIN.TAB linea ";
// The run's summary begins with the count of the elements read.
static const char kSummaryStart[] = " elementos leidos en ";

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

static bool startsWith(const std::string& line, const char* start) {
  return line.compare(0, strlen(start), start) == 0;
}

static bool reportsFailure(const std::string& line) {
  for (const char* start : kFailureStarts) {
    if (startsWith(line, start)) return true;
  }
  return false;
}

// The longest name that stands at `at`, or null.
static const ShownName* nameAt(const std::string& line, size_t at,
                               const std::vector<ShownName>& names) {
  const ShownName* found = nullptr;
  for (const ShownName& name : names) {
    if (!name.written.empty() && line.compare(at, name.written.size(), name.written) == 0 &&
        (found == nullptr || name.written.size() > found->written.size())) {
      found = &name;
    }
  }
  return found;
}

static std::string shownLine(const std::string& line, const std::vector<ShownName>& names) {
  std::string shown, text;
  for (size_t at = 0; at < line.size();) {
    const ShownName* name = nameAt(line, at, names);
    if (name == nullptr) {
      text += line[at++];
      continue;
    }
    appendAscii(shown, text.data(), text.size());
    text.clear();
    shown += name->shown;
    at += name->written.size();
  }
  appendAscii(shown, text.data(), text.size());
  return shown;
}

static bool isEndMarkerWarning(const std::string& body) {
  const std::string format = kNoEndMarker;
  const size_t number = format.find("%lld");
  const std::string before = format.substr(0, number), after = format.substr(number + 4);
  const size_t at = body.find(before);
  return at != std::string::npos && body.size() >= after.size() &&
         body.compare(body.size() - after.size(), after.size(), after) == 0;
}

std::string failureLine(const std::string& out, const std::string& err,
                        const std::vector<ShownName>& names) {
  const std::vector<std::string> outLines = linesOf(out);
  std::string line;
  for (const std::string& one : outLines) {
    if (reportsFailure(one)) {
      line = one;
      break;
    }
  }
  if (line.empty() && !outLines.empty()) line = outLines.back();
  line = shownLine(line, names);

  std::string reasons, other;
  for (const std::string& one : linesOf(err)) {
    if (!startsWith(one, kOwnLine)) {
      other = one;  // not dgnbin's: a program that could not start, a crash
      continue;
    }
    const std::string body = one.substr(strlen(kOwnLine));
    if (body.find(kSummaryStart) != std::string::npos) break;
    if (startsWith(body, kTableWarning) || isEndMarkerWarning(body)) continue;
    reasons += (reasons.empty() ? "" : "; ") + shownLine(body, names);
  }
  if (reasons.empty() && !other.empty()) reasons = shownLine(other, names);
  if (line.empty()) return reasons;
  return reasons.empty() ? line : line + " (" + reasons + ")";
}

std::string endMarkerWarning(const std::string& err, const std::vector<ShownName>& names) {
  for (const std::string& one : linesOf(err)) {
    if (startsWith(one, kOwnLine) && isEndMarkerWarning(one.substr(strlen(kOwnLine)))) {
      return shownLine(one.substr(strlen(kOwnLine)), names);
    }
  }
  return "";
}
