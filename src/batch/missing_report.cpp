#include "batch/missing_report.h"

#include <errno.h>
#include <stdio.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/processes.h"
#include "platform/system_reason.h"

bool writeMissingReport(const std::string& kelobin, const std::vector<std::string>& errorFiles,
                        const std::string& report) {
  const int fd = createFile(report.c_str(), 0666);
  if (fd < 0) {
    fprintf(stderr, "dgnbin-batch: no se puede escribir el informe %s: %s\n",
            nameInMessages(report).c_str(), systemReason(errno));
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
  const ChildProcess child = startProgram(kelobin, args, fd, 2);
  if (child == kNoChild) {
    fprintf(stderr, "dgnbin-batch: no se puede iniciar kelobin: %s\n", systemReason(errno));
    close(fd);
    return false;
  }
  const int status = waitProgram(child);
  if (close(fd) != 0 || !endedWell(status)) {
    fprintf(stderr,
            "dgnbin-batch: kelobin missing acabo con %s; el informe %s puede estar incompleto\n",
            describeStatus(status).c_str(), nameInMessages(report).c_str());
    return false;
  }
  return true;
}
