// A folder of one run's own among the temporary files, for names the run
// needs but nobody else may see or take, and links to files put in it.
#ifndef DGNBIN_PLATFORM_SCRATCH_FOLDER_H_
#define DGNBIN_PLATFORM_SCRATCH_FOLDER_H_

#include <string>

// A new empty folder that only this user can enter, in the temporary
// folder; the empty string with errno set when none can be made.
std::string makeScratchFolder();

// Makes `link` a name of the file `target`; false with errno set.
bool linkToFile(const std::string& target, const std::string& link);

#endif  // DGNBIN_PLATFORM_SCRATCH_FOLDER_H_
