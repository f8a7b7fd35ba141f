#include "bin/record_reader.h"

#include <errno.h>
#include <stdarg.h>
#include <string.h>

Point RecordView::point(int i) const {
  Point p;
  memcpy(&p, bytes + kRecordHeadBytes + kPointBytes * i, sizeof p);
  return p;
}

AttributeItem RecordView::item(int i) const {
  const uint8_t* at = bytes + kRecordHeadBytes + kPointBytes * header.pointCount + kItemBytes * i;
  AttributeItem item = {};
  memcpy(&item.code, at, sizeof item.code);
  memcpy(&item.value, at + sizeof item.code, sizeof item.value);
  memcpy(item.text, at + sizeof item.code + sizeof item.value, kItemTextBytes);
  return item;
}

RecordReader::RecordReader()
    : file_(NULL), buffer_(new uint8_t[kMaxRecordBytes]), index_(0), offset_(0) {
  problem_[0] = '\0';
}

RecordReader::~RecordReader() { delete[] buffer_; }

void RecordReader::attach(FILE* file) {
  file_ = file;
  index_ = 0;
  offset_ = 0;
  problem_[0] = '\0';
}

long RecordReader::fill(long at, long size) {
  size_t got = fread(buffer_ + at, 1, static_cast<size_t>(size), file_);
  if (got < static_cast<size_t>(size) && ferror(file_)) {
    snprintf(problem_, sizeof problem_, "%s", strerror(errno));
    return -1;
  }
  return static_cast<long>(got);
}

ReadResult RecordReader::impossible(const char* format, ...) {
  int used = snprintf(problem_, sizeof problem_,
                      "registro imposible %lld en el byte %lld: ", index_, offset_);
  va_list args;
  va_start(args, format);
  vsnprintf(problem_ + used, sizeof problem_ - static_cast<size_t>(used), format, args);
  va_end(args);
  return kImpossibleRecord;
}

ReadResult RecordReader::next(RecordView& record) {
  const long headerBytes = sizeof(RecordHeader);
  long got = fill(0, headerBytes);
  if (got < 0) return kReadFailed;
  if (got == 0) return kEndOfFile;
  // The kind and '=' first: they tell a file that is no BIN file at all from
  // a BIN file cut short.
  if (buffer_[0] != 'C' && buffer_[0] != 'T') {
    return impossible("tipo 0x%02X, no es C ni T", buffer_[0]);
  }
  if (got > 1 && buffer_[1] != '=') return impossible("segundo byte 0x%02X, no es '='", buffer_[1]);
  if (got < headerBytes) {
    return impossible("el fichero termina a los %ld bytes de su cabecera de %ld", got, headerBytes);
  }
  RecordHeader& h = record.header;
  memcpy(&h, buffer_, sizeof h);
  if (memchr(h.code, '\0', sizeof h.code) == NULL) return impossible("codigo sin terminar");
  const int n = h.pointCount, m = h.itemCount;
  if (h.kind == 'C' && n == 0) return impossible("registro C sin puntos");
  if (h.kind == 'T' && n < 2)
    return impossible("registro T de %d puntos, sin sitio para el texto", n);

  const long size = kRecordHeadBytes + kPointBytes * static_cast<long>(n + m);
  got = fill(headerBytes, size - headerBytes);
  if (got < 0) return kReadFailed;
  if (got < size - headerBytes) {
    return impossible("%d puntos y %d atributos piden %ld bytes y el fichero termina a los %ld", n,
                      m, size, headerBytes + got);
  }
  record.text = NULL;
  if (h.kind == 'T') {
    const char* text = reinterpret_cast<const char*>(buffer_ + kRecordHeadBytes + kPointBytes);
    if (memchr(text, '\0', static_cast<size_t>(kPointBytes) * (n - 1)) == NULL) {
      return impossible("texto sin NUL en sus %d huecos", n - 1);
    }
    record.text = text;
  }
  memcpy(&record.box, buffer_ + headerBytes, sizeof record.box);
  record.index = index_++;
  record.offset = offset_;
  record.bytes = buffer_;
  record.size = size;
  offset_ += size;
  return kRecordRead;
}
