// What the Windows side of the platform layer shares: names between the
// program's UTF-8 and Windows' UTF-16, and Windows' errors as the C
// library's error numbers, which the messages know.
#ifndef DGNBIN_PLATFORM_WINDOWS_TEXT_H_
#define DGNBIN_PLATFORM_WINDOWS_TEXT_H_

#include <windows.h>

#include <string>

std::wstring wideOf(const char* utf8);
std::string utf8Of(const wchar_t* wide);
int errnoOf(DWORD error);

// The console's code page before the program set its own, for the console
// control handler to put back (0: unchanged).
void keepConsoleCodePage(unsigned codePage);

// Set when a stop request comes, for the waits of dgnbin-batch.
HANDLE stopRequestEvent();

#endif  // DGNBIN_PLATFORM_WINDOWS_TEXT_H_
