#include <limits.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include "platform/interruption.h"

namespace {

const int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};
const int kSlots = 8;

// The handler may only read what was prepared before: fixed buffers, and a
// flag per slot set after its name is complete.
char temporaryNames[kSlots][PATH_MAX];
volatile sig_atomic_t slotInUse[kSlots];
char interruptedMessage[256];
size_t interruptedLength;

void onInterruption(int signal) {
  for (int i = 0; i < kSlots; ++i) {
    if (slotInUse[i]) unlink(temporaryNames[i]);
  }
  ssize_t written = write(STDERR_FILENO, interruptedMessage, interruptedLength);
  (void)written;
  // Ended by the signal itself, not by an exit status that imitates it.
  struct sigaction byDefault;
  memset(&byDefault, 0, sizeof byDefault);
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(signal, &byDefault, nullptr);
  raise(signal);
}

}  // namespace

void handleInterruptions(const char* message) {
  size_t length = strlen(message);
  if (length >= sizeof interruptedMessage) length = sizeof interruptedMessage - 1;
  memcpy(interruptedMessage, message, length);
  interruptedLength = length;
  struct sigaction action;
  memset(&action, 0, sizeof action);
  action.sa_handler = onInterruption;
  sigemptyset(&action.sa_mask);
  // One handler at a time: a second signal waits for the first to finish.
  for (int s : kInterruptions) sigaddset(&action.sa_mask, s);
  for (int s : kInterruptions) {
    // A signal ignored by whoever started us (nohup, a background job)
    // stays ignored.
    struct sigaction before;
    if (sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(s, &action, nullptr);
  }
  signal(SIGXFSZ, SIG_IGN);
}

int keepTemporaryName(const char* path) {
  size_t length = strlen(path);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slotInUse[i]) continue;
    memcpy(temporaryNames[i], path, length + 1);
    __atomic_signal_fence(__ATOMIC_SEQ_CST);
    slotInUse[i] = 1;
    return i;
  }
  return -1;
}

void forgetTemporaryName(int slot) {
  if (slot >= 0 && slot < kSlots) slotInUse[slot] = 0;
}

void holdInterruptions() {
  sigset_t held;
  sigemptyset(&held);
  for (int s : kInterruptions) sigaddset(&held, s);
  sigprocmask(SIG_BLOCK, &held, nullptr);
}
