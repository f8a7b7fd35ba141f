#include "batch/conversion_runner.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>

#include "batch/failure_line.h"
#include "batch/linked_drawing.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/stop_requests.h"
#include "platform/system_reason.h"
#include "run/program_texts.h"

namespace {

// Each conversion under way holds its two capture files; a few more are
// open for a moment (standard input, the error file put beside its drawing)
// besides the batch's own three.
const int kFilesPerConversion = 2;
const int kFilesKept = 12;

// A conversion under way: its process, its file and its captured output.
struct Running {
  ChildProcess child;
  size_t file;
  int outFd;
  int errFd;
  double started;
  std::string designBase;  // the base dgnbin opens: the file's own or its link's
};

enum class Start { kStarted, kFailed, kLater };

// Too many files or processes for now: one under way will free its own.
bool lacksRoomForNow(int error) { return error == EMFILE || error == ENFILE || error == EAGAIN; }

class ConversionRunner {
 public:
  ConversionRunner(const std::string& dgnbin, const std::vector<BatchFile>& files,
                   const std::string& settings, int jobs)
      : dgnbin_(dgnbin), files_(files), settings_(settings), jobs_(jobs), done_(0),
        outcomes_(files.size()) {}

  std::vector<ConversionOutcome> run();

 private:
  void limitJobsToOpenFiles();
  void report(size_t index, double seconds);
  Start start(size_t index);
  void finish(const Running& conversion, int status);
  std::vector<ShownName> namesOf(const Running& conversion) const;

