// What the program adds to its console so that a user knows what went wrong
// and what to do about it. All of it goes to standard error, each line
// starting "dgnbin: ", in plain ASCII: standard output stays the console the
// program has always printed, byte for byte.
#ifndef DGNBIN_CLI_HINTS_H_
#define DGNBIN_CLI_HINTS_H_

#include "platform/system_reason.h"

// One line on standard error.
void hint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the console's line when a message without a line end is followed by
// hints and both show on one terminal.
void endConsoleLine();

// A command line that does not hold eight words: `line` is the argument as
// typed (null when none), `extraArguments` the arguments after it.
void hintWordCount(const char* line, int words, int extraArguments);

// Base names given with their extension (the program appends it).
void hintBaseNames(const char* binBase, const char* dgnBase);

// A factor that is not accepted or does not suit the design file.
void hintScaleFactor(const char* word, int unitsPerMasterUnit);

// What a file that is not a version 7 design file looks like, when that can
// be told from its bytes.
void describeDesignFile(const char* path);

#endif  // DGNBIN_CLI_HINTS_H_
