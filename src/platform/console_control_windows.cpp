// Ctrl-C, Ctrl-Break and the closing of the console window on Windows, as
// the POSIX side handles SIGINT, SIGTERM and SIGHUP. Windows runs the
// handler on a thread of its own while the program goes on: one lock
// orders it with the commit of the outputs, which holds the lock to the
// exit, and with the names of the temporary files it removes.
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include "platform/interruption.h"
#include "platform/stop_requests.h"
#include "platform/windows_text.h"

namespace {

const int kSlots = 8;
const int kLongestName = 32768;  // a long path's most UTF-16 units
// How a process ended by Ctrl-C ends, as cmd.exe and a parent see it.
const UINT kEndedByControlC = 0xC000013A;

// Console control state: reached from the handler.
SRWLOCK lock = SRWLOCK_INIT;
wchar_t temporaryNames[kSlots][kLongestName];
bool slotInUse[kSlots];
char interruptedMessage[256];
DWORD interruptedLength;
bool removesTemporaryFiles;  // handleInterruptions was called
volatile LONG requested;     // the stop request of dgnbin-batch
HANDLE stopEvent;
volatile LONG previousCodePage;
DWORD holder;  // the thread that holds the lock to the exit, 0 while none

// The names are changed under the lock, unless this thread holds it for good.
void lockNames() {
  if (holder != GetCurrentThreadId()) AcquireSRWLockExclusive(&lock);
}
void unlockNames() {
  if (holder != GetCurrentThreadId()) ReleaseSRWLockExclusive(&lock);
}

int signalOf(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? SIGINT : SIGTERM;
}

void restoreCodePage() {
  const UINT codePage = static_cast<UINT>(InterlockedExchange(&previousCodePage, 0));
  if (codePage != 0) SetConsoleOutputCP(codePage);
}

BOOL WINAPI onConsoleControl(DWORD event) {
  if (!removesTemporaryFiles) {
    // dgnbin-batch: its main thread ends the conversions and the program.
    InterlockedCompareExchange(&requested, signalOf(event), 0);
    SetEvent(stopEvent);
    // Closing the window ends the process when the handler returns.
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(INFINITE);
    return TRUE;
  }
  // Waits here for good once the outputs are being put in place.
  AcquireSRWLockExclusive(&lock);
  for (int i = 0; i < kSlots; ++i) {
    if (slotInUse[i]) DeleteFileW(temporaryNames[i]);
  }
  DWORD written;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), interruptedMessage, interruptedLength, &written, NULL);
  restoreCodePage();
  ExitProcess(kEndedByControlC);
}

void installHandler() {
  if (stopEvent == NULL) stopEvent = CreateEventW(NULL, TRUE, FALSE, NULL);
  SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

}  // namespace

void keepConsoleCodePage(unsigned codePage) {
  InterlockedExchange(&previousCodePage, static_cast<LONG>(codePage));
}

HANDLE stopRequestEvent() { return stopEvent; }

void handleInterruptions(const char* message) {
  size_t length = strlen(message);
  if (length >= sizeof interruptedMessage) length = sizeof interruptedMessage - 1;
  // The console shows the message's line end as Windows writes it.
  size_t out = 0;
  for (size_t i = 0; i < length && out + 2 < sizeof interruptedMessage; ++i) {
    if (message[i] == '\n') interruptedMessage[out++] = '\r';
    interruptedMessage[out++] = message[i];
  }
  interruptedLength = static_cast<DWORD>(out);
  removesTemporaryFiles = true;
  installHandler();
}

int keepTemporaryName(const char* path) {
  const std::wstring wide = wideOf(path);
  if (wide.size() >= static_cast<size_t>(kLongestName)) return -1;
  lockNames();
  int slot = -1;
  for (int i = 0; i < kSlots && slot < 0; ++i) {
    if (slotInUse[i]) continue;
    wmemcpy(temporaryNames[i], wide.c_str(), wide.size() + 1);
    slotInUse[i] = true;
    slot = i;
  }
  unlockNames();
  return slot;
}

void forgetTemporaryName(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  lockNames();
  slotInUse[slot] = false;
  unlockNames();
}

void holdInterruptions() {
  if (holder == GetCurrentThreadId()) return;
  AcquireSRWLockExclusive(&lock);
  holder = GetCurrentThreadId();
}

void catchStopRequests() { installHandler(); }

int stopRequest() { return static_cast<int>(requested); }

void endByStopRequest(int) {
  fflush(stdout);
  fflush(stderr);
  restoreCodePage();
  ExitProcess(kEndedByControlC);
}
