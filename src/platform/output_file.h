// An output that replaces the file of its name whole, or not at all. A run
// writes into a temporary file beside the final name; only the commit puts it
// under that name. A run that fails, is interrupted or is killed leaves the
// previous file as it was, and a reader never sees half a file.
#ifndef DGNBIN_PLATFORM_OUTPUT_FILE_H_
#define DGNBIN_PLATFORM_OUTPUT_FILE_H_

#include <string>

class OutputFile {
 public:
  OutputFile();
  // Discards what was not committed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Makes the temporary file in the folder of `finalPath`, with the
  // permission bits `mode` less the umask. False, with the reason in
  // error(), when `finalPath` is a folder or its folder takes no new file.
  // `unnamed`: where the file system allows it, the temporary file has no
  // name until the commit.
  bool create(const char* finalPath, unsigned mode, bool unnamed = true);
  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // Closes the file and puts it under its final name, replacing what stood
  // there (a symbolic link included, not what it points at). False, with
  // the reason in error(), when that is refused; the temporary file is then
  // removed and the previous file stays.
  bool commit();
  // Removes the temporary file; the file of the final name stays as it was.
  void discard();
  int error() const { return error_; }
  // Whether the temporary file has a name of its own (the folder's file
  // system takes no unnamed files), which an interruption must remove.
  bool isNamed() const { return !temp_.empty(); }

 private:
  int fd_;    // -1 while not open
  int slot_;  // of the named temporary file among those an interruption removes
  std::string final_;
  std::string folder_;
  std::string temp_;  // the named temporary file; empty while the file has no name
  int error_;
};

#endif  // DGNBIN_PLATFORM_OUTPUT_FILE_H_
