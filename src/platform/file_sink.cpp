#include "platform/file_sink.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

FileSink::FileSink() : fd_(-1), buffer_(new unsigned char[kCapacity]()), used_(0), failed_(false) {}

FileSink::~FileSink() { delete[] buffer_; }

void FileSink::attach(int fd) {
  fd_ = fd;
  used_ = 0;
  failed_ = false;
}

static bool writeAll(int fd, const unsigned char* data, size_t size) {
  while (size > 0) {
    ssize_t done = write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    data += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

bool FileSink::append(const void* data, size_t size) {
  if (failed_ || fd_ < 0) return false;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  if (used_ + size > kCapacity) {
    if (!flush()) return false;
    if (size > kCapacity) {
      failed_ = !writeAll(fd_, bytes, size);
      return !failed_;
    }
  }
  memcpy(buffer_ + used_, bytes, size);
  used_ += size;
  return true;
}

bool FileSink::flush() {
  if (failed_) return false;
  if (fd_ < 0 || used_ == 0) return true;
  failed_ = !writeAll(fd_, buffer_, used_);
  used_ = 0;
  return !failed_;
}

void FileSink::detach() {
  fd_ = -1;
  used_ = 0;
}
