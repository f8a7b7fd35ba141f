// Starting the programs a batch runs, with their output where the batch
// wants it, and reading back what they wrote.
#ifndef DGNBIN_BATCH_CHILD_PROCESS_H_
#define DGNBIN_BATCH_CHILD_PROCESS_H_

#include <sys/types.h>

#include <string>
#include <vector>

// Starts `program` with `args` (args[0] is its name), in the current
// folder, standard input from /dev/null, standard output on `outFd` and
// standard error on `errFd`. Returns its process id, or -1 when it could
// not be started (errno says why). A program that exists but cannot be
// executed ends with status 127 and the reason on `errFd`.
pid_t startProgram(const std::string& program, const std::vector<std::string>& args, int outFd,
                   int errFd);

// Waits for that process to end; its wait status, or -1.
int waitProgram(pid_t pid);

// A file without a name in the temporary folder, to capture output in: it
// never fills up as a pipe would, and nothing is left behind. -1 on failure.
int openScratchFile();

// Everything written to the scratch file so far.
std::string readScratchFile(int fd);

// Seconds on a clock that only moves forward, to time the programs.
double secondsNow();

// "estado de salida N" or "terminado por la senal N", for a wait status.
std::string describeStatus(int status);

#endif  // DGNBIN_BATCH_CHILD_PROCESS_H_
