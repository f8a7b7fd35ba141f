// Buffered reading from an unbuffered file handle. A design file holds
// hundreds of thousands of small elements; reading each with its own two
// system calls would dominate the conversion.
#ifndef DGNBIN_PLATFORM_FILE_SOURCE_H_
#define DGNBIN_PLATFORM_FILE_SOURCE_H_

#include <stddef.h>

class FileSource {
 public:
  FileSource();
  ~FileSource();
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // Starts reading `fd` (an open handle the caller owns) from its position.
  void attach(int fd);
  // Reads up to `size` bytes; fewer only at the end of the file. Returns the
  // count read, or -1 when the file could not be read.
  long read(void* to, size_t size);

 private:
  static const size_t kCapacity = 1 << 16;
  int fd_;
  unsigned char* buffer_;
  size_t start_;
  size_t end_;
};

#endif  // DGNBIN_PLATFORM_FILE_SOURCE_H_