  const std::string& dgnbin_;
  const std::vector<BatchFile>& files_;
  const std::string& settings_;
  int jobs_;
  size_t done_;
  std::vector<ConversionOutcome> outcomes_;
  std::vector<Running> running_;
  DrawingLinks links_;
};

void closeOutput(const Running& conversion) {
  if (conversion.outFd >= 0) close(conversion.outFd);
  if (conversion.errFd >= 0) close(conversion.errFd);
}

void ConversionRunner::limitJobsToOpenFiles() {
  const int limit = mostOpenFiles();
  const int room = std::max(1, (limit - kFilesKept) / kFilesPerConversion);
  if (jobs_ <= room) return;
  fprintf(stderr,
          "dgnbin-batch: el limite de ficheros abiertos (%d) da para %d conversiones a la vez: "
          "-j %d\n",
          limit, room, room);
  jobs_ = room;
}

void ConversionRunner::report(size_t index, double seconds) {
  ++done_;
  const BatchFile& file = files_[index];
  const ConversionOutcome& outcome = outcomes_[index];
  if (outcome.ok) {
    printf("[%zu/%zu] ok %s (%.1f s)\n", done_, files_.size(), nameInMessages(file.path).c_str(),
           seconds);
  } else {
    printf("[%zu/%zu] FALLO %s: %s\n", done_, files_.size(), nameInMessages(file.path).c_str(),
           outcome.failure.c_str());
  }
  fflush(stdout);
}

Start ConversionRunner::start(size_t index) {
  const BatchFile& file = files_[index];
  std::string& problem = outcomes_[index].failure;
  Running conversion;
  conversion.file = index;
  conversion.outFd = openScratchFile();
  conversion.errFd = conversion.outFd >= 0 ? openScratchFile() : -1;
  if (conversion.outFd < 0 || conversion.errFd < 0) {
    const int error = errno;
    closeOutput(conversion);
    if (lacksRoomForNow(error) && !running_.empty()) return Start::kLater;
    problem = std::string("no se puede crear un fichero temporal: ") + systemReason(error);
    return Start::kFailed;
  }
  conversion.designBase = file.linked ? links_.link(file, index, &problem) : file.base;
  if (conversion.designBase.empty()) {
    closeOutput(conversion);
    return Start::kFailed;
  }
  conversion.started = secondsNow();
  conversion.child = startProgram(
      dgnbin_, {"dgnbin", dgnbinArgument(file, conversion.designBase, settings_)},
      conversion.outFd, conversion.errFd);
  if (conversion.child == kNoChild) {
    const int error = errno;
    closeOutput(conversion);
    std::string unused;
    if (file.linked) links_.finish(file, conversion.designBase, &unused);
    if (lacksRoomForNow(error) && !running_.empty()) return Start::kLater;
    problem = std::string("no se puede iniciar dgnbin: ") + systemReason(error);
    return Start::kFailed;
  }
  running_.push_back(conversion);
  return Start::kStarted;
}

// dgnbin names the files it was given; the batch names the drawing, never
// its link.
std::vector<ShownName> ConversionRunner::namesOf(const Running& conversion) const {
  const BatchFile& file = files_[conversion.file];
  const std::string& opened = conversion.designBase;
  return {{nameInMessages(designFileName(opened)), nameInMessages(file.path)},
          {nameInMessages(errorFileName(opened)), nameInMessages(errorFileName(file.base))},
          {nameInMessages(binFileName(file.base)), nameInMessages(binFileName(file.base))},
          {nameInMessages(opened), nameInMessages(file.base)}};
}

void ConversionRunner::finish(const Running& conversion, int status) {
  ConversionOutcome& outcome = outcomes_[conversion.file];
  const std::string out = readScratchFile(conversion.outFd);
  const std::string err = readScratchFile(conversion.errFd);
  closeOutput(conversion);
  const std::vector<ShownName> names = namesOf(conversion);
  outcome.ok = endedWell(status);
  // A crash's last line is only where the console stopped.
  if (!outcome.ok && !endedAbnormally(status)) outcome.failure = failureLine(out, err, names);
  if (!outcome.ok && outcome.failure.empty()) outcome.failure = describeStatus(status);
  outcome.warning = endMarkerWarning(err, names);
  const BatchFile& file = files_[conversion.file];
  std::string problem;
  if (file.linked && !links_.finish(file, conversion.designBase, &problem)) {
    outcome.failure = outcome.ok ? problem : outcome.failure + "; " + problem;
    outcome.ok = false;
  }
}

std::vector<ConversionOutcome> ConversionRunner::run() {
  limitJobsToOpenFiles();
  for (size_t i = 0; i < files_.size(); ++i) {
    if (files_[i].problem.empty()) continue;
    outcomes_[i].failure = files_[i].problem;
    report(i, 0);
  }
  size_t next = 0;
  for (;;) {
    // After a stop request the conversions under way end (they have it
    // too) and no other starts.
    while (next < files_.size() && running_.size() < static_cast<size_t>(jobs_) &&
           !stopRequest()) {
      if (!files_[next].problem.empty()) {
        ++next;
        continue;
      }
      const Start started = start(next);
      if (started == Start::kLater) break;
      if (started == Start::kFailed) report(next, 0);
      ++next;
    }
    if (running_.empty()) break;
    std::vector<ChildProcess> children;
    for (const Running& conversion : running_) children.push_back(conversion.child);
    int status = 0;
    const int ended = waitAnyProgram(children, &status);
    if (ended == -2) continue;
    if (ended < 0) {
      // Only a fault of the system itself: the conversions under way are
      // given up, since none of them can be told apart any more.
      const std::string reason = std::string("no se puede esperar a dgnbin: ") + systemReason(errno);
      for (const Running& conversion : running_) {
        closeOutput(conversion);
        outcomes_[conversion.file].failure = reason;
        report(conversion.file, secondsNow() - conversion.started);
      }
      break;
    }
    const Running conversion = running_[static_cast<size_t>(ended)];
    running_.erase(running_.begin() + ended);
    finish(conversion, status);
    report(conversion.file, secondsNow() - conversion.started);
  }
  return outcomes_;
}

}  // namespace

std::vector<ConversionOutcome> runConversions(const std::string& dgnbin,
                                              const std::vector<BatchFile>& files,
                                              const std::string& settings, int jobs) {
  ConversionRunner runner(dgnbin, files, settings, jobs);
  return runner.run();
}
