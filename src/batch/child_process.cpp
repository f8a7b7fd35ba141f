#include "batch/child_process.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

// Only async-signal-safe calls between fork and exec.
static void writeText(int fd, const char* text) { (void)!write(fd, text, strlen(text)); }

pid_t startProgram(const std::string& program, const std::vector<std::string>& args, int outFd,
                   int errFd) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(NULL);
  const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (devNull < 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    if (dup2(devNull, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(127);
    execv(program.c_str(), argv.data());
    const char* reason = strerror(errno);
    writeText(2, "No se puede ejecutar ");
    writeText(2, program.c_str());
    writeText(2, ": ");
    writeText(2, reason);
    writeText(2, "\n");
    _exit(127);
  }
  const int forkErrno = errno;
  close(devNull);
  errno = forkErrno;
  return pid;
}

int waitProgram(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

int openScratchFile() {
  const char* folder = getenv("TMPDIR");
  std::string name =
      std::string(folder != NULL && folder[0] != '\0' ? folder : "/tmp") + "/dgnbin-batch-XXXXXX";
  const int fd = mkostemp(&name[0], O_CLOEXEC);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

std::string readScratchFile(int fd) {
  std::string text;
  char buffer[4096];
  off_t at = 0;
  ssize_t n;
  while ((n = pread(fd, buffer, sizeof buffer, at)) > 0) {
    text.append(buffer, static_cast<size_t>(n));
    at += n;
  }
  return text;
}

std::string describeStatus(int status) {
  if (status >= 0 && WIFSIGNALED(status)) {
    return "terminado por la senal " + std::to_string(WTERMSIG(status));
  }
  return "estado de salida " + std::to_string(status >= 0 ? WEXITSTATUS(status) : -1);
}

double secondsNow() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}
