// What the commands that read a BIN file share: opening it with a message
// when it cannot be, the message when a pass stops before the end, and one
// pass that gathers the counts, the extent and the codes, which info reports
// and geojson and svg need before they write anything.
#ifndef DGNBIN_KELOBIN_BIN_INPUT_H_
#define DGNBIN_KELOBIN_BIN_INPUT_H_

#include <stdio.h>

#include <string>
#include <vector>

#include "bin/point_extent.h"
#include "bin/record_reader.h"
#include "run/program_texts.h"

class BinInput {
 public:
  BinInput();
  ~BinInput();
  BinInput(const BinInput&) = delete;
  BinInput& operator=(const BinInput&) = delete;

  // False, with a message on standard error, when the file cannot be opened.
  bool open(const char* name);
  // Back to the first record, for another pass.
  void restart();
  ReadResult next(RecordView& record) { return reader_.next(record); }
  // True when the pass reached the end of the file; otherwise says on
  // standard error why it stopped.
  bool endedWell(ReadResult result) const;
  const char* name() const { return name_.c_str(); }  // as messages show it
  long long size() const { return reader_.bytesRead(); }

 private:
  std::string name_;  // as messages show it
  FILE* file_;
  RecordReader reader_;
};

struct CodeCount {
  char code[8];
  long long records;
};

// Records per code. Memory is fixed: codes beyond the first kMaxCodes are
// only counted together (a code table has fewer than 1000 rows).
class CodeCounts {
 public:
  static const int kMaxCodes = 4096;
  CodeCounts();
  void add(const char* code);
  // "nuevo" first, then the most frequent first, ties by code.
  std::vector<CodeCount> ranking() const;
  long long uncounted() const { return uncounted_; }

 private:
  static const int kSlots = 2 * kMaxCodes;
  CodeCount slots_[kSlots];
  int used_;
  long long uncounted_;
};

// The extent is over the points of the C records and the insertion points
// of the texts.
struct BinSurvey : PointExtent {
  long long records = 0, pointRecords = 0, textRecords = 0;
  long long points = 0;  // of the C records
  long long items = 0;
  bool anyZ = false;
  CodeCounts codes;
};

// Reads the file from its first record to its end or to the first record
// it cannot read; `survey` then holds what came before.
ReadResult surveyBin(BinInput& input, BinSurvey& survey);

#endif  // DGNBIN_KELOBIN_BIN_INPUT_H_
