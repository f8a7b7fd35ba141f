// Where the batch finds the programs it runs.
#ifndef DGNBIN_BATCH_COMPANION_PROGRAM_H_
#define DGNBIN_BATCH_COMPANION_PROGRAM_H_

#include <string>

// The program `name` installed in the same folder as this one, so that a
// batch runs the converter of its own installation; else the first one on
// PATH; else the empty string.
std::string findCompanionProgram(const std::string& name);

#endif  // DGNBIN_BATCH_COMPANION_PROGRAM_H_
