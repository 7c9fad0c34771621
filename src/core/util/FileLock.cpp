#include "FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

namespace trundlex {

namespace {

// Short enough that a lock released a moment later costs little, long enough not to spin.
constexpr std::chrono::milliseconds kRetryPause{10};

// The process that last took the lock, as it wrote itself into the lock file.
std::string holderOf(int fd) {
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    if (n <= 0) {
        return "another program";
    }
    text[n] = '\0';
    text[std::strcspn(text, "\n")] = '\0';
    return std::string("process ") + text;
}

}  // namespace

FileLock::FileLock(const std::string& guardedPath, std::chrono::milliseconds wait) {
    const std::string path = lockPathFor(guardedPath);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error_ = "cannot open " + path + ": " + std::strerror(errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            error_ = "cannot lock " + path + ": " + std::strerror(errno);
            ::close(fd);
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error_ = path + " is held by " + holderOf(fd) + "; gave up after " +
                     std::to_string(wait.count()) + " ms";
            std::fprintf(stderr, "trundlex: %s\n", error_.c_str());
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    // Only for the report of someone who finds the lock taken.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t ignored = ::pwrite(fd, pid.data(), pid.size(), 0);
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

}  // namespace trundlex
