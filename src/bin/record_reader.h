// Reading a BIN file back, one record at a time, into a buffer of fixed size:
// memory stays the same whatever the length of the file. Every record is
// checked before it is handed out, so that callers can trust its counts, its
// code and its text, whatever bytes the file holds.
#ifndef DGNBIN_BIN_RECORD_READER_H_
#define DGNBIN_BIN_RECORD_READER_H_

#include <stdint.h>
#include <stdio.h>

#include "bin/bin_record.h"

// The longest record the counts can express: 65535 points and 255 items.
const long kMaxRecordBytes = kRecordHeadBytes + kPointBytes * (65535L + 255);

// One record as read. The pointers lie in the reader's buffer and stay valid
// until the next read.
struct RecordView {
  RecordHeader header;  // its code is NUL-terminated
  RecordBox box;
  long long index;       // 0 for the first record of the file
  long long offset;      // byte offset of the record in the file
  const uint8_t* bytes;  // the whole record
  long size;
  const char* text;  // T records: the text, NUL-terminated; null in C records

  // C records: point i of n; T records: point 0 is the insertion point.
  Point point(int i) const;
  // Item i of m; its text is NUL-terminated (at most 6 bytes).
  AttributeItem item(int i) const;
  // The points that are coordinates: all of a C record, the insertion point
  // of a T record.
  int coordinateCount() const { return header.kind == 'T' ? 1 : header.pointCount; }
};

enum ReadResult { kRecordRead, kEndOfFile, kImpossibleRecord, kReadFailed };

class RecordReader {
 public:
  RecordReader();
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // Starts reading `file` (the caller owns it) from its current position,
  // which counts as byte 0 and record 0.
  void attach(FILE* file);
  ReadResult next(RecordView& record);
  // After kImpossibleRecord: "registro imposible N en el byte B: why";
  // after kReadFailed: the system's reason.
  const char* problem() const { return problem_; }
  long long recordsRead() const { return index_; }
  long long bytesRead() const { return offset_; }

 private:
  ReadResult impossible(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Reads `size` bytes into the buffer at `at`; the count read, or -1.
  long fill(long at, long size);

  FILE* file_;
  uint8_t* buffer_;
  long long index_;
  long long offset_;
  char problem_[160];
};

#endif  // DGNBIN_BIN_RECORD_READER_H_
