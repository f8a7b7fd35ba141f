#include "support/program_run.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef DGNBIN_EXE
#error "DGNBIN_EXE must name the converter executable"
#endif

namespace dgntest {

TempDir::TempDir() {
    char tmpl[] = "/tmp/dgnbin-test-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
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
    return dgntest::readText(file(name));
}

bool TempDir::exists(const std::string& name) const {
    struct stat st;
    return ::stat(file(name).c_str(), &st) == 0;
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    const std::vector<uint8_t> b = readFile(path);
    return std::string(b.begin(), b.end());
}

namespace {

[[noreturn]] void childFail(const char* what) {
    // Reported on the captured standard error; 127 as a shell does.
    const char* reason = std::strerror(errno);
    (void)!::write(2, what, std::strlen(what));
    (void)!::write(2, ": ", 2);
    (void)!::write(2, reason, std::strlen(reason));
    (void)!::write(2, "\n", 1);
    _exit(127);
}

// Reads both pipes until both are closed, so that neither side can fill up
// and block the child.
void drain(int outFd, int errFd, std::string& out, std::string& err) {
    struct pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    int open = 2;
    char buf[4096];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

ProgramResult runProgram(const std::string& workDir, const std::vector<std::string>& args,
                         long fileSizeLimit, const std::string& exe) {
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        throw std::runtime_error("pipe2 failed");
    }

    // Everything the child needs is prepared before the fork.
    std::vector<std::string> argStore;
    argStore.reserve(args.size() + 1);
    argStore.push_back(exe.substr(exe.rfind('/') + 1));
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore) argv.push_back(&a[0]);
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        if (::dup2(outPipe[1], 1) < 0 || ::dup2(errPipe[1], 2) < 0) childFail("dup2");
        const int devNull = ::open("/dev/null", O_RDONLY);
        if (devNull < 0 || ::dup2(devNull, 0) < 0) childFail("/dev/null");
        if (::chdir(workDir.c_str()) != 0) childFail("chdir");
        if (fileSizeLimit >= 0) {
            // An ignored disposition survives exec: a write past the limit
            // then fails with EFBIG instead of killing the program.
            ::signal(SIGXFSZ, SIG_IGN);
            struct rlimit lim;
            lim.rlim_cur = static_cast<rlim_t>(fileSizeLimit);
            lim.rlim_max = static_cast<rlim_t>(fileSizeLimit);
            if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) childFail("setrlimit");
        }
        ::execv(exe.c_str(), argv.data());
        childFail(exe.c_str());
    }

    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ProgramResult result{-1, {}, {}};
    drain(outPipe[0], errPipe[0], result.out, result.err);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
    }
    if (WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.exitStatus = 128 + WTERMSIG(status);
    return result;
}

}  // namespace dgntest
