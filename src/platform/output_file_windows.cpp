// On Windows the temporary file is a named file beside the target (not
// marked hidden: the mark would stay with the file it becomes),
// shared for deleting so that the console control handler can remove it
// while it is open; the commit moves it over the target. Another program
// holding the target open (a GIS showing the BIN file, a virus scanner)
// makes the move fail for a moment: it is tried again for up to a second.
#include <errno.h>
#include <fcntl.h>
#include <io.h>

#include "platform/interruption.h"
#include "platform/output_file.h"
#include "platform/windows_text.h"

namespace {

const int kAttempts = 100;
const DWORD kPatienceMilliseconds = 1000;
const DWORD kRetryMilliseconds = 50;

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash);
}

std::string temporaryName(const std::string& folder, const std::string& final, unsigned attempt) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  const size_t slash = final.find_last_of("/\\");
  std::string name = slash == std::string::npos ? final : final.substr(slash + 1);
  if (name.size() > 200) name.resize(200);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  unsigned long long seed = static_cast<unsigned long long>(now.QuadPart) * 2654435761u ^
                            static_cast<unsigned long long>(GetCurrentProcessId()) << 20 ^
                            attempt * 40503u;
  char suffix[7];
  for (int i = 0; i < 6; ++i, seed /= 36) suffix[i] = kLetters[seed % 36];
  suffix[6] = '\0';
  return folder + "\\." + name + "." + suffix + ".tmp";
}

// Whether another program has `path` open in a way that forbids replacing it.
bool heldByAnother(const std::wstring& path) {
  HANDLE probe = CreateFileW(path.c_str(), DELETE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

// Moves `from` over `to`; 0, or the error number.
int replace(const std::wstring& from, const std::wstring& to) {
  // Replaced like any file on POSIX, whose rename ignores the old file's
  // permissions.
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  const ULONGLONG started = GetTickCount64();
  for (;;) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    const DWORD error = GetLastError();
    const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                      (error == ERROR_ACCESS_DENIED && heldByAnother(to));
    if (!busy || GetTickCount64() - started >= kPatienceMilliseconds) {
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(to.c_str(), attributes);
      }
      return busy ? EBUSY : errnoOf(error);
    }
    Sleep(kRetryMilliseconds);
  }
}

}  // namespace

bool OutputFile::create(const char* finalPath, unsigned, bool) {
  discard();
  error_ = 0;
  final_ = finalPath;
  folder_ = folderOf(final_);
  const DWORD attributes = GetFileAttributesW(wideOf(finalPath).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error_ = EISDIR;
    return false;
  }
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string name = temporaryName(folder_, final_, static_cast<unsigned>(attempt));
    // Named before it exists, so that no interruption can leave it behind.
    slot_ = keepTemporaryName(name.c_str());
    HANDLE file = CreateFileW(wideOf(name.c_str()).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
      fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
      if (fd_ < 0) {
        CloseHandle(file);
        DeleteFileW(wideOf(name.c_str()).c_str());
        error_ = EMFILE;
        break;
      }
      temp_ = name;
      return true;
    }
    const DWORD error = GetLastError();
    error_ = errnoOf(error);
    forgetTemporaryName(slot_);
    slot_ = -1;
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return false;
}

bool OutputFile::commit() {
  if (fd_ < 0) {
    error_ = EBADF;
    return false;
  }
  const int closed = _close(fd_);
  fd_ = -1;
  const int moved = closed != 0 ? errno : replace(wideOf(temp_.c_str()), wideOf(final_.c_str()));
  if (moved != 0) {
    error_ = moved;
    discard();
    return false;
  }
  return committed();
}
