#include "batch/missing_report.h"

#include <errno.h>
#include <stdio.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/output_file.h"
#include "platform/processes.h"
#include "platform/stop_requests.h"
#include "platform/system_reason.h"

// The report replaces the previous one only whole: kelobin writes it into
// a temporary file, committed once kelobin has ended well.
bool writeMissingReport(const std::string& kelobin, const std::vector<std::string>& errorFiles,
                        const std::string& report) {
  OutputFile file;
  if (!file.create(report.c_str(), 0666)) {
    fprintf(stderr, "dgnbin-batch: no se puede escribir el informe %s: %s\n",
            nameInMessages(report).c_str(), systemReason(file.error()));
    return false;
  }
  int status = 0;
  if (!errorFiles.empty()) {
    if (kelobin.empty()) {
      fprintf(stderr, "dgnbin-batch: no se encuentra kelobin ni junto a dgnbin-batch ni en PATH\n");
      return false;
    }
    // The names go one a line on kelobin's standard input: a command line
    // would not hold thousands of long ones.
    std::string list;
    for (const std::string& name : errorFiles) list += name + "\n";
    const int listFd = openScratchFile();
    if (listFd < 0 || !fillScratchFile(listFd, list)) {
      fprintf(stderr, "dgnbin-batch: no se puede escribir la lista de ficheros de errores: %s\n",
              systemReason(errno));
      if (listFd >= 0) close(listFd);
      return false;
    }
    const ChildProcess child =
        startProgram(kelobin, {"kelobin", "missing", "--lista", "-"}, file.fd(), 2, listFd);
    const int startError = errno;
    close(listFd);
    errno = startError;
    if (child == kNoChild) {
      fprintf(stderr, "dgnbin-batch: no se puede iniciar kelobin: %s\n", systemReason(errno));
      return false;
    }
    status = waitProgram(child);
    if (!endedWell(status)) {
      if (stopRequest() == 0) {
        fprintf(stderr,
                "dgnbin-batch: kelobin missing acabo con %s; el informe %s queda como estaba\n",
                describeStatus(status).c_str(), nameInMessages(report).c_str());
      }
      return false;
    }
  }
  if (stopRequest() != 0) return false;
  if (!file.commit()) {
    fprintf(stderr, "dgnbin-batch: no se puede escribir el informe %s: %s\n",
            nameInMessages(report).c_str(), systemReason(file.error()));
    return false;
  }
  return true;
}
