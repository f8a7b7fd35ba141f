#include "batch/missing_report.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "batch/child_process.h"

bool writeMissingReport(const std::string& kelobin, const std::vector<std::string>& errorFiles,
                        const std::string& report) {
  const int fd = open(report.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    fprintf(stderr, "dgnbin-batch: no se puede escribir el informe %s: %s\n", report.c_str(),
            strerror(errno));
    return false;
  }
  if (errorFiles.empty()) return close(fd) == 0;
  if (kelobin.empty()) {
    fprintf(stderr, "dgnbin-batch: no se encuentra kelobin ni junto a dgnbin-batch ni en PATH\n");
    close(fd);
    return false;
  }
  std::vector<std::string> args = {"kelobin", "missing"};
  args.insert(args.end(), errorFiles.begin(), errorFiles.end());
  const pid_t pid = startProgram(kelobin, args, fd, 2);
  if (pid < 0) {
    fprintf(stderr, "dgnbin-batch: no se puede iniciar kelobin: %s\n", strerror(errno));
    close(fd);
    return false;
  }
  const int status = waitProgram(pid);
  if (close(fd) != 0 || status != 0) {
    fprintf(stderr,
            "dgnbin-batch: kelobin missing acabo con %s; el informe %s puede estar incompleto\n",
            describeStatus(status).c_str(), report.c_str());
    return false;
  }
  return true;
}
