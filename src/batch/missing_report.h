// One report of the symbologies without a table row in all the error files
// of a batch, made by `kelobin missing`.
#ifndef DGNBIN_BATCH_MISSING_REPORT_H_
#define DGNBIN_BATCH_MISSING_REPORT_H_

#include <string>
#include <vector>

// Writes the rows of `kelobin missing` over `errorFiles` to `report`
// (emptied first); kelobin's problems reach standard error. With no error
// file the report stays empty. False, with a message on standard error,
// when the report could not be made whole.
bool writeMissingReport(const std::string& kelobin, const std::vector<std::string>& errorFiles,
                        const std::string& report);

#endif  // DGNBIN_BATCH_MISSING_REPORT_H_
