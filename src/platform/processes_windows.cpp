// The Windows side of child processes: CreateProcessW with a command line
// that the child's C runtime splits back into the same arguments, the
// output in delete-on-close files, and WaitForMultipleObjects, which waits
// for 64 handles at most: the children and the stop event.
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <algorithm>

#include "platform/processes.h"
#include "platform/stop_requests.h"
#include "platform/windows_text.h"

namespace {

const DWORD kEndedByControlC = 0xC000013A;

// One argument as the C runtime reads it back: in quotes when it has a
// blank or a quote; a quote preceded by a backslash; backslashes doubled
// before a quote and before the closing one.
template <typename Text>
void appendQuoted(Text& line, const Text& argument) {
  typedef typename Text::value_type Char;
  const Char quote = '"', backslash = '\\';
  if (!argument.empty() && argument.find_first_of(Text({' ', '\t', '\n', '\v', quote})) == Text::npos) {
    line += argument;
    return;
  }
  line += quote;
  for (size_t i = 0;; ++i) {
    size_t backslashes = 0;
    while (i < argument.size() && argument[i] == backslash) ++i, ++backslashes;
    if (i == argument.size()) {
      line.append(backslashes * 2, backslash);
      break;
    }
    line.append(argument[i] == quote ? backslashes * 2 + 1 : backslashes, backslash);
    line += argument[i];
  }
  line += quote;
}

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// Made inheritable only while the child starts: the program has one
// thread, so no other child inherits it by chance.
void inheritable(HANDLE handle, bool yes) {
  SetHandleInformation(handle, HANDLE_FLAG_INHERIT, yes ? HANDLE_FLAG_INHERIT : 0);
}

}  // namespace

ChildProcess startProgram(const std::string& program, const std::vector<std::string>& args,
                          int outFd, int errFd, int inFd) {
  std::wstring line;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) line += L' ';
    appendQuoted(line, wideOf(args[i].c_str()));
  }
  SECURITY_ATTRIBUTES security = {sizeof security, NULL, TRUE};
  HANDLE input = inFd >= 0 ? handleOf(inFd)
                           : CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &security, OPEN_EXISTING, 0, NULL);
  if (input == INVALID_HANDLE_VALUE) {
    errno = errnoOf(GetLastError());
    return kNoChild;
  }
  const HANDLE out = handleOf(outFd), err = handleOf(errFd);
  inheritable(out, true);
  inheritable(err, true);
  if (inFd >= 0) inheritable(input, true);
  STARTUPINFOW start;
  ZeroMemory(&start, sizeof start);
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = input;
  start.hStdOutput = out;
  start.hStdError = err;
  PROCESS_INFORMATION process;
  const BOOL started = CreateProcessW(wideOf(program.c_str()).c_str(), &line[0], NULL, NULL, TRUE,
                                      0, NULL, NULL, &start, &process);
  const DWORD error = GetLastError();
  inheritable(out, false);
  inheritable(err, false);
  if (inFd >= 0) {
    inheritable(input, false);
  } else {
    CloseHandle(input);
  }
  if (!started) {
    errno = errnoOf(error);
    return kNoChild;
  }
  CloseHandle(process.hThread);
  return reinterpret_cast<ChildProcess>(process.hProcess);
}

static int endStatus(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return static_cast<int>(code);
}

int waitProgram(ChildProcess child) {
  const HANDLE process = reinterpret_cast<HANDLE>(child);
  if (WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0) return -1;
  return endStatus(process);
}

int waitAnyProgram(const std::vector<ChildProcess>& children, int* status) {
  std::vector<HANDLE> handles;
  for (ChildProcess child : children) handles.push_back(reinterpret_cast<HANDLE>(child));
  // The stop event only until a request came: then the children end.
  const bool watchStop = stopRequest() == 0 && stopRequestEvent() != NULL;
  if (watchStop) handles.push_back(stopRequestEvent());
  const DWORD ended = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(),
                                             FALSE, INFINITE);
  if (ended >= WAIT_OBJECT_0 + children.size() && ended < WAIT_OBJECT_0 + handles.size()) return -2;
  if (ended < WAIT_OBJECT_0 || ended >= WAIT_OBJECT_0 + children.size()) {
    errno = errnoOf(GetLastError());
    return -1;
  }
  const size_t index = ended - WAIT_OBJECT_0;
  *status = endStatus(handles[index]);
  return static_cast<int>(index);
}

// Exit codes from 0xC0000000 are the system's: a crash, or Ctrl-C.
bool endedWell(int status) { return status == 0; }

bool endedAbnormally(int status) { return static_cast<DWORD>(status) >= 0xC0000000; }

std::string describeStatus(int status) {
  if (static_cast<DWORD>(status) == kEndedByControlC) return "interrumpido con Ctrl-C";
  if (endedAbnormally(status)) {
    char code[16];
    snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(static_cast<DWORD>(status)));
    return std::string("terminado por la excepcion ") + code;
  }
  return "estado de salida " + std::to_string(status);
}

int openScratchFile() {
  wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"dgb", 0, name) == 0) {
    errno = errnoOf(GetLastError());
    return -1;
  }
  HANDLE file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                            NULL);
  if (file == INVALID_HANDLE_VALUE) {
    errno = errnoOf(GetLastError());
    DeleteFileW(name);
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
  if (fd < 0) CloseHandle(file);
  return fd;
}

std::string readScratchFile(int fd) {
  // The child wrote through a copy of the handle, which moved the shared
  // position: read from the start.
  std::string text;
  HANDLE file = handleOf(fd);
  LARGE_INTEGER start = {};
  if (!SetFilePointerEx(file, start, NULL, FILE_BEGIN)) return text;
  char buffer[4096];
  DWORD got;
  while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0) text.append(buffer, got);
  return text;
}

bool fillScratchFile(int fd, const std::string& text) {
  HANDLE file = handleOf(fd);
  for (size_t done = 0; done < text.size();) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
    if (!WriteFile(file, text.data() + done, chunk, &wrote, NULL)) {
      errno = errnoOf(GetLastError());
      return false;
    }
    done += wrote;
  }
  LARGE_INTEGER start = {};
  if (SetFilePointerEx(file, start, NULL, FILE_BEGIN)) return true;
  errno = errnoOf(GetLastError());
  return false;
}

// Handles have no limit a batch can reach; the C runtime's descriptors,
// two per conversion, stop at 2048 by default.
int mostOpenFiles() { return 2048; }

int processorCount() {
  DWORD_PTR process = 0, system = 0;
  if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0) {
    int count = 0;
    for (; process != 0; process &= process - 1) ++count;
    return count;
  }
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}

int mostChildrenAtOnce() { return MAXIMUM_WAIT_OBJECTS - 1; }

std::string ownFolder() {
  std::wstring path(1024, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(NULL, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? "" : utf8Of(path.substr(0, slash).c_str());
}

std::string programInFolder(const std::string& folder, const std::string& name) {
  const std::string path = folder + "\\" + name + ".exe";
  const DWORD attributes = GetFileAttributesW(wideOf(path.c_str()).c_str());
  const bool runs =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  return runs ? path : "";
}

char pathListSeparator() { return ';'; }

// cmd.exe passes the command line as it is typed, and the program's C
// runtime splits it: the quoting that startProgram uses.
std::string argumentForShell(const std::string& argument) {
  std::string quoted;
  appendQuoted(quoted, argument);
  return quoted;
}
