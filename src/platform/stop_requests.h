// Stop requests to a program that runs others (dgnbin-batch): SIGINT,
// SIGTERM and SIGHUP on POSIX; Ctrl-C, Ctrl-Break and the closing of the
// console window on Windows. The one state of the process kept outside the
// objects that use it: a signal handler can reach nothing else.
#ifndef DGNBIN_PLATFORM_STOP_REQUESTS_H_
#define DGNBIN_PLATFORM_STOP_REQUESTS_H_

// From here on a request is recorded instead of ending the program, passed
// on to the children of startProgram still running (on Windows they share
// the console and receive it themselves), and ends the waits of
// processes.h. A request the program was started to ignore stays ignored.
void catchStopRequests();

// The request that came (the signal's number), 0 while none did.
int stopRequest();

// Ends the program as the request would have ended it uncaught, so that
// whoever started it (a shell loop) sees it stopped and stops too.
[[noreturn]] void endByStopRequest(int request);

#endif  // DGNBIN_PLATFORM_STOP_REQUESTS_H_
