// Why a call on the system failed, in Spanish like the program's messages.
#ifndef DGNBIN_PLATFORM_SYSTEM_REASON_H_
#define DGNBIN_PLATFORM_SYSTEM_REASON_H_

// The reason for the error number `errnum` (Windows' own errors are turned
// into these numbers where the platform layer meets them).
const char* systemReason(int errnum);

#endif  // DGNBIN_PLATFORM_SYSTEM_REASON_H_
