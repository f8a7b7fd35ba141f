// Conversion time against the time of copying the same file, on three
// drawings: a million line strings with an 8-row and with a 999-row table
// (its matching rows last), and a mixed drawing of every element type. The
// drawings are made once, with the tests' element builder, into a cache
// folder outside the repository and reused; each run of dgnbin alternates
// with a `cp` of the same file, and the medians are compared. The checksums
// of the BIN file, the error file and the console let two builds be
// compared byte for byte.
//   make bench      (or: dgnbin_bench PATH-TO-dgnbin [RUNS])
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/dgn_builder.h"

using namespace dgntest;

namespace {

// Bump when a drawing or a table changes, so that an old cache is not used.
const char kCacheVersion[] = "v2";
const long kLineStrings = 1000000;
const long kMixedGroups = 59700;  // about 100 MB

// The element with the symbology that a table row of `level` matches.
Element onRowOf(Element e, int level) {
  return inGroup(withSymbology(e, level, 0, level % 4, 1), static_cast<uint16_t>(level * 1237));
}

// One row per level, keyed by level, style 0, colour and weight as onRowOf.
std::string symbologyRow(int level, int colour) {
  char row[80];
  std::snprintf(row, sizeof row, "L%05d %d 0 %d 1 0 0 \"\" 1.5 0\n", level, level, colour);
  return row;
}

// A million line strings of ten vertices with one 0x1007 linkage each.
long writeLineStrings(const std::string& path) {
  DesignFile d(2);
  for (long i = 0; i < kLineStrings; ++i) {
    int32_t x = static_cast<int32_t>(i % 1000) * 1000, y = static_cast<int32_t>(i / 1000) * 1000;
    std::vector<Point3> pts;
    for (int v = 0; v < 10; ++v) pts.push_back({x + 100 * v, y + (v % 2) * 300, 0});
    d.add(withLinkages(onRowOf(lineString(2, pts), 1 + static_cast<int>(i % 8)),
                       {linkage1007(5, static_cast<int32_t>(i))}));
  }
  d.write(path);
  return kLineStrings;
}

// Every element type, each with a linkage: loose elements, a cell with two
// components, a complex chain of a line, a line string and an arc, a
// complex shape of two line strings and a text node of two texts. Levels 51
// to 53, one cell name and three text names have no row.
long writeMixed(const std::string& path) {
  static const char* const kCells[] = {"POZO", "FAROLA", "ARBOL", "BANCO", "FUENTE", "HIDRA"};
  static const char* const kTexts[] = {"CALLE", "PLAZA",      "Avda. del Puerto 12", "N-340",
                                       "RIO",   "Parcela 7b", "ESCALA 1:500",        "123.45"};
  const std::vector<int32_t> identity = {214748, 0, 0, 214748};
  DesignFile d(2);
  long elements = 0;
  auto add = [&d, &elements](const Element& e) {
    d.add(e);
    ++elements;
  };
  for (long g = 0; g < kMixedGroups; ++g) {
    int32_t x = static_cast<int32_t>(g % 500) * 5000, y = static_cast<int32_t>(g / 500) * 5000;
    int32_t v = static_cast<int32_t>(g);
    auto level = [g](int k) { return 1 + static_cast<int>((g * 7 + k) % 53); };
    std::vector<Point3> zig, ring;
    for (int i = 0; i < 10; ++i) zig.push_back({x + 200 * i, y + (i % 3) * 150, 0});
    for (int i = 0; i < 5; ++i)
      ring.push_back({x + (i % 4 < 2 ? 0 : 900), y + (i % 4 == 1 || i % 4 == 2 ? 900 : 0), 0});
    ring.back() = ring.front();
    std::vector<uint8_t> item = linkage1007(static_cast<int16_t>(10 + g % 20), v);
    std::vector<uint8_t> named = linkage1007(2, v * 37 - 500000);
    std::vector<uint8_t> three = linkage1003(static_cast<uint16_t>(v), 7, 9);
    std::vector<uint8_t> survey =
        linkage1013(static_cast<uint16_t>(v), static_cast<uint16_t>(v % 1000), 3,
                    static_cast<float>(g % 9000) * 0.37f + 0.05f, 11);

    add(withLinkages(onRowOf(line(2, x, y, 0, x + 700, y + 300, 0), level(0)), {item}));
    add(withLinkages(onRowOf(lineString(2, zig), level(1)), {three}));
    add(withLinkages(onRowOf(shape(2, ring), level(2)), {survey}));
    add(withLinkages(onRowOf(curve(2, zig), level(3)), {named}));
    // Arcs of many starts and sweeps, as in a drawing: few repeat.
    const int32_t start = static_cast<int32_t>(g % 36) * 3600000;
    const int64_t sweep = (30 + g % 11 * 30) * 360000;
    add(withLinkages(
        onRowOf(arc(2, start, sweepSignMagnitude(sweep), 800, 500, {0}, {double(x), double(y), 0}),
                level(4)),
        {item}));
    add(withLinkages(onRowOf(ellipse(2, 600, 400, {0}, {x + 1000.0, y + 1000.0, 0}), level(5)),
                     {three}));
    add(withLinkages(onRowOf(text(2, 1, static_cast<uint8_t>(g % 15), 3000, {v % 360 * 360000},
                                  {x, y, 0}, kTexts[g % 8]),
                             level(6)),
                     {named}));

    Element cell = cellHeader(2, kCells[g % 6], identity, {x + 50, y + 50, 0});
    add(withLinkages(onRowOf(cell, level(7)), {item}));
    add(asComponent(onRowOf(line(2, x, y, 0, x + 100, y, 0), level(7))));
    add(asComponent(onRowOf(shape(2, ring), level(7))));

    add(withLinkages(onRowOf(complexHeader(12, 3), level(8)), {survey}));
    add(asComponent(withLinkages(onRowOf(line(2, x, y, 0, x + 200, y, 0), level(8)), {item})));
    add(asComponent(onRowOf(lineString(2, zig), level(8))));
    add(asComponent(onRowOf(
        arc(2, start, sweepSignMagnitude(32400000), 300, 300, {0}, {x + 2000.0, double(y), 0}),
        level(8))));

    add(withLinkages(onRowOf(complexHeader(14, 2), level(9)), {three}));
    add(asComponent(onRowOf(lineString(2, {zig[0], zig[1], zig[2]}), level(9))));
    add(asComponent(onRowOf(lineString(2, {zig[2], zig[3], zig[0]}), level(9))));

    add(withLinkages(onRowOf(textNode(), level(10)), {item}));
    add(asComponent(
        onRowOf(text(2, 2, 0, 2000, {0}, {x, y + 400, 0}, kTexts[(g + 3) % 8]), level(10))));
    add(asComponent(
        onRowOf(text(2, 2, 0, 2000, {0}, {x, y + 800, 0}, kTexts[(g + 5) % 8]), level(10))));
  }
  d.write(path);
  return elements;
}

std::string lineStringTable(bool crowded) {
  std::string table = "/ CODIGO NIVEL ESTILO COLOR PESO FONT GRUPO_G. CELL/SIMB. ALTO Simb.Kelo\n";
  // 991 rows that share a level with the line strings but not their colour.
  for (int r = 0; crowded && r < 991; ++r) table += symbologyRow(1 + r % 8, 4 + r / 8);
  for (int level = 1; level <= 8; ++level) table += symbologyRow(level, level % 4);
  return table;
}

std::string mixedTable() {
  std::string table;
  for (int level = 1; level <= 50; ++level) table += symbologyRow(level, level % 4);
  table +=
      "C00001 0 0 0 0 0 0 POZO 1.5 @POZO\nC00002 0 0 0 0 0 0 farola 2.0 0\n"
      "C00003 0 0 0 0 0 0 ARBOL 1.0 @ARB\nC00004 0 0 0 0 0 0 BANCO 1.0 0\n"
      "C00005 0 0 0 0 0 0 FUENTE 1.0 0\n"
      "T00001 0 0 0 0 1 0 CALLE 2.5 0\nT00002 0 0 0 0 1 0 PLAZA 2.5 @PLZ\n"
      "T00003 0 0 0 0 2 0 RIO 1.0 C\nT00004 0 0 0 0 2 0 N-340 1.0 0\n"
      "T00005 0 0 0 0 1 0 \"Avda. del\" 1.0 0\n";
  return table;
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool writeText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

long readCount(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "r");
  long count = -1;
  if (f == nullptr) return -1;
  if (std::fscanf(f, "%ld", &count) != 1) count = -1;
  std::fclose(f);
  return count;
}

// Makes the drawing at `path` unless the cache has it; the builder runs in a
// child so that this process stays small. Returns its element count.
long ensureDrawing(const std::string& path, long (*make)(const std::string&)) {
  long count = readCount(path + ".count");
  if (count > 0 && exists(path)) return count;
  std::fprintf(stderr, "Generando %s ...\n", path.c_str());
  pid_t maker = fork();
  if (maker == 0) {
    long made = make(path + ".tmp");
    bool ok = writeText(path + ".count.tmp", std::to_string(made) + "\n") &&
              rename((path + ".tmp").c_str(), path.c_str()) == 0 &&
              rename((path + ".count.tmp").c_str(), (path + ".count").c_str()) == 0;
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  waitpid(maker, &status, 0);
  return status == 0 ? readCount(path + ".count") : -1;
}

struct Run {
  double seconds;
  long peakKb;
  int status;
};

// Runs `args` in `dir` with standard output to `out`; the summary on
// standard error is not looked at.
Run timed(const std::string& dir, const std::vector<std::string>& args, const std::string& out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  Run run = {0, 0, -1};
  if (chdir(dir.c_str()) != 0) return run;
  auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    struct rusage usage;
    wait4(child, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

// FNV-1a over the file's bytes; "-" when it cannot be read.
std::string checksum(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return "-";
  uint64_t h = 1469598103934665603ull;
  std::vector<unsigned char> buffer(1 << 16);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) {
    for (size_t i = 0; i < got; ++i) h = (h ^ buffer[i]) * 1099511628211ull;
  }
  std::fclose(f);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Case {
  const char* name;
  const char* drawing;
  std::string table;
  const char* words;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: dgnbin_bench RUTA-DE-dgnbin [EJECUCIONES]\n");
    return 2;
  }
  std::string exe = argv[1];
  if (exe[0] != '/') exe = std::string(getcwd(nullptr, 0)) + "/" + exe;
  int runs = argc > 2 ? std::atoi(argv[2]) : 7;
  if (runs < 5) runs = 5;  // a median of fewer says little on a shared machine

  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  std::string cache =
      xdg != nullptr && xdg[0] != '\0' ? xdg : std::string(home ? home : "/tmp") + "/.cache";
  for (const char* part : {"/dgnbin-bench/", kCacheVersion}) {
    mkdir(cache.c_str(), 0755);
    cache += part;
  }
  mkdir(cache.c_str(), 0755);

  long lineStrings = ensureDrawing(cache + "/strings.dgn", writeLineStrings);
  long mixed = ensureDrawing(cache + "/mixed.dgn", writeMixed);
  if (lineStrings <= 0 || mixed <= 0) {
    std::fprintf(stderr, "No se pudieron generar los dibujos en %s\n", cache.c_str());
    return 2;
  }

  const Case cases[] = {
      {"strings-8", "strings.dgn", lineStringTable(false), "out in 1 0 0 0 0 1"},
      {"strings-999", "strings.dgn", lineStringTable(true), "out in 1 0 0 0 0 1"},
      {"mixed-60", "mixed.dgn", mixedTable(), "out in 1 0 0 0 0 1"},
  };
  std::printf("%-12s %9s %9s %9s %6s %11s %11s\n", "drawing", "size MB", "dgnbin s", "cp s",
              "ratio", "peak MB", "elements/s");
  std::vector<std::string> sums;
  for (const Case& c : cases) {
    std::string dir = cache + "/" + c.name;
    mkdir(dir.c_str(), 0755);
    std::string input = dir + "/in.dgn";
    unlink(input.c_str());
    if (symlink((cache + "/" + c.drawing).c_str(), input.c_str()) != 0 ||
        !writeText(dir + "/DGNBIN.TAB", c.table)) {
      std::fprintf(stderr, "No se pudo preparar %s\n", dir.c_str());
      return 2;
    }
    struct stat info;
    stat(input.c_str(), &info);
    long elements = c.drawing[0] == 's' ? lineStrings : mixed;

    std::vector<double> convertTimes, copyTimes;
    long peak = 0;
    int status = 0;
    for (int r = 0; r < runs; ++r) {
      // Both programs write a file that did not exist: dgnbin would delete
      // the BIN file of the run before inside its own time.
      unlink((dir + "/out.bin").c_str());
      Run convert = timed(dir, {exe, c.words}, dir + "/console.txt");
      Run copy = timed(dir, {"cp", input, dir + "/copy.dgn"}, "/dev/null");
      unlink((dir + "/copy.dgn").c_str());
      if (convert.status != 0) status = convert.status;
      if (copy.status != 0) status = 99;
      convertTimes.push_back(convert.seconds);
      copyTimes.push_back(copy.seconds);
      peak = std::max(peak, convert.peakKb);
    }
    double t = median(convertTimes), cp = median(copyTimes);
    std::printf("%-12s %9.1f %9.3f %9.3f %6.2f %11.1f %11.0f%s\n", c.name, info.st_size / 1e6, t,
                cp, t / cp, peak / 1024.0, elements / t, status == 0 ? "" : "  (salida no nula)");
    std::fflush(stdout);
    sums.push_back(std::string(c.name) + "  bin " + checksum(dir + "/out.bin") + "  err " +
                   checksum(dir + "/in.ERR") + "  console " + checksum(dir + "/console.txt"));
    unlink((dir + "/out.bin").c_str());
  }
  std::printf("medians of %d alternated runs; checksums (FNV-1a 64):\n", runs);
  for (const std::string& s : sums) std::printf("%s\n", s.c_str());
  return 0;
}
