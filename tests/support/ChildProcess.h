#pragma once
// A program started by a test, its standard output and error read together, line by line.
// Every wait is bounded, so a child that does not answer fails the test instead of hanging it.
#include <signal.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trundlex::testing {

class ChildProcess {
public:
    // What waitForExit() gives for a program that a signal ended.
    static constexpr int Signalled = -2;
    // Milliseconds after which every wait gives up.
    static constexpr int Patience = 20000;

    ~ChildProcess() {
        process_.kill();
        process_.waitForFinished();
    }

    // Starts `program` with `args`. False when it cannot be started.
    bool start(const std::string& program, const std::vector<std::string>& args) {
        QStringList list;
        for (const std::string& a : args) {
            list << QString::fromStdString(a);
        }
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QString::fromStdString(program), list);
        started_ = process_.waitForStarted(Patience);
        return started_;
    }

    // Waits until `count` lines of output start with `prefix`; the last of them.
    std::optional<std::string> waitForLine(const std::string& prefix, int count = 1) {
        const QDeadlineTimer deadline(Patience);
        for (bool more = true;; more = process_.waitForReadyRead(deadline.remainingTime())) {
            readLines();
            int seen = 0;
            for (const std::string& line : lines_) {
                if (line.starts_with(prefix) && ++seen == count) {
                    return line;
                }
            }
            if (!more || deadline.hasExpired()) {
                return std::nullopt;
            }
        }
    }
    int countLines(const std::string& prefix) {
        readLines();
        return static_cast<int>(std::ranges::count_if(
            lines_, [&](const std::string& l) { return l.starts_with(prefix); }));
    }
    // For a program whose every line starts with the UTC time (a host's event lines): lines
    // are kept and matched without it, and those without one are collected (untimedLines).
    void expectTimedLines() { stripTimes_ = true; }
    std::vector<std::string> untimedLines() {
        readLines();
        return untimed_;
    }
    // Everything printed so far.
    std::vector<std::string> lines() {
        readLines();
        return lines_;
    }

    // The program's resident memory in KiB (0 when unknown).
    long residentKib() const {
        QFile status(QStringLiteral("/proc/%1/status").arg(process_.processId()));
        if (!status.open(QIODevice::ReadOnly)) {
            return 0;
        }
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                return line.mid(6).trimmed().split(' ').value(0).toLong();
            }
        }
        return 0;
    }

    void send(char byte) {
        process_.write(&byte, 1);
        process_.waitForBytesWritten(Patience);
    }
    void signal(int signal) { ::kill(static_cast<pid_t>(process_.processId()), signal); }

    // Waits for the program to end: its exit status, Signalled, or -1 when it did not end in
    // time (it is still running then).
    int waitForExit() {
        // (waitForFinished says false for a program whose end was already seen, as it may be
        // while its last lines were awaited.)
        if (!started_ ||
            (process_.state() != QProcess::NotRunning && !process_.waitForFinished(Patience))) {
            return -1;
        }
        readLines();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : Signalled;
    }

private:
    void readLines() {
        process_.waitForReadyRead(0);
        while (process_.canReadLine()) {
            std::string line = process_.readLine().toStdString();
            line = line.substr(0, line.find('\n'));
            if (stripTimes_) {
                const auto time = leadingTime(line);
                if (time) {
                    line.erase(0, *time);
                } else {
                    untimed_.push_back(line);
                }
            }
            lines_.push_back(line);
        }
    }
    // The length of an ISO UTC time and its blank at the start of `line`
    // ("2026-12-09T14:03:07.412Z "), or nothing.
    static std::optional<std::size_t> leadingTime(const std::string& line) {
        static constexpr std::string_view Shape = "dddd-dd-ddTdd:dd:dd.dddZ ";
        if (line.size() < Shape.size()) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < Shape.size(); ++i) {
            const bool digit = line[i] >= '0' && line[i] <= '9';
            if (Shape[i] == 'd' ? !digit : line[i] != Shape[i]) {
                return std::nullopt;
            }
        }
        return Shape.size();
    }

    QProcess process_;
    bool started_ = false;
    bool stripTimes_ = false;
    std::vector<std::string> lines_;
    std::vector<std::string> untimed_;
};

}  // namespace trundlex::testing
