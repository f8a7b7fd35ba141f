// Runs a built program as a user would: in a working directory of its own,
// with its standard output and error captured.
#ifndef DGNTEST_PROGRAM_RUN_H
#define DGNTEST_PROGRAM_RUN_H

#include <cstdint>
#include <string>
#include <vector>

namespace dgntest {

// A fresh directory under /tmp, removed with all it holds on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void writeFile(const std::string& name, const std::vector<uint8_t>& bytes) const;
  void writeFile(const std::string& name, const std::string& text) const;
  std::vector<uint8_t> readFile(const std::string& name) const;  // throws when unreadable
  std::string readText(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string path_;
};

std::vector<uint8_t> readFile(const std::string& path);

struct ProgramResult {
  int exitStatus;  // the exit code, or 128 + the signal that ended it
  std::string out, err;
};

// Runs `exe` (the converter by default; a name without a slash is looked up
// in PATH) with the given arguments in workDir, standard input from
// `input` (/dev/null by default); exit status 127 when it cannot be started. With fileSizeLimit
// >= 0 the program's files may grow to that many bytes: writes beyond fail.
ProgramResult runProgram(const std::string& workDir, const std::vector<std::string>& args,
                         long fileSizeLimit = -1, const std::string& exe = DGNBIN_EXE,
                         const std::string& input = "/dev/null");

inline ProgramResult runTool(const std::string& exe, const std::vector<std::string>& args) {
  return runProgram(".", args, -1, exe);
}
inline ProgramResult runKelobin(const std::vector<std::string>& args) {
  return runTool(KELOBIN_EXE, args);
}

}  // namespace dgntest

#endif
