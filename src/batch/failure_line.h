// What a finished dgnbin said about its drawing, in the batch's lines.
#ifndef DGNBIN_BATCH_FAILURE_LINE_H_
#define DGNBIN_BATCH_FAILURE_LINE_H_

#include <string>
#include <vector>

// A name as dgnbin wrote it, and as the batch shows it: the names are data,
// printed with their bytes, while dgnbin's Latin-1 text around them is
// shown in plain ASCII.
struct ShownName {
  std::string written;
  std::string shown;
};

// From the captured console (`out`) and standard error (`err`) of a failed
// dgnbin: its first console line that reports a failure (else its last
// console line), followed in brackets by the reasons dgnbin gave on
// standard error, without the table's warnings and the run's summary.
std::string failureLine(const std::string& out, const std::string& err,
                        const std::vector<ShownName>& names);

// dgnbin's warning that the drawing ends without its end marker, or the
// empty string when it gave none.
std::string endMarkerWarning(const std::string& err, const std::vector<ShownName>& names);

#endif  // DGNBIN_BATCH_FAILURE_LINE_H_
