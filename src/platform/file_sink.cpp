#include "platform/file_sink.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

#include "platform/files.h"

FileSink::FileSink()
    : fd_(-1),
      buffer_(new unsigned char[kChunk + kCapacity]()),
      used_(0),
      failed_(false),
      error_(0) {}

FileSink::~FileSink() {
  close();
  delete[] buffer_;
}

bool FileSink::create(const char* path, unsigned mode) {
  close();
  // Truncating as well: should an old file survive its deletion, none of its
  // bytes may remain behind the new records.
  fd_ = createFile(path, mode);
  used_ = 0;
  failed_ = false;
  error_ = fd_ < 0 ? errno : 0;
  return fd_ >= 0;
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
  if (failed_ || fd_ < 0 || size > kCapacity) return NULL;
  if (used_ >= kChunk) {
    failed_ = !writeAll(fd_, buffer_, kChunk, error_);
    if (failed_) return NULL;
    memmove(buffer_, buffer_ + kChunk, used_ - kChunk);
    used_ -= kChunk;
  }
  unsigned char* at = buffer_ + used_;
  used_ += size;
  return at;
}

bool FileSink::flush() {
  if (failed_) return false;
  if (fd_ < 0 || used_ == 0) return true;
  failed_ = !writeAll(fd_, buffer_, used_, error_);
  used_ = 0;
  return !failed_;
}

bool FileSink::close() {
  if (fd_ < 0) return true;
  bool ok = flush();
  if (::close(fd_) != 0) {
    if (error_ == 0) error_ = errno;
    ok = false;
  }
  fd_ = -1;
  used_ = 0;
  return ok;
}
