// The few services of a text-mode console platform that this one lacks.
#ifndef DGNBIN_PLATFORM_PLATFORM_H_
#define DGNBIN_PLATFORM_PLATFORM_H_

#include <stddef.h>
#include <stdio.h>

// Reads one line as a text-mode stream would: like fgets, but a CR that
// stands right before the LF is dropped. Returns null at the end of the file.
char* readTextLine(char* buffer, int size, FILE* stream);

// Waits the given number of milliseconds.
void pauseMilliseconds(int milliseconds);

// Seconds on a clock that only moves forward, to time what the programs do.
double secondsNow();

// True when the descriptor is a terminal (on Windows, a console window).
bool isTerminal(int fd);

#endif  // DGNBIN_PLATFORM_PLATFORM_H_
