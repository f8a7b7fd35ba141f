// Buffered, checked output to a file that replaces the file of its name
// only when committed. The BIN file gets thousands of small records;
// gathering them into large writes keeps the conversion fast, and every
// write result is looked at so that a full disk is reported instead of
// leaving a short file behind. The writes are whole chunks at offsets that
// are multiples of their size, which the file system takes fastest (no
// partly written pages to complete).
#ifndef DGNBIN_PLATFORM_FILE_SINK_H_
#define DGNBIN_PLATFORM_FILE_SINK_H_

#include <stddef.h>

#include "platform/output_file.h"

class FileSink {
 public:
  FileSink();
  ~FileSink();
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Starts the file that will replace `path`, with the permission bits
  // `mode` less the umask. False when it cannot be made (see OutputFile).
  bool create(const char* path, unsigned mode, bool unnamed = true);
  bool isOpen() const { return file_.isOpen(); }
  // Appends `size` bytes (at most kCapacity) for the caller to write in
  // place, at the returned address, before the next call; null once any
  // write to the file has failed.
  unsigned char* reserve(size_t size) {
    if (used_ >= kChunk || failed_ || !file_.isOpen() || size > kCapacity) {
      return reserveAfterWrite(size);
    }
    unsigned char* at = buffer_ + used_;
    used_ += size;
    return at;
  }
  // Appends any number of bytes; false once a write has failed.
  bool append(const void* data, size_t size);
  // Appends text as a text-mode stream stores it: every line feed as CR LF.
  bool appendTextMode(const char* text, size_t size);
  // Writes out what is gathered; false when a write failed now or before.
  bool flush();
  // Flushes and puts the file under its name; false when anything could not
  // be written or the file could not replace the old one, which then stays.
  bool commit();
  // Drops the file; the old one stays.
  void discard();
  // The system's error number of the first failure (0 while none).
  int error() const { return error_; }
  const OutputFile& file() const { return file_; }

  static const size_t kCapacity = 1 << 16;

 private:
  static const size_t kChunk = 1 << 16;
  unsigned char* reserveAfterWrite(size_t size);
  OutputFile file_;
  unsigned char* buffer_;
  size_t used_;
  bool failed_;
  int error_;
};

#endif  // DGNBIN_PLATFORM_FILE_SINK_H_
