// The name of the batch's report, checked before anything is converted: a
// report must never take the place of the table, a drawing or an output.
#ifndef DGNBIN_BATCH_REPORT_NAME_H_
#define DGNBIN_BATCH_REPORT_NAME_H_

#include <string>
#include <vector>

#include "batch/batch_files.h"

// Why `report` cannot be the report of a batch over `files` with the
// DGNBIN.TAB of the working folder, or the empty string when it can.
std::string reportNameProblem(const std::string& report, const std::vector<BatchFile>& files);

#endif  // DGNBIN_BATCH_REPORT_NAME_H_
