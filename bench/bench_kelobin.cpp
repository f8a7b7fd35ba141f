// Memory and time of kelobin on a large BIN file: writes a file of the given
// size (200 MB unless told) by repeating a line string of 5000 points, a
// line with items and a text, runs each command of kelobin on it with its
// output thrown away, and prints each one's time and peak memory, which
// must not grow with the file. Given the folder of the GDAL plugin, also
// ogrinfo's summary of the file and ogr2ogr's copy of it to GeoPackage.
//   kelobin_bench PATH-TO-kelobin [MEGABYTES [PLUGIN-FOLDER]]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bin/bin_record.h"

static void append(std::vector<char>& out, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

// One round of records: 60 KB of points, a line with two items, a text.
static std::vector<char> recordRound() {
  std::vector<char> out;
  RecordHeader lines = {'C', '=', "001010", 0, kMaxPoints};
  RecordBox box = {0, 0, 0, 4999, 999, 0, 0, 0, 0};
  append(out, &lines, sizeof lines);
  append(out, &box, sizeof box);
  for (int32_t i = 0; i < kMaxPoints; ++i) {
    Point p = {i, (i * 37) % 1000, 0};
    append(out, &p, sizeof p);
  }
  RecordHeader line = {'C', '=', "nuevo", 2, 2};
  Point ends[2] = {{0, 0, 0}, {4999, 999, 0}};
  append(out, &line, sizeof line);
  append(out, &box, sizeof box);
  append(out, ends, sizeof ends);
  const char items[24] = {5, 0, 101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 'A', 'B'};
  append(out, items, sizeof items);
  RecordHeader text = {'T', '=', "005000", 0, 2};
  RecordBox textBox = {100, 100, 0, 400, 200, 0, 100, 0, 4500};
  Point slots[2] = {{100, 100, 0}, {0x4C4C4143, 0x45, 0}};  // "CALLE"
  append(out, &text, sizeof text);
  append(out, &textBox, sizeof textBox);
  append(out, slots, sizeof slots);
  return out;
}

// Runs `args` (looked up in PATH) with its output thrown away and prints its
// time and peak memory; false when it cannot be started.
static bool measure(std::vector<std::string> args, long long bytes) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  struct rusage usage;
  wait4(child, &status, 0, &usage);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::string name = args[0].substr(args[0].rfind('/') + 1) + " " + args[1];
  std::printf("%-16s %7.2f s, %6.1f MB/s, peak memory %ld KB, exit %d\n", name.c_str(), seconds,
              bytes / 1e6 / seconds, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return true;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kelobin_bench PATH-TO-kelobin [MEGABYTES [PLUGIN-FOLDER]]\n");
    return 2;
  }
  long megabytes = argc > 2 ? std::atol(argv[2]) : 200;
  char dir[] = "/tmp/kelobin-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr) return 2;
  std::string bin = std::string(dir) + "/big.bin";
  FILE* file = std::fopen(bin.c_str(), "wb");
  if (file == nullptr) return 2;
  std::vector<char> round = recordRound();
  long long bytes = 0;
  for (; bytes < megabytes * 1000000LL; bytes += static_cast<long long>(round.size())) {
    std::fwrite(round.data(), 1, round.size(), file);
  }
  std::fclose(file);
  std::printf("%s: %.1f MB\n", bin.c_str(), bytes / 1e6);

  for (const char* command : {"info", "dump", "geojson", "svg"}) {
    if (!measure({argv[1], command, bin}, bytes)) return 2;
  }
  std::string plugin = argc > 3 ? std::string(argv[3]) + "/ogr_KELOBIN.so" : "";
  if (!plugin.empty() && access(plugin.c_str(), R_OK) == 0) {
    setenv("GDAL_DRIVER_PATH", argv[3], 1);
    std::string gpkg = std::string(dir) + "/big.gpkg";
    if (!measure({"ogrinfo", "-so", "-al", bin}, bytes) ||
        !measure({"ogr2ogr", "-f", "GPKG", gpkg, bin}, bytes)) {
      std::printf("GDAL's programs cannot be run\n");
    }
    std::remove(gpkg.c_str());
  }
  std::remove(bin.c_str());
  rmdir(dir);
  return 0;
}
