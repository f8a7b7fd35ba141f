// Runs the end-to-end cases of tests/cases (their form is described in
// tests/cases/README.md): each case's inputs in a fresh working folder, its
// commands run, and every output compared with what the case expects.
//
//   dgnbin_cases --programs DIR [--windows] [--wrapper CMD] [--update] CASE...
//   dgnbin_cases --seeds DIR CASE...
//
// Exit status 0 when every case passes, 77 when the only case is skipped
// (ctest's skip code), 1 otherwise. --update rewrites the expectations from
// what the programs do; read the diff before committing it. --seeds writes
// the cases' inputs as the fuzz targets' seeds, a folder per target.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>

#include "runner/drawing_text.h"
#include "support/program_run.h"

namespace fs = std::filesystem;
using namespace dgntest;

namespace {

struct Options {
  std::string programs, wrapper, seeds;
  bool windows = false, update = false;
};

using Files = std::map<std::string, std::string>;  // path in the working folder -> bytes

bool endsWith(const std::string& s, const std::string& end) {
  return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void spill(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

Files filesUnder(const fs::path& root) {
  Files files;
  if (!fs::exists(root)) return files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file() && !e.is_symlink()) {
      files[fs::relative(e.path(), root).generic_string()] = slurp(e.path());
    }
  }
  return files;
}

// A command line: words split at blanks, "..." and '...' keep blanks (and
// the other quote), `< FILE` gives standard input.
std::vector<std::string> commandWords(const std::string& line, std::string& input) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (char c : line + ' ') {
    if ((c == '"' || c == '\'') && (quote == 0 || quote == c)) {
      quote = quote ? 0 : c;
      inWord = true;
    } else if (c == ' ' && !quote) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (words.size() >= 2 && words[words.size() - 2] == "<") {
    input = words.back();
    words.resize(words.size() - 2);
  }
  return words;
}

bool globMatch(const char* pattern, const char* text) {
  if (*pattern == '\0') return *text == '\0';
  if (*pattern == '*') return globMatch(pattern + 1, text) || (*text && globMatch(pattern, text + 1));
  return *pattern == *text && globMatch(pattern + 1, text + 1);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = 0; !from.empty() && (at = s.find(from, at)) != std::string::npos; at += to.size()) {
    s.replace(at, from.size(), to);
  }
  return s;
}

// Timings change from run to run.
std::string withoutTimings(const std::string& text) {
  static const std::regex seconds("[0-9]+\\.[0-9]+ s\\b");
  return std::regex_replace(text, seconds, "* s");
}

struct Outcome {
  std::string out, err, status;
  Files files;  // new or changed files of the working folder
  std::vector<std::string> removed;
};

// The working folder's files before the run: in/, each drawing built.
bool inputFiles(const fs::path& dir, Files& inputs, std::string& why) {
  for (const auto& [path, bytes] : filesUnder(dir / "in")) {
    Bytes design;
    if (!endsWith(path, ".dgn.txt")) {
      inputs[path] = bytes;
    } else if (buildDrawing(bytes, design, why)) {
      inputs[path.substr(0, path.size() - 4)].assign(design.begin(), design.end());
    } else {
      return why = "in/" + path + ": " + why, false;
    }
  }
  return true;
}

bool run(const fs::path& dir, const Options& o, Outcome& r, std::string& why) {
  const TempDir folder;
  const fs::path work = folder.path();
  Files inputs;
  if (!inputFiles(dir, inputs, why)) return false;
  for (const auto& [path, bytes] : inputs) spill(work / path, bytes);
  // Links, dangling ones too, stay links in the working folder.
  if (fs::exists(dir / "in")) {
    for (const auto& e : fs::recursive_directory_iterator(dir / "in")) {
      if (e.is_symlink()) fs::copy_symlink(e.path(), work / fs::relative(e.path(), dir / "in"));
    }
  }
  for (const std::string& line : lines(slurp(dir / "cmd"))) {
    if (line.empty() || line[0] == '#') continue;
    std::string input = "/dev/null";
    std::vector<std::string> words = commandWords(line, input);
    std::string exe = o.programs + "/" + words[0] + (o.windows ? ".exe" : "");
    words.erase(words.begin());
    if (!o.wrapper.empty()) {
      words.insert(words.begin(), exe);
      exe = o.wrapper;
    }
    const ProgramResult p = runProgram(work.string(), words, -1, exe, input);
    r.out += p.out;
    r.err += p.err;
    r.status += std::to_string(p.exitStatus) + "\n";
  }
  for (std::string* s : {&r.out, &r.err}) {
    if (o.windows) *s = replaceAll(*s, "\r\n", "\n");
    *s = replaceAll(*s, work.string(), "$WORK");
  }
  r.out = withoutTimings(r.out);  // dgnbin-batch gives its timings on the console
  const Files after = filesUnder(work);
  for (const auto& [path, bytes] : after) {
    auto in = inputs.find(path);
    if (in == inputs.end() || in->second != bytes) r.files[path] = bytes;
  }
  for (const auto& [path, bytes] : inputs) {
    if (!after.count(path)) r.removed.push_back(path);
  }
  return true;
}

