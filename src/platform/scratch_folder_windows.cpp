// Windows opens names without regard to case, so the batch seldom needs a
// link here; a symbolic link needs developer mode or the privilege, so a
// hard link (same volume) is tried when it is refused.
#include <errno.h>

#include "platform/scratch_folder.h"
#include "platform/windows_text.h"

std::string makeScratchFolder() {
  wchar_t folder[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0) {
    errno = errnoOf(GetLastError());
    return "";
  }
  const unsigned long long seed = GetTickCount64() ^ (GetCurrentProcessId() * 2654435761ull);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    // Digits by hand: the C runtime's wide printing is not linked in.
    std::wstring name = std::wstring(folder) + L"dgnbin-batch-";
    for (unsigned long long n = seed + attempt * 40503u, i = 0; i < 12; ++i, n /= 10) {
      name += static_cast<wchar_t>(L'0' + n % 10);
    }
    if (CreateDirectoryW(name.c_str(), NULL)) return utf8Of(name.c_str());
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  errno = errnoOf(GetLastError());
  return "";
}

bool linkToFile(const std::string& target, const std::string& link) {
  const std::wstring to = wideOf(target.c_str()), name = wideOf(link.c_str());
  const DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  if (CreateSymbolicLinkW(name.c_str(), to.c_str(), kUnprivileged)) return true;
  if (CreateHardLinkW(name.c_str(), to.c_str(), NULL)) return true;
  errno = errnoOf(GetLastError());
  return false;
}
