// Runs dgnbin on the files of a batch, several at a time.
#ifndef DGNBIN_BATCH_CONVERSION_RUNNER_H_
#define DGNBIN_BATCH_CONVERSION_RUNNER_H_

#include <string>
#include <vector>

#include "batch/batch_files.h"

struct ConversionOutcome {
  bool ok = false;
  std::string failure;  // why it failed: dgnbin's failure line and reasons, or the file's problem
  std::string warning;  // dgnbin's warning that the drawing may be cut short
};

// Runs the program `dgnbin` on every file without a problem, at most `jobs`
// at a time (fewer, said on standard error, when the open-file limit
// leaves room for fewer), and prints one progress line on standard output
// as each file is done; a file with a problem is done, and failed, at once.
// After a stop request no conversion starts and those under way are waited
// for. Returns one outcome per file, in the order of `files`.
std::vector<ConversionOutcome> runConversions(const std::string& dgnbin,
                                              const std::vector<BatchFile>& files,
                                              const std::string& settings, int jobs);

#endif  // DGNBIN_BATCH_CONVERSION_RUNNER_H_
