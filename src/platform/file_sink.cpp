#include "platform/file_sink.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

FileSink::FileSink()
    : buffer_(new unsigned char[kChunk + kCapacity]()), used_(0), failed_(false), error_(0) {}

FileSink::~FileSink() { delete[] buffer_; }

bool FileSink::create(const char* path, unsigned mode, bool unnamed) {
  used_ = 0;
  failed_ = false;
  bool made = file_.create(path, mode, unnamed);
  error_ = file_.error();
  return made;
}

// False with the reason in `error` (a write that takes nothing is a full disk).
static bool writeAll(int fd, const unsigned char* data, size_t size, int& error) {
  while (size > 0) {
    ssize_t done = write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      if (error == 0) error = done < 0 ? errno : ENOSPC;
      return false;
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

// The buffer holds a chunk and the largest piece reserved beyond it.
unsigned char* FileSink::reserveAfterWrite(size_t size) {
  if (failed_ || !file_.isOpen() || size > kCapacity) return NULL;
  if (used_ >= kChunk) {
    failed_ = !writeAll(file_.fd(), buffer_, kChunk, error_);
    if (failed_) return NULL;
    memmove(buffer_, buffer_ + kChunk, used_ - kChunk);
    used_ -= kChunk;
  }
  unsigned char* at = buffer_ + used_;
  used_ += size;
  return at;
}

bool FileSink::append(const void* data, size_t size) {
  const unsigned char* from = static_cast<const unsigned char*>(data);
  while (size > 0) {
    size_t piece = size < kCapacity ? size : kCapacity;
    unsigned char* at = reserve(piece);
    if (at == NULL) return false;
    memcpy(at, from, piece);
    from += piece;
    size -= piece;
  }
  return true;
}

bool FileSink::appendTextMode(const char* text, size_t size) {
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (text[i] != '\n') continue;
    if (!append(text + start, i - start) || !append("\r\n", 2)) return false;
    start = i + 1;
  }
  return append(text + start, size - start);
}

bool FileSink::flush() {
  if (failed_) return false;
  if (!file_.isOpen() || used_ == 0) return true;
  failed_ = !writeAll(file_.fd(), buffer_, used_, error_);
  used_ = 0;
  return !failed_;
}

bool FileSink::commit() {
  if (!flush()) return false;
  if (!file_.commit()) {
    if (error_ == 0) error_ = file_.error();
    failed_ = true;
    return false;
  }
  return true;
}

void FileSink::discard() {
  file_.discard();
  used_ = 0;
}
