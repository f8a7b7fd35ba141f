// Files by name, the same way on both systems: always in binary mode, a
// file being read left open to other programs (the CAD program may hold the
// design file, a viewer the BIN file). On Windows a name is UTF-8, from the
// wide command line, so that every name a user can type opens; on POSIX it
// is the name's bytes.
#ifndef DGNBIN_PLATFORM_FILES_H_
#define DGNBIN_PLATFORM_FILES_H_

#include <stdio.h>

#include <string>

// A descriptor for reading `name`, or -1 with errno set. A folder opens
// on both systems, and reading it fails.
int openFileForReading(const char* name);

// A descriptor of `name` created or emptied for writing, with the
// permission bits `mode` less the umask where the system has them; -1 with
// errno set.
int createFile(const char* name, unsigned mode);

// The same as streams.
FILE* openStreamForReading(const char* name);
FILE* createStream(const char* name, unsigned mode);

// Removes the file `name`; false with errno set.
bool removeFile(const char* name);

// True when `name` is a folder.
bool isFolder(const char* name);

// `name` as messages show it: its bytes on POSIX; on Windows in code page
// 1252, the console's and the error file's, with '?' for letters it lacks.
std::string nameInMessages(const std::string& name);

#endif  // DGNBIN_PLATFORM_FILES_H_
