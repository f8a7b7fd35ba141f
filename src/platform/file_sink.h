// Buffered, checked output to an unbuffered file handle. The BIN file gets
// thousands of small records; gathering them into large writes keeps the
// conversion fast, and every write result is looked at so that a full disk
// is reported instead of leaving a short file behind.
#ifndef DGNBIN_PLATFORM_FILE_SINK_H_
#define DGNBIN_PLATFORM_FILE_SINK_H_

#include <stddef.h>

class FileSink {
 public:
  FileSink();
  ~FileSink();
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Starts gathering output for `fd` (an open handle the caller owns).
  void attach(int fd);
  // Appends bytes; false once any write to the file has failed.
  bool append(const void* data, size_t size);
  // Writes out what is gathered; false when a write failed now or before.
  bool flush();
  // Forgets the handle after a final flush (the caller closes it).
  void detach();
  bool failed() const { return failed_; }

 private:
  static const size_t kCapacity = 1 << 16;
  int fd_;
  unsigned char* buffer_;
  size_t used_;
  bool failed_;
};

#endif  // DGNBIN_PLATFORM_FILE_SINK_H_
