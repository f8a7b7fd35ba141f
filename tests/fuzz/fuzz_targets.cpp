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

#include <algorithm>
#include <string>

#include "bin/record_reader.h"
#include "run/converter.h"

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
  const uint8_t* end = data + size;
  const uint8_t* lineEnd = std::find(data, end, '\n');
  const uint8_t* tableEnd = std::find(lineEnd, end, '\0');
  if (tableEnd == end) return 0;
  writeFile("DGNBIN.TAB", lineEnd + 1, tableEnd - lineEnd - 1);
  writeFile("in.dgn", tableEnd + 1, end - tableEnd - 1);
  // A run that stops early must not leave the last input's file to be read.
  unlink("out.bin");

  std::string line = "out in " + std::string(data, lineEnd);
  bool completed;
  {
    Converter converter;
    converter.usagePause = noPause;
    completed = converter.runConversion(&line[0]);
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
