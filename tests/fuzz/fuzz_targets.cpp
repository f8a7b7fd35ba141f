#include "fuzz/fuzz_targets.h"

#include <dirent.h>
#include <errno.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "bin/record_reader.h"
#include "run/converter.h"

// Valid values first, then the edges: values that stop the run, and values
// so large that every product they enter must be kept in range.
const char* const kFactorWords[8] = {"1", "0.1", "10", "99", "1.0", "2", "0", "nan"};
const char* const kUtmWords[8] = {"0", "1", "-1", "4000", "0.5", "1e9", "-1e300", "inf"};
const char* const kComplexWords[8] = {"0", "1", "2", "3", "-1", "2.9", "1e20", "nan"};
const char* const kRowNames[8] = {"",       "ARBOL",           "POZO", "CALLE", "calle mayor",
                                  "FAROLA", "un nombre largo", "A,B"};
const char* const kSimbKeloWords[8] = {"0", "C", "@150", "@CAMINO", "@", "@SIMBOLOLARGO", "c", ""};
const char* const kAltoWords[8] = {"1.0", "1.5", "0", "-2", "0.001", "1e30", "nan", "100000"};

const FuzzTarget kFuzzTargets[kFuzzTargetCount] = {
    {"conversion", fuzzConversion}, {"code_table", fuzzCodeTable}, {"bin_reader", fuzzBinReader}};

namespace {

// A fault that no sanitizer sees: said on standard error, then the process
// ends as in a crash, so that libFuzzer keeps the input.
[[noreturn]] __attribute__((format(printf, 1, 2))) void fault(const char* format, ...) {
  va_list args;
  va_start(args, format);
  fputs("FALLO: ", stderr);
  vfprintf(stderr, format, args);
  va_end(args);
  fputc('\n', stderr);
  abort();
}

void writeFile(const char* path, const void* data, size_t size) {
  FILE* f = fopen(path, "wb");
  bool ok = f != NULL && fwrite(data, 1, size, f) == size;
  if (f != NULL && fclose(f) != 0) ok = false;
  if (!ok) fault("no puedo escribir %s en la carpeta de trabajo", path);
}

void noPause() {}

// Where the fields read are added up, so that no read is left out.
volatile long long fieldSum;

bool terminatedWithin(const char* text, size_t size) { return memchr(text, '\0', size) != NULL; }

// Reads `file` to its end, every point, item and text of every record, so
// that the sanitizers see any read outside a record. What the reader hands
// out must lie inside the file (`size` bytes; -1 when not known).
ReadResult readEveryRecord(RecordReader& reader, FILE* file, long long size, std::string& problem) {
  reader.attach(file);
  RecordView r;
  ReadResult result;
  while ((result = reader.next(r)) == kRecordRead) {
    if (size >= 0 && r.offset + r.size > size) {
      fault("registro %lld en el byte %lld de %ld bytes pasa del final (%lld)", r.index, r.offset,
            r.size, size);
    }
    for (int i = 0; i < r.coordinateCount(); ++i) {
      const Point p = r.point(i);
      fieldSum += static_cast<long long>(p.x) + p.y + p.z;
    }
    for (int i = 0; i < r.header.itemCount; ++i) {
      AttributeItem item = r.item(i);
      if (!terminatedWithin(item.text, kItemTextBytes + 1)) fault("atributo sin terminar");
      fieldSum += static_cast<long long>(item.code) + item.value;
    }
    if (r.text != NULL) fieldSum += static_cast<long long>(strlen(r.text));
  }
  problem = reader.problem();
  return result;
}

// What a conversion left must read back whole: every record it wrote.
void checkBinFile(bool completed) {
  FILE* bin = fopen("out.bin", "rb");
  if (bin == NULL) {
    if (completed) fault("conversion completa sin fichero BIN");
    return;
  }
  // One reader for every execution: its buffer of the longest record would
  // otherwise be mapped and unmapped each time, a third of the time spent.
  static RecordReader reader;
  std::string problem;
  ReadResult result = readEveryRecord(reader, bin, -1, problem);
  fclose(bin);
  if (result != kEndOfFile) fault("el lector rechaza el fichero BIN escrito: %s", problem.c_str());
}

}  // namespace

