#include "platform/file_source.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

#include "platform/files.h"

FileSource::FileSource() : fd_(-1), buffer_(new unsigned char[kCapacity]()), start_(0), end_(0) {}

FileSource::~FileSource() {
  close();
  delete[] buffer_;
}

bool FileSource::open(const char* path) {
  close();
  fd_ = openFileForReading(path);
  start_ = end_ = 0;
  return fd_ >= 0;
}

void FileSource::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

long FileSource::refill(size_t size) {
  if (size > kCapacity) return -1;
  // What is left goes to the front, so that the bytes asked for fit behind.
  memmove(buffer_, buffer_ + start_, end_ - start_);
  end_ -= start_;
  start_ = 0;
  while (end_ < size) {
    ssize_t got = ::read(fd_, buffer_ + end_, kCapacity - end_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    end_ += static_cast<size_t>(got);
  }
  return static_cast<long>(end_ < size ? end_ : size);
}
