#include "batch/conversion_runner.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "batch/failure_line.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/stop_requests.h"
#include "platform/system_reason.h"

namespace {

// A conversion under way: its process, its file and its captured output.
struct Running {
  ChildProcess child;
  size_t file;
  int outFd;
  int errFd;
  double started;
};

class Progress {
 public:
  explicit Progress(size_t total) : done_(0), total_(total) {}
  void report(const BatchFile& file, const ConversionOutcome& outcome, double seconds) {
    ++done_;
    if (outcome.ok) {
      printf("[%zu/%zu] ok %s (%.1f s)\n", done_, total_, nameInMessages(file.path).c_str(),
             seconds);
    } else {
      printf("[%zu/%zu] FALLO %s: %s\n", done_, total_, nameInMessages(file.path).c_str(),
             outcome.failure.c_str());
    }
    fflush(stdout);
  }

 private:
  size_t done_;
  size_t total_;
};

void closeOutput(const Running& run) {
  if (run.outFd >= 0) close(run.outFd);
  if (run.errFd >= 0) close(run.errFd);
}

bool startConversion(const std::string& dgnbin, const BatchFile& file, const std::string& settings,
                     Running* run, std::string* problem) {
  run->outFd = openScratchFile();
  run->errFd = openScratchFile();
  if (run->outFd < 0 || run->errFd < 0) {
    *problem = std::string("no se puede crear un fichero temporal: ") + systemReason(errno);
    closeOutput(*run);
    return false;
  }
  run->started = secondsNow();
  run->child =
      startProgram(dgnbin, {"dgnbin", dgnbinArgument(file, settings)}, run->outFd, run->errFd);
  if (run->child == kNoChild) {
    *problem = std::string("no se puede iniciar dgnbin: ") + systemReason(errno);
    closeOutput(*run);
    return false;
  }
  return true;
}

ConversionOutcome finishConversion(const Running& run, int status) {
  ConversionOutcome outcome;
  outcome.ok = endedWell(status);
  if (!outcome.ok && !endedAbnormally(status)) {
    outcome.failure = failureLine(readScratchFile(run.outFd), readScratchFile(run.errFd));
  }
  // A crash's last line is only where the console stopped.
  if (!outcome.ok && outcome.failure.empty()) outcome.failure = describeStatus(status);
  closeOutput(run);
  return outcome;
}

}  // namespace

std::vector<ConversionOutcome> runConversions(const std::string& dgnbin,
                                              const std::vector<BatchFile>& files,
                                              const std::string& settings, int jobs) {
  std::vector<ConversionOutcome> outcomes(files.size());
  Progress progress(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i].problem.empty()) continue;
    outcomes[i].failure = files[i].problem;
    progress.report(files[i], outcomes[i], 0);
  }
  std::vector<Running> running;
  size_t next = 0;
  for (;;) {
    // After a stop request the conversions under way end (they have it
    // too) and no other starts.
    for (; next < files.size() && running.size() < static_cast<size_t>(jobs) && !stopRequest();
         ++next) {
      if (!files[next].problem.empty()) continue;
      Running run;
      run.file = next;
      if (startConversion(dgnbin, files[next], settings, &run, &outcomes[next].failure)) {
        running.push_back(run);
      } else {
        progress.report(files[next], outcomes[next], 0);
      }
    }
    if (running.empty()) break;
    std::vector<ChildProcess> children;
    for (const Running& run : running) children.push_back(run.child);
    int status = 0;
    const int ended = waitAnyProgram(children, &status);
    if (ended == -2) continue;
    if (ended < 0) {
      // Only a fault of the system itself: the conversions under way are
      // given up, since none of them can be told apart any more.
      const std::string reason = std::string("no se puede esperar a dgnbin: ") + systemReason(errno);
      for (const Running& run : running) {
        closeOutput(run);
        outcomes[run.file].failure = reason;
        progress.report(files[run.file], outcomes[run.file], secondsNow() - run.started);
      }
      break;
    }
    const Running& run = running[static_cast<size_t>(ended)];
    outcomes[run.file] = finishConversion(run, status);
    progress.report(files[run.file], outcomes[run.file], secondsNow() - run.started);
    running.erase(running.begin() + ended);
  }
  return outcomes;
}
