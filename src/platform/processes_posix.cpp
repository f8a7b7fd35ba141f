// The POSIX side of child processes and stop requests. The handler passes
// a request on to the running children itself, so that none is missed
// between a wait and the next start; the signals are blocked while a child
// is started and recorded.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <sched.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/processes.h"
#include "platform/stop_requests.h"

namespace {

const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
const int kMostChildren = 1025;  // the batch's most jobs and kelobin

// Signal handling state: reached from the handler.
volatile sig_atomic_t requested = 0;
volatile pid_t children[kMostChildren];

void onStopSignal(int signal) {
  if (requested == 0) requested = signal;
  const int saved = errno;
  for (int i = 0; i < kMostChildren; ++i) {
    if (children[i] > 0) kill(children[i], signal);
  }
  errno = saved;
}

sigset_t stopSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kStopSignals) sigaddset(&set, signal);
  return set;
}

void forgetChild(pid_t pid) {
  const sigset_t set = stopSignalSet();
  sigset_t previous;
  sigprocmask(SIG_BLOCK, &set, &previous);
  for (int i = 0; i < kMostChildren; ++i) {
    if (children[i] == pid) children[i] = 0;
  }
  sigprocmask(SIG_SETMASK, &previous, NULL);
}

// Only async-signal-safe calls between fork and exec.
void writeText(int fd, const char* text) { (void)!write(fd, text, strlen(text)); }

}  // namespace

void catchStopRequests() {
  struct sigaction action;
  memset(&action, 0, sizeof action);
  action.sa_handler = onStopSignal;
  action.sa_mask = stopSignalSet();
  action.sa_flags = 0;  // no restart: a request ends the wait for children
  for (int signal : kStopSignals) {
    struct sigaction previous;
    if (sigaction(signal, NULL, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, NULL);
  }
}

int stopRequest() { return requested; }

void endByStopRequest(int request) {
  signal(request, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, request);
  sigprocmask(SIG_UNBLOCK, &set, NULL);
  raise(request);
  _exit(128 + request);
}

ChildProcess startProgram(const std::string& program, const std::vector<std::string>& args,
                          int outFd, int errFd, int inFd) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(NULL);
  const int devNull = inFd >= 0 ? -1 : open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (inFd < 0 && devNull < 0) return kNoChild;
  const int input = inFd >= 0 ? inFd : devNull;
  const sigset_t set = stopSignalSet();
  sigset_t previous;
  sigprocmask(SIG_BLOCK, &set, &previous);
  const pid_t pid = fork();
  if (pid == 0) {
    // The child takes the signals' usual actions; exec resets the handler.
    sigprocmask(SIG_SETMASK, &previous, NULL);
    if (dup2(input, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(127);
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
  if (pid > 0) {
    for (int i = 0; i < kMostChildren; ++i) {
      if (children[i] == 0) {
        children[i] = pid;
        break;
      }
    }
  }
  sigprocmask(SIG_SETMASK, &previous, NULL);
  if (devNull >= 0) close(devNull);
  errno = forkErrno;
  return pid > 0 ? pid : kNoChild;
}

int waitProgram(ChildProcess child) {
  int status = 0;
  while (waitpid(static_cast<pid_t>(child), &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  forgetChild(static_cast<pid_t>(child));
  return status;
}

int waitAnyProgram(const std::vector<ChildProcess>& running, int* status) {
  for (;;) {
    const pid_t pid = waitpid(-1, status, 0);
    if (pid < 0) return errno == EINTR ? -2 : -1;
    forgetChild(pid);
    for (size_t i = 0; i < running.size(); ++i) {
      if (running[i] == pid) return static_cast<int>(i);
    }
  }
}

bool endedWell(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

bool endedAbnormally(int status) { return status >= 0 && WIFSIGNALED(status); }

std::string describeStatus(int status) {
  if (endedAbnormally(status)) return "terminado por la senal " + std::to_string(WTERMSIG(status));
  return "estado de salida " + std::to_string(status >= 0 ? WEXITSTATUS(status) : -1);
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

bool fillScratchFile(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<size_t>(n);
  }
  return lseek(fd, 0, SEEK_SET) == 0;
}

int mostOpenFiles() {
  struct rlimit limit;
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return INT_MAX;
  return limit.rlim_cur > INT_MAX ? INT_MAX : static_cast<int>(limit.rlim_cur);
}

int processorCount() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
  const long n = sysconf(_SC_NPROCESSORS_ONLN);
  return n > 0 ? static_cast<int>(n) : 1;
}

int mostChildrenAtOnce() { return kMostChildren - 1; }

std::string ownFolder() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  const std::string self(buffer, static_cast<size_t>(n));
  return self.substr(0, self.rfind('/'));
}

std::string programInFolder(const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name;
  struct stat st;
  const bool runs =
      stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
  return runs ? path : "";
}

char pathListSeparator() { return ':'; }

// In single quotes, where a shell takes every byte as it is but the single
// quote itself.
std::string argumentForShell(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
