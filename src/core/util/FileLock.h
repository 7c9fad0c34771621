#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace trundlex {

// An exclusive lock that programs take in turn before they re-read, merge and replace a
// per-user file which several of them may write (two game windows, a game and a host). The
// lock is an advisory lock (flock; LockFileEx on Windows) on a small file beside the guarded
// one, path + ".lock", which stays in place; the lock itself ends with the process that holds
// it, so a program that crashed or was killed leaves nothing stale behind.
//
// Taking it never waits longer than `wait`: a lock held for longer (a hung program) is
// reported on standard error and in error(), and the caller goes without its write rather
// than freezing.
class FileLock {
public:
    static constexpr std::chrono::milliseconds DefaultWait{3000};

    // Tries to take the lock guarding `guardedPath` for at most `wait`.
    explicit FileLock(const std::string& guardedPath, std::chrono::milliseconds wait = DefaultWait);
    ~FileLock();

    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return handle_ != kNoHandle; }
    // Why the lock was not taken; empty when it was.
    const std::string& error() const { return error_; }

    static std::string lockPathFor(const std::string& guardedPath) { return guardedPath + ".lock"; }

private:
    // The lock file's descriptor, or its HANDLE on Windows.
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
    std::string error_;
};

}  // namespace trundlex
