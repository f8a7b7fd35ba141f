// Throughput of a whole conversion: writes a large 2D drawing of line
// strings, texts, arcs and complex chains, converts it with the dgnbin
// program given on the command line, and prints elements per second, input
// megabytes per second and the child's peak memory.
//   make bench      (or: dgnbin_bench PATH-TO-dgnbin [ELEMENTS])
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/dgn_builder.h"

using namespace dgntest;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: dgnbin_bench PATH-TO-dgnbin [ELEMENTS]\n");
    return 2;
  }
  std::string exe = argv[1];
  if (exe[0] != '/') exe = std::string(getcwd(nullptr, 0)) + "/" + exe;
  long elements = argc > 2 ? std::atol(argv[2]) : 400000;

  char dir[] = "/tmp/dgnbin-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr) return 2;
  std::string base = dir;

  // The drawing is built in a child of its own, so that this process stays
  // small and the peak memory measured below is the converter's own.
  pid_t maker = fork();
  if (maker == 0) {
    DesignFile d(2);
    for (long i = 0; i < elements; i += 4) {
      int32_t x = static_cast<int32_t>(i % 100000) * 10, y = static_cast<int32_t>(i / 100000) * 10;
      Element ls =
          lineString(2, {{x, y, 0}, {x + 100, y, 0}, {x + 100, y + 100, 0}, {x, y + 100, 0}});
      ls.level = 1 + static_cast<int>(i % 7);
      std::vector<uint8_t> link = linkage1007(5, static_cast<int32_t>(i));
      ls.linkages = link;
      d.add(ls);
      d.add(text(2, 1, 2, 3000, {0}, {x, y, 0}, "ROTULO"));
      d.add(arc(2, 0, sweepSignMagnitude(32400000), 500, 500, {0}, {double(x), double(y), 0}));
      d.add(line(2, x, y, 0, x + 50, y + 50, 0));
    }
    d.write(base + "/in.dgn");
    _exit(0);
  }
  int made = 0;
  waitpid(maker, &made, 0);
  struct stat info;
  if (made != 0 || stat((base + "/in.dgn").c_str(), &info) != 0) return 2;
  long bytes = static_cast<long>(info.st_size);
  FILE* table = std::fopen((base + "/DGNBIN.TAB").c_str(), "w");
  for (int level = 1; level <= 7; ++level) std::fprintf(table, "00%04d %d 0 0 0\n", level, level);
  std::fclose(table);

  auto start = std::chrono::steady_clock::now();
  if (chdir(base.c_str()) != 0) return 2;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char arg0[] = "dgnbin", arg1[] = "out in 1 0 0 0 0 1";
  char* args[] = {arg0, arg1, nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, exe.c_str(), &actions, nullptr, args, environ) != 0) return 2;
  int status = 0;
  struct rusage usage;
  wait4(child, &status, 0, &usage);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf(
      "%ld elements, %.1f MB in %.3f s: %.0f elements/s, %.1f MB/s, peak memory %ld KB, exit %d\n",
      elements, bytes / 1e6, seconds, elements / seconds, bytes / 1e6 / seconds, usage.ru_maxrss,
      WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  if (chdir("/") != 0) return 2;
  std::system(("rm -rf " + base).c_str());
  return 0;
}
