#include "batch/companion_program.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

static bool isProgram(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

static std::string ownFolder() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  const std::string self(buffer, static_cast<size_t>(n));
  return self.substr(0, self.rfind('/'));
}

std::string findCompanionProgram(const std::string& name) {
  const std::string own = ownFolder();
  if (!own.empty() && isProgram(own + "/" + name)) return own + "/" + name;
  const char* path = getenv("PATH");
  std::string folders = path != NULL ? path : "";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    // An empty entry of PATH stands for the current folder.
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    if (isProgram(folder + "/" + name)) return folder + "/" + name;
    start = end + 1;
  }
  return "";
}
