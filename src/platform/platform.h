// The few services of a text-mode console platform that this one lacks.
#ifndef DGNBIN_PLATFORM_PLATFORM_H_
#define DGNBIN_PLATFORM_PLATFORM_H_

#include <fcntl.h>
#include <stddef.h>
#include <stdio.h>

// Files here have no text/binary distinction.
#ifndef O_BINARY
#define O_BINARY 0
#endif

// Reads one line as a text-mode stream would: like fgets, but a CR that
// stands right before the LF is dropped. Returns null at the end of the file.
char* readTextLine(char* buffer, int size, FILE* stream);

// Waits the given number of milliseconds.
void pauseMilliseconds(int milliseconds);

#endif  // DGNBIN_PLATFORM_PLATFORM_H_
