#pragma once
// A program started by a test with posix_spawn (never fork: the test process runs threads),
// its standard output and error read line by line on threads of their own.
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

class ChildProcess {
public:
    // How long the waits below wait before they give up.
    explicit ChildProcess(std::chrono::milliseconds patience = std::chrono::seconds(20))
        : patience_(patience) {}
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program` with `args`. False when it cannot be started.
    bool start(const std::string& program, const std::vector<std::string>& args) {
        // Close-on-exec, so that a second child started meanwhile does not hold this one's
        // pipes open (its readers would then never see the end of the output).
        int out[2];
        int err[2];
        if (::pipe2(out, O_CLOEXEC) != 0) {
            return false;
        }
        if (::pipe2(err, O_CLOEXEC) != 0) {
            ::close(out[0]);
            ::close(out[1]);
            return false;
        }
        std::vector<std::string> all = {program};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        if (failed != 0) {
            ::close(out[0]);
            ::close(err[0]);
            pid_ = -1;
            return false;
        }
        outReader_ = std::thread([this, fd = out[0]] { readLines(fd, out_); });
        errReader_ = std::thread([this, fd = err[0]] { readLines(fd, err_); });
        return true;
    }

    ~ChildProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        joinReaders();
    }

    pid_t pid() const { return pid_; }

    // Waits until `count` lines of standard output start with `prefix`; the last of them.
    std::optional<std::string> waitForLine(const std::string& prefix, int count = 1) {
        std::unique_lock lock(mutex_);
        std::optional<std::string> found;
        changed_.wait_for(lock, patience_, [&] {
            int seen = 0;
            for (const std::string& line : out_) {
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
            out_.begin(), out_.end(), [&](const auto& l) { return l.starts_with(prefix); }));
    }
    std::vector<std::string> lines() {
        std::lock_guard lock(mutex_);
        return out_;
    }
    // Standard error, complete once the program has ended (waitForExit).
    std::vector<std::string> errorLines() {
        std::lock_guard lock(mutex_);
        return err_;
    }

    // Sends `signal` to the program.
    void signal(int signal) {
        if (pid_ > 0) {
            ::kill(pid_, signal);
        }
    }

    // Waits for the program to end: its exit status, 128 + the signal that ended it, or -1
    // when it did not end in time (it is still running then).
    int waitForExit() {
        if (pid_ <= 0) {
            return -1;
        }
        const auto deadline = std::chrono::steady_clock::now() + patience_;
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                joinReaders();
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    // Asks the program to stop with `signal`; as waitForExit.
    int stop(int signal) {
        this->signal(signal);
        return waitForExit();
    }

private:
    void readLines(int fd, std::vector<std::string>& lines) {
        std::string pending;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            pending.append(buffer, static_cast<std::size_t>(got));
            std::size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                {
                    std::lock_guard lock(mutex_);
                    lines.push_back(pending.substr(0, end));
                }
                pending.erase(0, end + 1);
                changed_.notify_all();
            }
        }
        if (!pending.empty()) {
            std::lock_guard lock(mutex_);
            lines.push_back(pending);
        }
        changed_.notify_all();
        ::close(fd);
    }

    void joinReaders() {
        if (outReader_.joinable()) {
            outReader_.join();
        }
        if (errReader_.joinable()) {
            errReader_.join();
        }
    }

    const std::chrono::milliseconds patience_;
    pid_t pid_ = -1;
    std::thread outReader_;
    std::thread errReader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> out_;
    std::vector<std::string> err_;
};

}  // namespace trundlex::servetest
