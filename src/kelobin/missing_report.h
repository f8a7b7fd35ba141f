// Turning the error files that dgnbin leaves into the rows of DGNBIN.TAB
// they call for: each distinct missing symbology once, however many
// elements and files report it. dgnbin-batch runs this (as `kelobin
// missing`) to merge the error files of many conversions.
#ifndef DGNBIN_KELOBIN_MISSING_REPORT_H_
#define DGNBIN_KELOBIN_MISSING_REPORT_H_

#include <stdio.h>

// Writes to `rows` one table row per distinct miss line of the error files
// `errNames[0..count)`, the most frequent first, with `code` as the
// placeholder code; writes to `problems` the lines that stopped a
// conversion, with their file, and every problem met. Returns 0 when every
// file was read whole, 1 otherwise.
int writeMissingReport(const char* const* errNames, int count, const char* code, FILE* rows,
                       FILE* problems);

#endif  // DGNBIN_KELOBIN_MISSING_REPORT_H_
