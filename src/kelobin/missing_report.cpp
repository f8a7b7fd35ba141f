#include "kelobin/missing_report.h"

#include <errno.h>
#include <stdarg.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "kelobin/text_bytes.h"
#include "platform/files.h"
#include "platform/system_reason.h"
#include "run/program_texts.h"
#include "table/code_table.h"

namespace {

// The lines of an error file as dgnbin writes them: Latin-1, CR LF.
const int kMissFields = 6;
// The other lines that stop a conversion: the fixed ones whole, the others
// up to what they report.
const struct {
  const char* text;
  bool whole;
} kStopLines[] = {
    {kWrongFactor, false},    {kFactorAndUnitsDisagree, true}, {kTruncatedAt, false},
    {kNoHeaderElement, true}, {kCannotWriteBin, false},
};

const size_t kLineBytes = 512;   // longer lines are cut when read
const size_t kNameBytes = 9;     // dgnbin keeps no more of a name
const size_t kRowBytes = 200;    // the table reads 254 bytes of a line
const size_t kShownBytes = 120;  // of a line quoted in a message
const int kForeignShown = 5;     // foreign lines reported one by one per file

struct Miss {
  int fields[kMissFields];
  std::string name;
  long long count;
  std::vector<int> files;  // indices of the error files, each once
};

bool startsWith(const std::string& line, const char* prefix) {
  return line.compare(0, strlen(prefix), prefix) == 0;
}

// One line without its line end (LF or CR LF); false at the end of the
// file. A line longer than kLineBytes is cut and `cut` set.
bool readLine(FILE* file, std::string& line, bool& cut) {
  line.clear();
  cut = false;
  int c;
  while ((c = getc(file)) != EOF && c != '\n') {
    if (line.size() < kLineBytes) {
      line += static_cast<char>(c);
    } else {
      cut = true;
    }
  }
  if (c == EOF && line.empty()) return false;
  if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// A miss line is exactly what dgnbin's format gives for its six fields and
// its name: read the fields, print them again and compare.
bool parseMiss(const std::string& line, Miss& miss) {
  const char* p = line.c_str();
  for (int i = 0; i < kMissFields; ++i) {
    while (*p == ' ') ++p;
    bool negative = *p == '-';
    if (negative) ++p;
    long value = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9' && digits < 6; ++p, ++digits) value = 10 * value + (*p - '0');
    if (digits == 0) return false;
    value = negative ? -value : value;
    if (value < -32768 || value > 32767) return false;  // dgnbin's fields are 16-bit
    miss.fields[i] = static_cast<int>(value);
  }
  size_t nameStart = static_cast<size_t>(p - line.c_str()) + 2;
  if (line.size() < nameStart + 1 || line.back() != '"') return false;
  miss.name.assign(line, nameStart, line.size() - nameStart - 1);
  if (miss.name.size() > kNameBytes || miss.name.find('\0') != std::string::npos) return false;
  const int* f = miss.fields;
  CodeTableRow key = {};
  key.level = static_cast<int16_t>(f[0]);
  key.style = static_cast<int16_t>(f[1]);
  key.colour = static_cast<int16_t>(f[2]);
  key.weight = static_cast<int16_t>(f[3]);
  key.font = static_cast<int16_t>(f[4]);
  key.graphicGroup = static_cast<int16_t>(f[5]);
  memcpy(key.name, miss.name.data(), miss.name.size());
  char again[64];
  size_t length = missLine(key, again);  // ends with a line feed
  return line.size() + 1 == length && line.compare(0, line.size(), again, line.size()) == 0;
}

bool isStopLine(const std::string& line) {
  for (const auto& stop : kStopLines) {
    if (stop.whole ? line == stop.text : startsWith(line, stop.text)) return true;
  }
  return false;
}

std::string timesText(long long count) {
  return std::to_string(count) + (count == 1 ? " vez" : " veces");
}

std::string shown(const std::string& line) {
  std::string text;
  appendAscii(text, line.data(), std::min(line.size(), kShownBytes));
  return text;
}

class MissingReport {
 public:
  MissingReport(const char* const* names, FILE* problems)
      : names_(names), problems_(problems), status_(0) {}
  void readErrorFile(int file);
  void writeRows(const char* code, FILE* rows) const;
  int status() const { return status_; }

 private:
  void problem(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void addMiss(const std::string& line, Miss& miss, int file);
  std::string rowOf(const Miss& miss, const char* code, const std::string& note) const;
  std::vector<std::vector<const Miss*>> rowGroups() const;

  const char* const* names_;
  FILE* problems_;
  int status_;
  std::map<std::string, size_t> index_;  // the miss line -> its place in misses_
  std::vector<Miss> misses_;             // in the order first met
};

void MissingReport::problem(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vfprintf(problems_, format, args);
  va_end(args);
  status_ = 1;
}

void MissingReport::addMiss(const std::string& line, Miss& miss, int file) {
  auto found = index_.find(line);
  if (found == index_.end()) {
    found = index_.emplace(line, misses_.size()).first;
    miss.count = 0;
    misses_.push_back(miss);
  }
  Miss& known = misses_[found->second];
  ++known.count;
  if (known.files.empty() || known.files.back() != file) known.files.push_back(file);
}

void MissingReport::readErrorFile(int file) {
  FILE* in = openStreamForReading(names_[file]);
  const std::string inMessages = nameInMessages(names_[file]);
  const char* name = inMessages.c_str();
  if (in == NULL) {
    problem("kelobin: no puedo abrir %s: %s\n", name, systemReason(errno));
    return;
  }
  std::string line, range;
  bool cut;
  long long number = 0, foreign = 0, rangeNumber = 0;
  Miss miss;
  while (readLine(in, line, cut)) {
    ++number;
    if (number == 1) {
      if (line == kErrorFileHeader) continue;
      problem("kelobin: %s no es un fichero de errores: su primera linea no es \"%s\"\n", name,
              kErrorFileHeader);
      break;
    }
    // The range message takes two lines.
    if (!range.empty()) {
      bool second = startsWith(line, kRangeMaximum);
      if (second) range += line;
      fprintf(problems_, "kelobin: %s linea %lld: conversion detenida: %s\n", name, rangeNumber,
              shown(range).c_str());
      range.clear();
      if (second) continue;
    }
    if (!cut && parseMiss(line, miss)) {
      addMiss(line, miss, file);
    } else if (startsWith(line, kRangeExceeded)) {
      range = line;
      rangeNumber = number;
    } else if (isStopLine(line)) {
      fprintf(problems_, "kelobin: %s linea %lld: conversion detenida: %s\n", name, number,
              shown(line).c_str());
    } else if (++foreign <= kForeignShown) {
      problem("kelobin: %s linea %lld: linea extrana en un fichero de errores: %s\n", name, number,
              shown(line).c_str());
    }
  }
  if (!range.empty()) {
    fprintf(problems_, "kelobin: %s linea %lld: conversion detenida: %s\n", name, rangeNumber,
            shown(range).c_str());
  }
  if (ferror(in)) problem("kelobin: no puedo leer %s: %s\n", name, systemReason(errno));
  if (number == 0) problem("kelobin: %s esta vacio: no es un fichero de errores\n", name);
  if (foreign > kForeignShown) problem("kelobin: %s: %lld lineas extranas\n", name, foreign);
  fclose(in);
}

// The row, and after its tenth word the remark that the table reader skips:
// how often the miss was met and in which files, cut to keep the row short,
// and the `note` that ends it.
std::string MissingReport::rowOf(const Miss& miss, const char* code,
                                 const std::string& note) const {
  const int* f = miss.fields;
  std::string quoted = "\"" + miss.name + "\"";
  char head[160];
  snprintf(head, sizeof head, "%-8s %3d %2d %3d %2d %3d %5d  %-11s 1.0  0  [%s en ", code, f[0],
           f[1], f[2], f[3], f[4], f[5], quoted.c_str(), timesText(miss.count).c_str());
  std::string row = head;
  const size_t files = miss.files.size();
  const size_t tailRoom = sizeof " y 99999999 mas]" + note.size();
  size_t listed = 0;
  for (; listed < files; ++listed) {
    std::string piece = listed > 0 ? ", " : "";
    // A file name is data: its bytes as the system shows them, so that the
    // file can be found again; only a quote or a control byte, which would
    // break the row, is replaced.
    for (char c : nameInMessages(names_[miss.files[listed]])) {
      const bool breaks = c == '"' || (c >= 0 && c < ' ') || c == 0x7F;
      piece += breaks ? '?' : c;
    }
    size_t room = listed + 1 < files ? tailRoom : 2 + note.size();
    if (row.size() + piece.size() + room > kRowBytes) break;
    row += piece;
  }
  if (listed == 0) {
    row += std::to_string(files) + " ficheros";
  } else if (listed < files) {
    row += " y " + std::to_string(files - listed) + " mas";
  }
  return row + note + "]\n";
}

// The rows, most frequent first. A text is looked up by its font and name
// before anything else, and takes the first row that has them; a line whose
// miss line kept the font and name of a text before it has them too. So the
// rows of one font and name stand together, where the most frequent of them
// would stand, led by the one met first: that of the text itself.
std::vector<std::vector<const Miss*>> MissingReport::rowGroups() const {
  std::vector<const Miss*> order;
  for (const Miss& m : misses_) order.push_back(&m);
  std::stable_sort(order.begin(), order.end(),
                   [](const Miss* a, const Miss* b) { return a->count > b->count; });
  std::vector<std::vector<const Miss*>> groups;
  std::map<std::pair<int, std::string>, size_t> groupOf;
  for (const Miss* m : order) {
    if (m->name.empty()) {
      groups.push_back({m});
      continue;
    }
    auto found = groupOf.emplace(std::make_pair(m->fields[4], m->name), groups.size());
    if (found.second) groups.emplace_back();
    groups[found.first->second].push_back(m);
  }
  for (std::vector<const Miss*>& group : groups) {
    // misses_ keeps them in the order first met.
    auto first = std::min_element(group.begin(), group.end());
    std::rotate(group.begin(), first, first + 1);
  }
  return groups;
}

void MissingReport::writeRows(const char* code, FILE* rows) const {
  for (const std::vector<const Miss*>& group : rowGroups()) {
    for (const Miss* m : group) {
      if (m->name.find('"') == std::string::npos) {
        std::string note;
        if (m != group.front()) {
          note = "; los textos de fuente " + std::to_string(m->fields[4]) + " y nombre " + m->name +
                 " toman la fila de arriba";
        }
        fputs(rowOf(*m, code, note).c_str(), rows);
        continue;
      }
      // The table reader ends a quoted word at the next quote: no row can
      // hold this name.
      fprintf(problems_,
              "kelobin: el nombre %s lleva comillas dobles y no cabe en una fila de DGNBIN.TAB "
              "(%s)\n",
              shown(m->name).c_str(), timesText(m->count).c_str());
    }
  }
}

}  // namespace

int writeMissingReport(const char* const* errNames, int count, const char* code, FILE* rows,
                       FILE* problems) {
  MissingReport report(errNames, problems);
  for (int i = 0; i < count; ++i) report.readErrorFile(i);
  report.writeRows(code, rows);
  return report.status();
}
