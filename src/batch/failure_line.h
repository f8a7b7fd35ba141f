// The one line that tells why a conversion failed.
#ifndef DGNBIN_BATCH_FAILURE_LINE_H_
#define DGNBIN_BATCH_FAILURE_LINE_H_

#include <string>

// From the captured console (`out`) and standard error (`err`) of a failed
// dgnbin: the first line that reports a failure, looked for in `out` and
// then in `err`; else the last line written; else the empty string. Its
// Latin-1 letters are shown without their accents.
std::string failureLine(const std::string& out, const std::string& err);

#endif  // DGNBIN_BATCH_FAILURE_LINE_H_
