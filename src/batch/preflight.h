// What the batch checks once before it converts anything, so that a
// mistake common to every drawing is said once and not per drawing.
#ifndef DGNBIN_BATCH_PREFLIGHT_H_
#define DGNBIN_BATCH_PREFLIGHT_H_

#include <string>

// Reads DGNBIN.TAB of the working folder as dgnbin reads it, showing its
// warnings on standard error; false, with the reason there, when dgnbin
// could not load it.
bool tableLoads();

// Whether dgnbin accepts the factor word `word` (1, 0.1, 10 or 99); when it
// does not, the reason is on standard error.
bool factorAccepted(const std::string& word);

#endif  // DGNBIN_BATCH_PREFLIGHT_H_
