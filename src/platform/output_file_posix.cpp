// On Linux the temporary file has no name at all where the folder's file
// system allows it: a run killed by any means leaves nothing behind. It gets
// one only at the commit, through /proc (linking an unnamed file by its
// descriptor alone needs a capability ordinary users lack). Elsewhere (vfat
// and exfat sticks, network shares, no /proc) it is a hidden named file
// beside the target.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/interruption.h"
#include "platform/output_file.h"

namespace {

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// ".NAME.XXXXXX.tmp" beside the target. A very long NAME is cut so that
// the temporary name fits wherever the final one does.
std::string temporaryName(const std::string& folder, const std::string& final) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static unsigned counter = 0;
  size_t slash = final.rfind('/');
  std::string name = slash == std::string::npos ? final : final.substr(slash + 1);
  if (name.size() > 200) name.resize(200);
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  unsigned long long seed = static_cast<unsigned long long>(now.tv_nsec) * 2654435761u ^
                            static_cast<unsigned long long>(getpid()) << 20 ^ ++counter * 40503u;
  char suffix[7];
  for (int i = 0; i < 6; ++i, seed /= 62) suffix[i] = kLetters[seed % 62];
  suffix[6] = '\0';
  return (folder == "/" ? "" : folder) + "/." + name + "." + suffix + ".tmp";
}

std::string descriptorPath(int fd) {
  char path[48];
  snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  return path;
}

// Whether the unnamed file can be given a name at the commit.
bool descriptorReachable(int fd) {
  struct stat byPath, byDescriptor;
  return stat(descriptorPath(fd).c_str(), &byPath) == 0 && fstat(fd, &byDescriptor) == 0 &&
         byPath.st_dev == byDescriptor.st_dev && byPath.st_ino == byDescriptor.st_ino;
}

const int kAttempts = 100;

}  // namespace

OutputFile::OutputFile() : fd_(-1), slot_(-1), error_(0) {}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::create(const char* finalPath, unsigned mode, bool unnamed) {
  discard();
  error_ = 0;
  final_ = finalPath;
  folder_ = folderOf(final_);
  struct stat existing;
  if (stat(finalPath, &existing) == 0 && S_ISDIR(existing.st_mode)) {
    error_ = EISDIR;
    return false;
  }
#ifdef O_TMPFILE
  if (unnamed) {
    fd_ = open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd_ >= 0 && descriptorReachable(fd_)) return true;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
#endif
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = temporaryName(folder_, final_);
    // Named before it exists, so that no interruption can leave it behind.
    slot_ = keepTemporaryName(name.c_str());
    fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ >= 0) {
      temp_ = name;
      return true;
    }
    error_ = errno;
    forgetTemporaryName(slot_);
    slot_ = -1;
    if (error_ != EEXIST) break;
  }
  return false;
}

bool OutputFile::commit() {
  if (fd_ < 0) {
    error_ = EBADF;
    return false;
  }
  if (temp_.empty()) {
    const std::string byDescriptor = descriptorPath(fd_);
    for (int attempt = 0; attempt < kAttempts && temp_.empty(); ++attempt) {
      std::string name = temporaryName(folder_, final_);
      if (linkat(AT_FDCWD, byDescriptor.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temp_ = name;
      } else if (errno != EEXIST) {
        break;
      }
    }
    if (temp_.empty()) {
      error_ = errno;
      discard();
      return false;
    }
  }
  // A close that fails (a network share reporting a late write error) means
  // the file may not hold what was written: it must not replace anything.
  int closed = close(fd_);
  fd_ = -1;
  if (closed != 0 || rename(temp_.c_str(), final_.c_str()) != 0) {
    error_ = errno;
    discard();
    return false;
  }
  temp_.clear();
  forgetTemporaryName(slot_);
  slot_ = -1;
  return true;
}

void OutputFile::discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
  forgetTemporaryName(slot_);
  slot_ = -1;
}
