// Buffered reading from a file it opens and closes itself. A design file
// holds hundreds of thousands of small elements; reading each with its own
// two system calls would dominate the conversion, and copying each out of
// the buffer would cost as much as reading it: the reader decodes them
// where they lie.
#ifndef DGNBIN_PLATFORM_FILE_SOURCE_H_
#define DGNBIN_PLATFORM_FILE_SOURCE_H_

#include <stddef.h>

class FileSource {
 public:
  FileSource();
  ~FileSource();
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // Opens `path` for reading only. False when it cannot be opened.
  bool open(const char* path);
  bool isOpen() const { return fd_ >= 0; }
  void close();
  // Makes the next `size` bytes (at most kCapacity) lie whole in the buffer,
  // at next(), and returns how many of them do: fewer only at the end of the
  // file; -1 when the file could not be read. They stay there until the
  // next fill.
  long fill(size_t size) { return end_ - start_ >= size ? static_cast<long>(size) : refill(size); }
  const unsigned char* next() const { return buffer_ + start_; }
  // Passes over bytes that fill made available.
  void skip(size_t size) { start_ += size; }

  static const size_t kCapacity = 1 << 18;  // the most one fill makes available

 private:
  long refill(size_t size);
  int fd_;  // -1 while not open
  unsigned char* buffer_;
  size_t start_;
  size_t end_;
};

#endif  // DGNBIN_PLATFORM_FILE_SOURCE_H_
