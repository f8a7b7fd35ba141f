// The Windows side of the platform layer: files, the console and the clock.
#include <errno.h>
#include <fcntl.h>
#include <io.h>

#include "platform/files.h"
#include "platform/platform.h"
#include "platform/program_start.h"
#include "platform/windows_text.h"

std::wstring wideOf(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

std::string utf8Of(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, NULL, 0, NULL, NULL);
  if (length <= 0) return std::string();
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], length, NULL, NULL);
  utf8.resize(static_cast<size_t>(length) - 1);
  return utf8;
}

int errnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    default:
      return EIO;
  }
}

int openFileForReading(const char* name) {
  // Shared for reading, writing and deleting: the CAD program may hold the
  // design file open. A folder opens too, and reading it fails, as on POSIX.
  HANDLE handle = CreateFileW(wideOf(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = errnoOf(GetLastError());
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    errno = EMFILE;
  }
  return fd;
}

FILE* openStreamForReading(const char* name) {
  const int fd = openFileForReading(name);
  if (fd < 0) return NULL;
  FILE* stream = _fdopen(fd, "rb");
  if (stream == NULL) _close(fd);
  return stream;
}

bool removeFile(const char* name) {
  if (DeleteFileW(wideOf(name).c_str())) return true;
  errno = errnoOf(GetLastError());
  return false;
}

bool isFolder(const char* name) {
  const DWORD attributes = GetFileAttributesW(wideOf(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string nameInMessages(const std::string& name) {
  const std::wstring wide = wideOf(name.c_str());
  const int length = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, NULL, 0,
                                         "?", NULL);
  if (length <= 0) return name;
  std::string shown(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, &shown[0], length, "?", NULL);
  shown.resize(static_cast<size_t>(length) - 1);
  return shown;
}

std::string nameAsCompared(const std::string& name) {
  std::wstring wide = wideOf(name.c_str());
  if (!wide.empty()) CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
  return utf8Of(wide.c_str());
}

void pauseMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

double secondsNow() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool isTerminal(int fd) {
  DWORD mode;
  return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
}

// The C runtime's own splitting of the wide command line, the one that
// gives the narrow arguments too, so that quotes work as they always have.
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** environment, int wildcards,
                              int* startInfo);

ProgramStart::ProgramStart(int* argc, char*** argv) : previousCodePage_(0) {
  int count = 0, startInfo = 0;
  wchar_t** wideArguments = NULL;
  wchar_t** environment = NULL;
  if (__wgetmainargs(&count, &wideArguments, &environment, 0, &startInfo) >= 0 &&
      wideArguments != NULL) {
    for (int i = 0; i < count; ++i) arguments_.push_back(utf8Of(wideArguments[i]));
    for (std::string& argument : arguments_) pointers_.push_back(&argument[0]);
    pointers_.push_back(NULL);
    *argc = count;
    *argv = pointers_.data();
  }
  if (isTerminal(1)) {
    const UINT current = GetConsoleOutputCP();
    if (current != 1252 && SetConsoleOutputCP(1252)) {
      previousCodePage_ = current;
      keepConsoleCodePage(current);
    }
  }
}

ProgramStart::~ProgramStart() {
  if (previousCodePage_ == 0) return;
  fflush(stdout);
  fflush(stderr);
  SetConsoleOutputCP(previousCodePage_);
  keepConsoleCodePage(0);
}