// Every difference from the expectations, one line each.
std::vector<std::string> differences(const fs::path& dir, const Outcome& r) {
  std::vector<std::string> d;
  if (slurp(dir / "stdout") != r.out) d.push_back("stdout differs:\n" + r.out);
  if (slurp(dir / "status") != r.status) d.push_back("exit status " + r.status);
  const std::vector<std::string> want = lines(slurp(dir / "stderr")), got = lines(r.err);
  // No other lines may come between or after: an empty `stderr`, or `stderr-whole`.
  const bool whole = fs::exists(dir / "stderr-whole") || (want.empty() && fs::exists(dir / "stderr"));
  if (whole && got.size() != want.size()) d.push_back("stderr has other lines:\n" + r.err);
  size_t at = 0;
  for (const std::string& w : want) {
    while (!whole && at < got.size() && !globMatch(w.c_str(), got[at].c_str())) ++at;
    if (at == got.size() || !globMatch(w.c_str(), got[at].c_str())) {
      d.push_back("stderr lacks, in order: " + w + "\nstderr was:\n" + r.err);
      break;
    }
    ++at;
  }
  Files expected = filesUnder(dir / "out");
  for (auto it = expected.begin(); it != expected.end();) it = endsWith(it->first, ".dump") ? expected.erase(it) : ++it;
  for (const auto& [path, bytes] : expected) {
    auto got = r.files.find(path);
    if (got == r.files.end()) d.push_back(path + ": not written");
    else if (got->second != bytes) d.push_back(path + ": bytes differ");
  }
  for (const auto& [path, bytes] : r.files) {
    if (!expected.count(path)) d.push_back(path + ": written, not expected");
  }
  for (const std::string& path : r.removed) d.push_back(path + ": input removed");
  return d;
}

void update(const fs::path& dir, const Options& o, const Outcome& r) {
  spill(dir / "stdout", r.out);
  spill(dir / "status", r.status);
  spill(dir / "stderr", withoutTimings(r.err));
  fs::remove_all(dir / "out");
  for (const auto& [path, bytes] : r.files) {
    spill(dir / "out" / path, bytes);
    if (endsWith(path, ".bin")) {
      const std::string kelobin = o.programs + "/kelobin";
      spill(dir / "out" / (path + ".dump"),
            runProgram(".", {"dump", (dir / "out" / path).string()}, -1, kelobin).out);
    }
  }
}

// In the forms of tests/fuzz/fuzz_targets.h: each drawing with the case's
// settings and table, the table, and each BIN file expected.
bool writeSeeds(const fs::path& dir, const fs::path& seeds, std::string& why) {
  const std::string name = dir.parent_path().filename().string() + "-" + dir.filename().string();
  const std::string table = slurp(dir / "in" / "DGNBIN.TAB");
  std::string settings = "1 0 0 0 0 0";
  for (const std::string& line : lines(slurp(dir / "cmd"))) {
    std::string input, all;
    for (const std::string& w : commandWords(line, input)) all += w + " ";
    std::istringstream in(all);
    std::vector<std::string> w{std::istream_iterator<std::string>(in), {}};
    if (w.size() != 9 || w[0] != "dgnbin") continue;
    settings = w[3];
    for (int i = 4; i < 9; ++i) settings += " " + w[i];
    break;
  }
  auto seedName = [&](const std::string& path) { return name + "-" + replaceAll(path, "/", "-"); };
  Files inputs;
  if (!inputFiles(dir, inputs, why)) return false;
  for (const auto& [path, design] : inputs) {
    if (endsWith(path, ".dgn")) spill(seeds / "conversion" / seedName(path), settings + "\n" + table + '\0' + design);
  }
  if (!table.empty()) spill(seeds / "code_table" / name, table);
  for (const auto& [path, bytes] : filesUnder(dir / "out")) {
    if (endsWith(path, ".bin")) spill(seeds / "bin_reader" / seedName(path), bytes);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::vector<fs::path> cases;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--programs" && i + 1 < argc) o.programs = fs::absolute(argv[++i]).string();
    else if (a == "--wrapper" && i + 1 < argc) o.wrapper = argv[++i];
    else if (a == "--windows") o.windows = true;
    else if (a == "--update") o.update = true;
    else if (a == "--seeds" && i + 1 < argc) o.seeds = argv[++i];
    else cases.push_back(a);
  }
  if ((o.programs.empty() && o.seeds.empty()) || cases.empty()) {
    std::cerr << "usage: dgnbin_cases --programs DIR [--windows] [--wrapper CMD] [--update] CASE...\n"
                 "       dgnbin_cases --seeds DIR CASE...\n";
    return 2;
  }
  if (!o.seeds.empty()) {
    for (const fs::path& dir : cases) {
      std::string why;
      if (!writeSeeds(dir, o.seeds, why)) return std::cerr << dir.string() << ": " << why << "\n", 1;
    }
    return 0;
  }
  int failed = 0, skipped = 0;
  for (const fs::path& dir : cases) {
    const fs::path other = dir / (o.windows ? "posix-only" : "windows-only");
    if (fs::exists(other)) {
      std::cout << "skip " << dir.string() << ": " << slurp(other);
      ++skipped;
      continue;
    }
    Outcome r;
    std::string why;
    if (!run(dir, o, r, why)) {
      std::cout << "FAIL " << dir.string() << ": " << why << "\n";
      ++failed;
    } else if (o.update) {
      update(dir, o, r);
    } else {
      const std::vector<std::string> d = differences(dir, r);
      for (const std::string& line : d) std::cout << "FAIL " << dir.string() << ": " << line << "\n";
      failed += !d.empty();
    }
  }
  std::cout << cases.size() - failed - skipped << " passed, " << failed << " failed, " << skipped
            << " skipped\n";
  if (failed) return 1;
  return skipped == int(cases.size()) ? 77 : 0;
}
