// The libFuzzer entry of one target, chosen when it is built: DGNBIN_FUZZ_TARGET
// names its body in fuzz_targets.h.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fuzz/fuzz_targets.h"

namespace {

std::string absolute(const std::string& cwd, const std::string& path) {
  return path.empty() || path[0] == '/' ? path : cwd + "/" + path;
}

// The fuzzer reads and writes the paths of its command line after the move
// into the scratch folder: they are made absolute first, and inputs that
// fail are kept in the starting folder unless another is named.
void makePathsAbsolute(int* argc, char*** argv) {
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) == NULL) abort();
  static std::vector<std::string> args;
  static std::vector<char*> pointers;
  const std::string prefixFlags[] = {"-artifact_prefix=", "-exact_artifact_path="};
  bool prefixGiven = false;
  for (int i = 0; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    if (i > 0 && arg[0] != '-') arg = absolute(cwd, arg);
    for (const std::string& flag : prefixFlags) {
      if (arg.compare(0, flag.size(), flag) != 0) continue;
      arg = flag + absolute(cwd, arg.substr(flag.size()));
      prefixGiven = true;
    }
    args.push_back(arg);
  }
  if (!prefixGiven) args.push_back(std::string("-artifact_prefix=") + cwd + "/");
  for (std::string& arg : args) pointers.push_back(&arg[0]);
  pointers.push_back(NULL);
  *argc = static_cast<int>(args.size());
  *argv = pointers.data();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  makePathsAbsolute(argc, argv);
  // The converter's console would flood the fuzzer's log, which stays on
  // standard error.
  int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, STDOUT_FILENO) < 0) abort();
  close(null);
  if (!enterScratchFolder()) {
    perror("carpeta de trabajo");
    abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return DGNBIN_FUZZ_TARGET(data, size);
}
