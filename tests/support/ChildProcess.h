#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace trundlex::testing {

// Another program run by a test, with its standard input and output on pipes, so that the
// test can wait for what it prints and tell it when to go on. Waits are bounded: a child
// that does not answer in time fails the test and is killed.
class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> argv) {
        int in[2];
        int out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) {
            ADD_FAILURE() << "no pipe";
            return;
        }
        std::vector<char*> args;
        for (std::string& arg : argv) {
            args.push_back(arg.data());
        }
        args.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            for (const int fd : {in[0], in[1], out[0], out[1]}) {
                ::close(fd);
            }
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~ChildProcess() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(toChild_);
        ::close(fromChild_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // What the child printed up to its next line end; empty when it printed none in time.
    std::string readLine(int timeoutMs = 10000) {
        std::string line;
        char c = 0;
        while (waitReadable(timeoutMs) && ::read(fromChild_, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }
    void send(char byte) { EXPECT_EQ(::write(toChild_, &byte, 1), 1); }
    // The exit status once the child has ended (seen as the end of its output); -1 when it
    // did not end in time (it is killed then) or did not end normally.
    int exitCode(int timeoutMs = 20000) {
        char buffer[256];
        ssize_t n = 1;
        while (n > 0 && waitReadable(timeoutMs)) {
            n = ::read(fromChild_, buffer, sizeof buffer);
        }
        if (n > 0) {
            ADD_FAILURE() << "child " << pid_ << " did not end in time";
            ::kill(pid_, SIGKILL);
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        exited_ = true;
        return n == 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    bool waitReadable(int timeoutMs) {
        pollfd p{fromChild_, POLLIN, 0};
        return ::poll(&p, 1, timeoutMs) == 1;
    }

    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    bool exited_ = false;
};

}  // namespace trundlex::testing
