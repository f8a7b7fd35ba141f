// The programs that dgnbin-batch runs: started with their output where it
// wants it, waited for, and told apart by how they ended.
#ifndef DGNBIN_PLATFORM_PROCESSES_H_
#define DGNBIN_PLATFORM_PROCESSES_H_

#include <stdint.h>

#include <string>
#include <vector>

// A started program: its process id on POSIX, its handle on Windows.
typedef intptr_t ChildProcess;
const ChildProcess kNoChild = -1;

// Starts `program` with `args` (args[0] is its name), in the current
// folder, standard input from the descriptor `inFd` (empty when -1),
// standard output on `outFd` and standard error on `errFd`. kNoChild with
// errno set when it could not be started. A program that exists but cannot
// run ends with status 127 and the reason on `errFd`.
ChildProcess startProgram(const std::string& program, const std::vector<std::string>& args,
                          int outFd, int errFd, int inFd = -1);

// Waits for `child` to end, through stop requests; its end status, or -1.
int waitProgram(ChildProcess child);

// Waits for any of `children` to end: its index, with its end status in
// `*status`; -2 when a stop request came first (stop_requests.h); -1 when
// the system could not wait (errno set).
int waitAnyProgram(const std::vector<ChildProcess>& children, int* status);

// An end status: exit 0; killed by a signal or, on Windows, ended by an
// exception or Ctrl-C; and in words ("estado de salida N", "terminado por
// la senal N").
bool endedWell(int status);
bool endedAbnormally(int status);
std::string describeStatus(int status);

// `argument` as the system's usual shell (a POSIX shell; cmd.exe) must be
// given it for a program to receive it unchanged.
std::string argumentForShell(const std::string& argument);

// A file without a name in the temporary folder, to capture output in: it
// never fills up as a pipe would, and nothing is left behind. -1 on failure.
int openScratchFile();

// Everything written to the scratch file so far.
std::string readScratchFile(int fd);

// Writes `text` to the scratch file and goes back to its start, for a child
// to read it as its standard input; false with errno set.
bool fillScratchFile(int fd, const std::string& text);

// How many files this program may have open at once.
int mostOpenFiles();

// How many processors this program may run on.
int processorCount();

// The most children the system lets a program wait for at once.
int mostChildrenAtOnce();

// The folder of this program's own file, empty when unknown.
std::string ownFolder();

// The file of the program `name` in `folder` ("name.exe" on Windows) when
// there is one that can run, else the empty string.
std::string programInFolder(const std::string& folder, const std::string& name);

// What separates the folders of PATH.
char pathListSeparator();

#endif  // DGNBIN_PLATFORM_PROCESSES_H_
