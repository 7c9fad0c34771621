#include "FileLock.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <cstdio>
#include <cstring>
#include <thread>

namespace trundlex {

namespace {

// Short enough that a lock released a moment later costs little, long enough not to spin.
constexpr std::chrono::milliseconds kRetryPause{10};

enum class Attempt { Taken, Busy, Failed };

#ifdef _WIN32

// Windows locks are mandatory: the locked byte lies far beyond the text of the file, which
// stays readable for the report of whoever finds the lock taken.
constexpr DWORD kLockedByteHigh = 1;  // at 4 GiB

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string lastError() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

std::intptr_t openLockFile(const std::string& path) {
    const HANDLE file =
        CreateFileW(std::filesystem::path(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return reinterpret_cast<std::intptr_t>(file);
}

Attempt tryLock(std::intptr_t handle) {
    OVERLAPPED where{};
    where.OffsetHigh = kLockedByteHigh;
    if (LockFileEx(handleOf(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &where)) {
        return Attempt::Taken;
    }
    return GetLastError() == ERROR_LOCK_VIOLATION ? Attempt::Busy : Attempt::Failed;
}

std::size_t readStart(std::intptr_t handle, char* text, std::size_t size) {
    OVERLAPPED where{};
    DWORD n = 0;
    return ReadFile(handleOf(handle), text, static_cast<DWORD>(size), &n, &where) ? n : 0;
}

void writeOwner(std::intptr_t handle) {
    const std::string pid = std::to_string(GetCurrentProcessId()) + "\n";
    const HANDLE file = handleOf(handle);
    DWORD n = 0;
    OVERLAPPED where{};
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(file)) {
        WriteFile(file, pid.data(), static_cast<DWORD>(pid.size()), &n, &where);
    }
}

void closeLockFile(std::intptr_t handle) {
    OVERLAPPED where{};
    where.OffsetHigh = kLockedByteHigh;
    UnlockFileEx(handleOf(handle), 0, 1, 0, &where);
    CloseHandle(handleOf(handle));
}

#else

std::string lastError() {
    return std::strerror(errno);
}

std::intptr_t openLockFile(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

Attempt tryLock(std::intptr_t fd) {
    while (::flock(static_cast<int>(fd), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return errno == EWOULDBLOCK ? Attempt::Busy : Attempt::Failed;
        }
    }
    return Attempt::Taken;
}

std::size_t readStart(std::intptr_t fd, char* text, std::size_t size) {
    const ssize_t n = ::pread(static_cast<int>(fd), text, size, 0);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void writeOwner(std::intptr_t fd) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(static_cast<int>(fd), 0) == 0) {
        [[maybe_unused]] const ssize_t ignored =
            ::pwrite(static_cast<int>(fd), pid.data(), pid.size(), 0);
    }
}

void closeLockFile(std::intptr_t fd) {
    ::close(static_cast<int>(fd));  // releases the lock
}

#endif

// The process that last took the lock, as it wrote itself into the lock file.
std::string holderOf(std::intptr_t handle) {
    char text[32] = {};
    const std::size_t n = readStart(handle, text, sizeof text - 1);
    if (n == 0) {
        return "another program";
    }
    text[n] = '\0';
    text[std::strcspn(text, "\r\n")] = '\0';
    return std::string("process ") + text;
}

}  // namespace

FileLock::FileLock(const std::string& guardedPath, std::chrono::milliseconds wait) {
    const std::string path = lockPathFor(guardedPath);
    const std::intptr_t handle = openLockFile(path);
    if (handle == kNoHandle) {
        error_ = "cannot open " + path + ": " + lastError();
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (Attempt attempt = tryLock(handle); attempt != Attempt::Taken; attempt = tryLock(handle)) {
        if (attempt == Attempt::Failed) {
            error_ = "cannot lock " + path + ": " + lastError();
            closeLockFile(handle);
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error_ = path + " is held by " + holderOf(handle) + "; gave up after " +
                     std::to_string(wait.count()) + " ms";
            std::fprintf(stderr, "trundlex: %s\n", error_.c_str());
            closeLockFile(handle);
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    // Only for the report of someone who finds the lock taken.
    writeOwner(handle);
    handle_ = handle;
}

FileLock::~FileLock() {
    if (handle_ != kNoHandle) {
        closeLockFile(handle_);
    }
}

}  // namespace trundlex
