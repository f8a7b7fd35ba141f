#include "kelobin/bin_input.h"

#include <errno.h>
#include <string.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/system_reason.h"

BinInput::BinInput() : file_(NULL) {}

BinInput::~BinInput() {
  if (file_ != NULL) fclose(file_);
}

bool BinInput::open(const char* name) {
  name_ = nameInMessages(name);
  file_ = openStreamForReading(name);
  if (file_ == NULL) {
    fprintf(stderr, "kelobin: no puedo abrir %s: %s\n", name_.c_str(), systemReason(errno));
    return false;
  }
  setvbuf(file_, NULL, _IOFBF, 1 << 16);
  reader_.attach(file_);
  return true;
}

void BinInput::restart() {
  rewind(file_);
  reader_.attach(file_);
}

bool BinInput::endedWell(ReadResult result) const {
  if (result == kEndOfFile) return true;
  if (result == kImpossibleRecord) {
    fprintf(stderr, "kelobin: %s no es un fichero BIN: %s\n", name_.c_str(), reader_.problem());
  } else {
    fprintf(stderr, "kelobin: no puedo leer %s: %s\n", name_.c_str(), reader_.problem());
  }
  return false;
}

// FNV-1a over the code's bytes.
static unsigned codeHash(const char* code) {
  unsigned h = 2166136261u;
  for (; *code != '\0'; ++code) h = (h ^ static_cast<unsigned char>(*code)) * 16777619u;
  return h;
}

CodeCounts::CodeCounts() : slots_(), used_(0), uncounted_(0) {}

void CodeCounts::add(const char* code) {
  for (unsigned i = codeHash(code) % kSlots;; i = (i + 1) % kSlots) {
    CodeCount& slot = slots_[i];
    if (slot.records > 0 && strcmp(slot.code, code) == 0) {
      ++slot.records;
      return;
    }
    if (slot.records == 0) {
      if (used_ == kMaxCodes) {
        ++uncounted_;
        return;
      }
      ++used_;
      snprintf(slot.code, sizeof slot.code, "%s", code);
      slot.records = 1;
      return;
    }
  }
}

std::vector<CodeCount> CodeCounts::ranking() const {
  std::vector<CodeCount> list;
  for (const CodeCount& slot : slots_) {
    if (slot.records > 0) list.push_back(slot);
  }
  std::sort(list.begin(), list.end(), [](const CodeCount& a, const CodeCount& b) {
    bool aNew = strcmp(a.code, kNewCode) == 0, bNew = strcmp(b.code, kNewCode) == 0;
    if (aNew != bNew) return aNew;
    if (a.records != b.records) return a.records > b.records;
    return strcmp(a.code, b.code) < 0;
  });
  return list;
}

ReadResult surveyBin(BinInput& input, BinSurvey& survey) {
  RecordView r;
  ReadResult result;
  while ((result = input.next(r)) == kRecordRead) {
    ++survey.records;
    if (r.header.kind == 'C') {
      ++survey.pointRecords;
      survey.points += r.header.pointCount;
    } else {
      ++survey.textRecords;
    }
    survey.items += r.header.itemCount;
    survey.codes.add(r.header.code);
    for (int i = 0; i < r.coordinateCount(); ++i) {
      Point p = r.point(i);
      survey.add(p);
      if (p.z != 0) survey.anyZ = true;
    }
  }
  return result;
}
