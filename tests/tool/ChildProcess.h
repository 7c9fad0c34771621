#pragma once
// A program started by a test with posix_spawn (never fork: the test process runs threads),
// its standard output and error read line by line, together, on a thread of its own.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace trundlex::servetest {

// Every wait ends after this, so a fault shows as a failure, not a hang.
constexpr auto Patience = std::chrono::seconds(20);

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (reader_.joinable()) {
            reader_.join();
        }
    }

    // Starts `program` with `args`. False when it cannot be started.
    bool start(const std::string& program, std::vector<std::string> args) {
        // Close-on-exec, so that a second child started meanwhile does not hold this one's
        // pipe open (the reader would then never see the end of the output).
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) {
            return false;
        }
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (failed != 0) {
            ::close(out[0]);
            pid_ = -1;
            return false;
        }
        reader_ = std::thread([this, fd = out[0]] { readLines(fd); });
        return true;
    }

    // Waits until `count` lines of output start with `prefix`; the last of them.
    std::optional<std::string> waitForLine(const std::string& prefix, int count = 1) {
        std::unique_lock lock(mutex_);
        std::optional<std::string> found;
        changed_.wait_for(lock, Patience, [&] {
            int seen = 0;
            for (const std::string& line : lines_) {
                if (line.starts_with(prefix) && ++seen == count) {
                    found = line;
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    int countLines(const std::string& prefix) {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count_if(
            lines_.begin(), lines_.end(), [&](const auto& l) { return l.starts_with(prefix); }));
    }
    // Everything printed so far; all of it once the program has ended (waitForExit).
    std::vector<std::string> lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

    void signal(int signal) { ::kill(pid_, signal); }

    // Waits for the program to end: its exit status, 128 + the signal that ended it, or -1
    // when it did not end in time (it is still running then).
    int waitForExit() {
        for (const auto deadline = std::chrono::steady_clock::now() + Patience;
             pid_ > 0 && std::chrono::steady_clock::now() < deadline;) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                reader_.join();
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

private:
    void readLines(int fd) {
        std::string pending;
        char buffer[4096];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
            pending.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                std::lock_guard lock(mutex_);
                lines_.push_back(pending.substr(0, end));
                pending.erase(0, end + 1);
                changed_.notify_all();
            }
        }
        std::lock_guard lock(mutex_);
        if (!pending.empty()) {
            lines_.push_back(pending);
        }
        changed_.notify_all();
        ::close(fd);
    }

    pid_t pid_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
};

}  // namespace trundlex::servetest
