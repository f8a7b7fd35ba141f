#include <stdlib.h>
#include <unistd.h>

#include "platform/scratch_folder.h"

std::string makeScratchFolder() {
  const char* folder = getenv("TMPDIR");
  std::string name =
      std::string(folder != NULL && folder[0] != '\0' ? folder : "/tmp") + "/dgnbin-batch-XXXXXX";
  return mkdtemp(&name[0]) != NULL ? name : "";
}

// A symbolic link: the target may stand on another file system.
bool linkToFile(const std::string& target, const std::string& link) {
  return symlink(target.c_str(), link.c_str()) == 0;
}
