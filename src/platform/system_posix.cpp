// The POSIX side of the platform layer: files, the console and the clock.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/platform.h"
#include "platform/program_start.h"

int openFileForReading(const char* name) { return open(name, O_RDONLY | O_CLOEXEC); }

FILE* openStreamForReading(const char* name) {
  const int fd = openFileForReading(name);
  if (fd < 0) return NULL;
  FILE* stream = fdopen(fd, "rb");
  if (stream == NULL) {
    const int reason = errno;
    close(fd);
    errno = reason;
  }
  return stream;
}

bool removeFile(const char* name) { return unlink(name) == 0; }

bool isFolder(const char* name) {
  struct stat st;
  return stat(name, &st) == 0 && S_ISDIR(st.st_mode);
}

std::string nameInMessages(const std::string& name) { return name; }

std::string nameAsCompared(const std::string& name) { return name; }

void pauseMilliseconds(int milliseconds) {
  struct timespec wait;
  wait.tv_sec = milliseconds / 1000;
  wait.tv_nsec = (milliseconds % 1000) * 1000000L;
  while (nanosleep(&wait, &wait) != 0) {
  }
}

double secondsNow() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

bool isTerminal(int fd) { return isatty(fd) != 0; }

ProgramStart::ProgramStart(int*, char***) : previousCodePage_(0) {}

ProgramStart::~ProgramStart() {}
