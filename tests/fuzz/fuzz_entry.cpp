// The libFuzzer entry of one target, chosen when it is built: DGNBIN_FUZZ_TARGET
// names its body in fuzz_targets.h.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "fuzz/fuzz_targets.h"

// Each input is converted in a scratch folder; between inputs the fuzzer
// works in the folder it was started from, where its paths lead.
static int startFolder = -1, scratchFolder = -1;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The converter's console would flood the fuzzer's log, which stays on
  // standard error.
  int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, STDOUT_FILENO) < 0) abort();
  close(null);
  startFolder = open(".", O_RDONLY | O_DIRECTORY);
  if (startFolder < 0 || !enterScratchFolder()) {
    perror("carpeta de trabajo");
    abort();
  }
  scratchFolder = open(".", O_RDONLY | O_DIRECTORY);
  if (scratchFolder < 0 || fchdir(startFolder) != 0) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (fchdir(scratchFolder) != 0) abort();
  const int result = DGNBIN_FUZZ_TARGET(data, size);
  if (fchdir(startFolder) != 0) abort();
  return result;
}
