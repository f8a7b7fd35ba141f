// Buffered, checked output to a file it opens and closes itself. The BIN file
// gets thousands of small records; gathering them into large writes keeps the
// conversion fast, and every write result is looked at so that a full disk
// is reported instead of leaving a short file behind. The writes are whole
// chunks at offsets that are multiples of their size, which the file system
// takes fastest (no partly written pages to complete).
#ifndef DGNBIN_PLATFORM_FILE_SINK_H_
#define DGNBIN_PLATFORM_FILE_SINK_H_

#include <stddef.h>

class FileSink {
 public:
  FileSink();
  ~FileSink();
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Creates (or empties) `path` for writing with the permission bits `mode`,
  // less the umask. False when it cannot be opened.
  bool create(const char* path, unsigned mode);
  bool isOpen() const { return fd_ >= 0; }
  // Appends `size` bytes (at most kCapacity) for the caller to write in
  // place, at the returned address, before the next call; null once any
  // write to the file has failed.
  unsigned char* reserve(size_t size) {
    if (used_ >= kChunk || failed_ || fd_ < 0 || size > kCapacity) return reserveAfterWrite(size);
    unsigned char* at = buffer_ + used_;
    used_ += size;
    return at;
  }
  // Writes out what is gathered; false when a write failed now or before.
  bool flush();
  // Flushes and closes; false when anything could not be written. Closing a
  // sink that is not open does nothing and succeeds.
  bool close();
  // The system's error number of the first failure (0 while none).
  int error() const { return error_; }

  static const size_t kCapacity = 1 << 16;

 private:
  static const size_t kChunk = 1 << 16;
  unsigned char* reserveAfterWrite(size_t size);
  int fd_;  // -1 while not open
  unsigned char* buffer_;
  size_t used_;
  bool failed_;
  int error_;
};

#endif  // DGNBIN_PLATFORM_FILE_SINK_H_
