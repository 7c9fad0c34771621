#pragma once
#include <chrono>

namespace trundlex::tool {

// What the main thread of the dedicated host sleeps on: a request to stop the program, or a
// wake-up from a network thread.
//
// A stop is SIGINT or SIGTERM; on Windows it is Ctrl+C, Ctrl+Break, the console window being
// closed, a logoff or a shutdown. Windows ends the process as soon as its handler returns
// after the last three, so the handler waits (a few seconds at most) until this object is
// gone, by which time the host has said goodbye to its clients.
//
// The handlers are the process's: one object at a time.
//
// On Linux the stop comes through a pipe, since a signal handler may do little else than
// write to one; on Windows the console's handler runs on a thread of its own, so there the
// stop and the wake-ups are flags under a lock, and a wake-up never blocks.
class StopOrWake {
public:
    StopOrWake();
    ~StopOrWake();
    StopOrWake(const StopOrWake&) = delete;
    StopOrWake& operator=(const StopOrWake&) = delete;

    // False when the pipes could not be made (nothing is installed then).
    bool ok() const { return ok_; }
    // Wakes the main thread; any thread may call it. It never blocks for long, and a wake-up
    // more or less makes no difference.
    void wake() const;
    // Sleeps until a stop request (true) or a wake-up (false); every wake-up that came
    // meanwhile is taken with it. A stop that came first is reported first. With a `limit`,
    // it also wakes (false) once that much time has passed.
    bool waitForStop(std::chrono::milliseconds limit = std::chrono::milliseconds(-1));

#ifdef _WIN32
    // What the console's handler does with `event` (CTRL_C_EVENT and the others): asks for
    // the stop and, after the events that end the process, returns only once the object is
    // gone or the time Windows allows is nearly up. False when no object is there, leaving the
    // event to Windows. Public so that tests can send the events Wine cannot raise.
    static bool consoleEvent(unsigned long event);
#endif

private:
    bool ok_ = false;
    int stopRead_ = -1;
    int stopWrite_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
};

}  // namespace trundlex::tool
