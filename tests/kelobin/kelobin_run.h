// Runs the built kelobin, or a tool that reads what it writes, as a user
// would, with what it printed.
#ifndef DGNTEST_KELOBIN_RUN_H
#define DGNTEST_KELOBIN_RUN_H

#include <string>
#include <vector>

#include "support/program_run.h"

#ifndef KELOBIN_EXE
#error "KELOBIN_EXE must name the kelobin executable"
#endif

namespace dgntest {

// A program (looked up in PATH when `exe` has no slash) with the given
// arguments; standard output and error are gathered in files, standard
// input is /dev/null. Exit status 127 when it cannot be started.
ProgramResult runTool(const std::string& exe, const std::vector<std::string>& args);

inline ProgramResult runKelobin(const std::vector<std::string>& args) {
  return runTool(KELOBIN_EXE, args);
}

}  // namespace dgntest

#endif
