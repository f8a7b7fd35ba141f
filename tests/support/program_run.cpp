#include "support/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace dgntest {

TempDir::TempDir() {
  char name[] = "/tmp/dgnbin-test-XXXXXX";
  if (mkdtemp(name) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = name;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::writeFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
  std::ofstream f(file(name), std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + file(name));
}

void TempDir::writeFile(const std::string& name, const std::string& text) const {
  writeFile(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> TempDir::readFile(const std::string& name) const {
  return dgntest::readFile(file(name));
}

std::string TempDir::readText(const std::string& name) const {
  const std::vector<uint8_t> b = readFile(name);
  return std::string(b.begin(), b.end());
}

bool TempDir::exists(const std::string& name) const {
  return access(file(name).c_str(), F_OK) == 0;
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

ProgramResult runProgram(const std::string& workDir, const std::vector<std::string>& args,
                         long fileSizeLimit, const std::string& exe, const std::string& input) {
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe2 failed");
  }
  std::vector<std::string> store = {exe.substr(exe.rfind('/') + 1)};
  store.insert(store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : store) argv.push_back(&a[0]);
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (chdir(workDir.c_str()) != 0) _exit(127);
    const int in = open(input.c_str(), O_RDONLY);
    if (dup2(outPipe[1], 1) < 0 || dup2(errPipe[1], 2) < 0 || dup2(in, 0) < 0) {
      _exit(127);
    }
    if (fileSizeLimit >= 0) {
      const rlimit limit = {static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    execvp(exe.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  ProgramResult result{-1, {}, {}};
  // Both pipes are read as they fill, so that neither can block the program.
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  for (int open = 2; open > 0;) {
    if (poll(fds, 2, -1) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace dgntest
