#include "StopOrWake.h"

#include <atomic>
#include <cerrno>

#ifdef _WIN32
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

#ifdef _WIN32

// Windows calls the console's handler on a thread of its own, so it may lock and wait like any
// other thread: the stop and the wake-ups are flags under one lock.
struct Waiting {
    std::mutex mutex;
    std::condition_variable changed;
    bool running = false;
    bool stop = false;
    bool woken = false;
};
Waiting gWaiting;

constexpr std::chrono::milliseconds kLongestCloseWait{4000};  // Windows allows about 5 s

BOOL WINAPI onConsoleEvent(DWORD event) {
    return StopOrWake::consoleEvent(event) ? TRUE : FALSE;
}

#else

// The write end of the stop pipe. A signal handler can reach nothing but a global; it only
// ever writes one byte here, everything else happens on the main thread.
std::atomic<int> gStopPipe{-1};

void writeByte(int fd) {
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
}

extern "C" void onStopSignal(int) {
    const int saved = errno;
    writeByte(gStopPipe.load());
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
    {
        const std::lock_guard lock(gWaiting.mutex);
        gWaiting.running = true;
        gWaiting.stop = false;
        gWaiting.woken = false;
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
        const std::lock_guard lock(gWaiting.mutex);
        gWaiting.running = false;
    }
    // A handler waiting after a close returns now, and Windows ends the process.
    gWaiting.changed.notify_all();
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
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
    if (!ok_) {
        return;
    }
#ifdef _WIN32
    {
        const std::lock_guard lock(gWaiting.mutex);
        gWaiting.woken = true;
    }
    gWaiting.changed.notify_all();
#else
    writeByte(wakeWrite_);
#endif
}

bool StopOrWake::waitForStop(std::chrono::milliseconds limit) {
    if (!ok_) {
        return true;
    }
#ifdef _WIN32
    std::unique_lock lock(gWaiting.mutex);
    const auto woken = [] { return gWaiting.stop || gWaiting.woken; };
    if (limit.count() < 0) {
        gWaiting.changed.wait(lock, woken);
    } else {
        gWaiting.changed.wait_for(lock, limit, woken);
    }
    gWaiting.woken = false;
    return gWaiting.stop;
#else
    char bytes[4096];
    pollfd wait[2] = {{stopRead_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int timeout = limit.count() < 0 ? -1 : static_cast<int>(limit.count());
    if (::poll(wait, 2, timeout) < 0 && errno != EINTR) {
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

#ifdef _WIN32
bool StopOrWake::consoleEvent(unsigned long event) {
    std::unique_lock lock(gWaiting.mutex);
    if (!gWaiting.running) {
        // No host any more: what Windows does by default (ending the process) is right.
        return false;
    }
    gWaiting.stop = true;
    gWaiting.changed.notify_all();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        gWaiting.changed.wait_for(lock, kLongestCloseWait, [] { return !gWaiting.running; });
    }
    return true;
}
#endif

}  // namespace trundlex::tool
