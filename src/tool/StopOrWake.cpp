#include "StopOrWake.h"

#include <atomic>
#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace trundlex::tool {

namespace {

// The write end of the stop pipe. A handler can reach nothing but a global; it only ever
// writes one byte here, everything else happens on the main thread.
std::atomic<int> gStopPipe{-1};

void writeByte(int fd) {
    if (fd >= 0) {
        const char byte = 1;
#ifdef _WIN32
        [[maybe_unused]] const int n = ::_write(fd, &byte, 1);
#else
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
#endif
    }
}

void writeStopByte() {
    writeByte(gStopPipe.load());
}

#ifdef _WIN32

// The console's handler runs on a thread of its own, so it may lock and wait; after the
// events that end the process it waits here until the host has shut down.
std::mutex gEndMutex;
std::condition_variable gEnded;
bool gRunning = false;
std::atomic<bool> gStopRequested{false};

constexpr std::chrono::milliseconds kLongestCloseWait{4000};  // Windows allows about 5 s

BOOL WINAPI onConsoleEvent(DWORD event) {
    gStopRequested = true;
    writeStopByte();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        std::unique_lock lock(gEndMutex);
        gEnded.wait_for(lock, kLongestCloseWait, [] { return !gRunning; });
    }
    return TRUE;
}

// Anonymous pipes of the C runtime: a blocking read on one is how the main thread sleeps,
// and the stop byte goes to the same pipe as the wake-ups (the stop flag tells them apart).
bool makePipe(int& readEnd, int& writeEnd) {
    int fds[2];
    if (::_pipe(fds, 4096, _O_BINARY | _O_NOINHERIT) != 0) {
        return false;
    }
    readEnd = fds[0];
    writeEnd = fds[1];
    return true;
}

#else

extern "C" void onStopSignal(int) {
    const int saved = errno;
    writeStopByte();
    errno = saved;
}

struct sigaction gOldInt {};
struct sigaction gOldTerm {};

// Non-blocking, so that a flood of wake-ups never holds up a network thread, and separate
// pipes, so that it never crowds out a stop either.
bool makePipe(int& readEnd, int& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    readEnd = fds[0];
    writeEnd = fds[1];
    return true;
}

#endif

}  // namespace

StopOrWake::StopOrWake() {
#ifdef _WIN32
    if (!makePipe(wakeRead_, wakeWrite_)) {
        return;
    }
    gStopRequested = false;
    gStopPipe.store(wakeWrite_);
    {
        const std::lock_guard lock(gEndMutex);
        gRunning = true;
    }
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    if (!makePipe(stopRead_, stopWrite_)) {
        return;
    }
    if (!makePipe(wakeRead_, wakeWrite_)) {
        ::close(stopRead_);
        ::close(stopWrite_);
        return;
    }
    gStopPipe.store(stopWrite_);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &gOldInt);
    ::sigaction(SIGTERM, &action, &gOldTerm);
#endif
    ok_ = true;
}

StopOrWake::~StopOrWake() {
    if (!ok_) {
        return;
    }
#ifdef _WIN32
    {
        const std::lock_guard lock(gEndMutex);
        gRunning = false;
    }
    gEnded.notify_all();
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    gStopPipe.store(-1);
    ::_close(wakeRead_);
    ::_close(wakeWrite_);
#else
    ::sigaction(SIGINT, &gOldInt, nullptr);
    ::sigaction(SIGTERM, &gOldTerm, nullptr);
    gStopPipe.store(-1);
    for (const int fd : {stopRead_, stopWrite_, wakeRead_, wakeWrite_}) {
        ::close(fd);
    }
#endif
}

void StopOrWake::wake() const {
    writeByte(wakeWrite_);
}

bool StopOrWake::waitForStop() {
    if (!ok_) {
        return true;
    }
    char bytes[4096];
#ifdef _WIN32
    const int n = ::_read(wakeRead_, bytes, sizeof bytes);
    return n <= 0 || gStopRequested.load();
#else
    pollfd wait[2] = {{stopRead_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    if (::poll(wait, 2, -1) < 0 && errno != EINTR) {
        return true;
    }
    if (::read(stopRead_, bytes, sizeof bytes) > 0) {
        return true;
    }
    while (::read(wakeRead_, bytes, sizeof bytes) > 0) {
    }
    return false;
#endif
}

}  // namespace trundlex::tool
