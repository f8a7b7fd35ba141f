// The bodies of the fuzz targets, one function per target: the libFuzzer
// entry (fuzz_entry.cpp) and the replay test call the same code. Each body
// works in the current folder, which must be a scratch folder of its own, and
// returns 0; a fault found (a refused output, a broken row) aborts with a
// line on standard error.
#ifndef DGNBIN_TESTS_FUZZ_FUZZ_TARGETS_H_
#define DGNBIN_TESTS_FUZZ_FUZZ_TARGETS_H_

#include <stddef.h>
#include <stdint.h>

// A whole conversion. The input holds the six words that follow the output
// and input names on the command line, up to the first line end; then the
// code table, up to the first NUL byte; then the design file.
int fuzzConversion(const uint8_t* data, size_t size);
// DGNBIN.TAB holding the input's bytes, loaded; every row is looked up.
int fuzzCodeTable(const uint8_t* data, size_t size);
// The input read as a BIN file to its end, every field of every record read.
int fuzzBinReader(const uint8_t* data, size_t size);

// The targets by the name of their folders under regressions/ and the corpora.
struct FuzzTarget {
  const char* name;
  int (*run)(const uint8_t* data, size_t size);
};
const int kFuzzTargetCount = 3;
extern const FuzzTarget kFuzzTargets[kFuzzTargetCount];

// Makes a scratch folder (in /dev/shm when there is one) and works in it from
// then on; it is removed at exit. False when it cannot be made.
bool enterScratchFolder();

#endif  // DGNBIN_TESTS_FUZZ_FUZZ_TARGETS_H_
