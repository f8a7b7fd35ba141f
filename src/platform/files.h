// Files by name, the same way on both systems: in binary mode, and left
// open to other programs while read (the CAD program may hold the design
// file). Outputs are made by output_file.h. On Windows a name is UTF-8, from the
// wide command line, so that every name a user can type opens; on POSIX it
// is the name's bytes.
#ifndef DGNBIN_PLATFORM_FILES_H_
#define DGNBIN_PLATFORM_FILES_H_

#include <stdio.h>

#include <string>

// A descriptor for reading `name`, or -1 with errno set. A folder opens
// on both systems, and reading it fails.
int openFileForReading(const char* name);

// The same as a stream.
FILE* openStreamForReading(const char* name);

// Removes the file `name`; false with errno set.
bool removeFile(const char* name);

// True when `name` is a folder.
bool isFolder(const char* name);

// `name` as the file system compares names: its bytes on POSIX; on Windows
// in upper case, as NTFS matches them.
std::string nameAsCompared(const std::string& name);

// `name` as messages show it: its bytes on POSIX; on Windows in code page
// 1252, the console's and the error file's, with '?' for letters it lacks.
std::string nameInMessages(const std::string& name);

#endif  // DGNBIN_PLATFORM_FILES_H_
