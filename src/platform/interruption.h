// What an interrupted run leaves: no temporary file of its own, and a
// parent that sees the process ended by the signal it was sent, so that a
// shell loop over many drawings stops at the first Ctrl-C.
#ifndef DGNBIN_PLATFORM_INTERRUPTION_H_
#define DGNBIN_PLATFORM_INTERRUPTION_H_

// From now on Ctrl-C, SIGTERM and SIGHUP remove the temporary files named
// below, write `message` (one line, kept as given) to standard error and end
// the process by the same signal. A file-size limit no longer kills the
// process: the write that passes it fails like any other.
void handleInterruptions(const char* message);

// Names the handler removes, copied now, when nothing may be allocated any
// more. Returns the slot to forget, or -1 when no slot is free or the name
// is too long to keep (no file of such a name can be created).
int keepTemporaryName(const char* path);
void forgetTemporaryName(int slot);

// From here to the exit an interruption waits: the outputs are being put in
// place, and either both or neither must be.
void holdInterruptions();

#endif  // DGNBIN_PLATFORM_INTERRUPTION_H_
