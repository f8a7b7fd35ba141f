// What both systems' output files share: dropping what was not committed,
// and forgetting the temporary name of what was.
#include "platform/output_file.h"

#include <unistd.h>

#include "platform/files.h"
#include "platform/interruption.h"

OutputFile::OutputFile() : fd_(-1), slot_(-1), error_(0) {}

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temp_.empty()) removeFile(temp_.c_str());
  temp_.clear();
  forgetTemporaryName(slot_);
  slot_ = -1;
}

bool OutputFile::committed() {
  temp_.clear();
  forgetTemporaryName(slot_);
  slot_ = -1;
  return true;
}