int fuzzConversion(const uint8_t* data, size_t size) {
  if (size < static_cast<size_t>(kSettingsBytes)) return 0;
  const int rows = data[kRowCountByte] % (kMaxFuzzRows + 1);
  const size_t designAt = static_cast<size_t>(kSettingsBytes + rows * kRowBytes);
  if (size < designAt) return 0;

  std::string table;
  for (int i = 0; i < rows; ++i) {
    const uint8_t* row = data + kSettingsBytes + i * kRowBytes;
    char line[160];
    snprintf(line, sizeof line, "%06d %d %d %d %d %d %d \"%s\" %s \"%s\"\n", i + 1, row[kRowLevel],
             row[kRowStyleWeight] & 7, row[kRowColour], row[kRowStyleWeight] >> 3, row[kRowFont],
             row[kRowGroup], kRowNames[row[kRowName] % 8], kAltoWords[row[kRowAlto] % 8],
             kSimbKeloWords[row[kRowSimb] % 8]);
    table += line;
  }
  writeFile("DGNBIN.TAB", table.data(), table.size());
  writeFile("in.dgn", data + designAt, size - designAt);
  // A run that stops early must not leave the last input's file to be read.
  unlink("out.bin");

  char line[160];
  snprintf(line, sizeof line, "out in %s %d %d 0 %s %s", kFactorWords[data[kFactorByte] % 8],
           static_cast<int8_t>(data[kClaveCelByte]), static_cast<int8_t>(data[kClaveGgByte]),
           kUtmWords[data[kUtmByte] % 8], kComplexWords[data[kComplexByte] % 8]);
  bool completed;
  {
    Converter converter;
    converter.usagePause = noPause;
    completed = converter.runConversion(line);
  }
  checkBinFile(completed);
  return 0;
}

int fuzzCodeTable(const uint8_t* data, size_t size) {
  writeFile("DGNBIN.TAB", data, size);
  Converter c;
  c.usagePause = noPause;
  const bool loaded = c.loadCodeTable();
  const int rows = c.codeTableRows;
  if (rows < 0 || rows > kTableRows || (loaded && rows == kTableRows)) {
    fault("%d filas leidas", rows);
  }
  for (int i = 0; i < rows; ++i) {
    const CodeTableRow& r = c.codeTable[i];
    if (!terminatedWithin(r.code, sizeof r.code) || !terminatedWithin(r.name, sizeof r.name) ||
        !terminatedWithin(r.simbKelo, sizeof r.simbKelo)) {
      fault("fila %d con un texto sin terminar", i);
    }
  }
  // A row is found by its own keys, whatever the lookup compares.
  for (int mode = kBySymbology; loaded && rows > 0 && mode <= kByFontAndName; ++mode) {
    c.currentRow = c.codeTable[rows - 1];
    if (!c.lookupCode(mode)) fault("la fila %d no se encuentra por la clave %d", rows - 1, mode);
  }
  return 0;
}

int fuzzBinReader(const uint8_t* data, size_t size) {
  // Read only: the input is never written through this stream.
  FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
  if (file == NULL) return 0;
  RecordReader reader;
  std::string problem;
  ReadResult result = readEveryRecord(reader, file, static_cast<long long>(size), problem);
  fclose(file);
  if (result == kReadFailed) fault("lectura fallida en memoria: %s", problem.c_str());
  return 0;
}

static std::string scratchFolder;

static void removeFolder(const std::string& folder) {
  DIR* d = opendir(folder.c_str());
  if (d == NULL) return;
  while (const dirent* entry = readdir(d)) {
    if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
      unlink((folder + "/" + entry->d_name).c_str());
  }
  closedir(d);
  rmdir(folder.c_str());
}

static void removeScratchFolder() { removeFolder(scratchFolder); }

bool enterScratchFolder() {
  // Memory-backed files keep a whole conversion per execution cheap.
  const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  const std::string prefix = "dgnbin-fuzz-";
  // A fuzzer that stopped on a finding left its folder behind: the folders
  // of processes that are gone are removed here.
  if (DIR* d = opendir(base.c_str())) {
    while (const dirent* entry = readdir(d)) {
      const std::string name = entry->d_name;
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      char* end;
      const long pid = strtol(name.c_str() + prefix.size(), &end, 10);
      if (*end == '\0' && pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        removeFolder(base + "/" + name);
    }
    closedir(d);
  }
  scratchFolder = base + "/" + prefix + std::to_string(getpid());
  if ((mkdir(scratchFolder.c_str(), 0700) != 0 && errno != EEXIST) ||
      chdir(scratchFolder.c_str()) != 0) {
    return false;
  }
  atexit(removeScratchFolder);
  return true;
}
