// The bodies of the fuzz targets, one function per target: the libFuzzer
// entry (fuzz_entry.cpp) and the replay test call the same code. Each body
// works in the current folder, which must be a scratch folder of its own, and
// returns 0; a fault found (a refused output, a broken row) aborts with a
// line on standard error.
#ifndef DGNBIN_TESTS_FUZZ_FUZZ_TARGETS_H_
#define DGNBIN_TESTS_FUZZ_FUZZ_TARGETS_H_

#include <stddef.h>
#include <stdint.h>

// A whole conversion. The input starts with the settings, then the rows of a
// small code table, then the design file:
//   byte 0  factor      kFactorWords[byte % 8]
//   byte 1  clave_cel   the byte as a signed number
//   byte 2  clave_gg    the byte as a signed number
//   byte 3  trasUTM     kUtmWords[byte % 8]
//   byte 4  generaComplex_KELO  kComplexWords[byte % 8]
//   byte 5  rows        byte % (kMaxFuzzRows + 1) rows of kRowBytes follow
// A row: level, style | weight << 3 (the symbology word's low byte), colour,
// font, graphic group, then indexes (% 8) into kRowNames, kSimbKeloWords and
// kAltoWords. The pattern word is always 0.
int fuzzConversion(const uint8_t* data, size_t size);
// DGNBIN.TAB holding the input's bytes, loaded; every row is looked up.
int fuzzCodeTable(const uint8_t* data, size_t size);
// The input read as a BIN file to its end, every field of every record read.
int fuzzBinReader(const uint8_t* data, size_t size);

enum ConversionSetting { kFactorByte, kClaveCelByte, kClaveGgByte, kUtmByte, kComplexByte };
const int kRowCountByte = 5;
const int kSettingsBytes = 6;
const int kRowBytes = 8;
const int kMaxFuzzRows = 8;
enum RowByte {
  kRowLevel,
  kRowStyleWeight,
  kRowColour,
  kRowFont,
  kRowGroup,
  kRowName,
  kRowSimb,
  kRowAlto
};

extern const char* const kFactorWords[8];    // [0] is "1", [2] is "10"
extern const char* const kUtmWords[8];       // [0] is "0"
extern const char* const kComplexWords[8];   // [m] is "m" for m 0 to 2
extern const char* const kRowNames[8];       // [0] is ""
extern const char* const kSimbKeloWords[8];  // [0] is "0"
extern const char* const kAltoWords[8];      // [0] is "1.0"

// The targets by the name of their folders under corpus/ and regressions/.
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
