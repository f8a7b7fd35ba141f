#include "batch/companion_program.h"

#include <stdlib.h>

#include "platform/processes.h"

std::string findCompanionProgram(const std::string& name) {
  const std::string own = ownFolder();
  if (!own.empty() && !programInFolder(own, name).empty()) return programInFolder(own, name);
  const char* path = getenv("PATH");
  std::string folders = path != NULL ? path : "";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(pathListSeparator(), start);
    if (end == std::string::npos) end = folders.size();
    // An empty entry of PATH stands for the current folder.
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string program = programInFolder(folder, name);
    if (!program.empty()) return program;
    start = end + 1;
  }
  return "";
}
