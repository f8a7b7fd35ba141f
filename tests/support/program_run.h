// Runs the built converter as a user would: in a working directory of its
// own, with its console output captured.
#ifndef DGNTEST_PROGRAM_RUN_H
#define DGNTEST_PROGRAM_RUN_H

#include <cstdint>
#include <string>
#include <vector>

namespace dgntest {

// A fresh directory under /tmp, removed with everything in it on
// destruction.
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
    // Throw std::runtime_error when the file cannot be read.
    std::vector<uint8_t> readFile(const std::string& name) const;
    std::string readText(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::string path_;
};

// Whole-file reads; throw std::runtime_error when the file cannot be read.
std::vector<uint8_t> readFile(const std::string& path);
std::string readText(const std::string& path);

struct ProgramResult {
    int exitStatus;   // exit code, or 128 + signal number when killed
    std::string out;  // everything written to standard output
    std::string err;  // everything written to standard error
};

// Runs `exe` (the converter by default; argv[0] its last name) with the
// given arguments, in workDir, with standard input from /dev/null. With
// fileSizeLimit >= 0 the child gets RLIMIT_FSIZE of that many bytes and
// ignores SIGXFSZ, so writes beyond it fail with EFBIG instead of killing it. Standard output and error go
// through pipes, not files, so that the limit does not cut them short.
ProgramResult runProgram(const std::string& workDir, const std::vector<std::string>& args,
                         long fileSizeLimit = -1, const std::string& exe = DGNBIN_EXE);

}  // namespace dgntest

#endif
