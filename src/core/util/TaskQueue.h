#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "util/TaskRelay.h"

namespace trundlex {

// Tasks for one thread, the queue's owner (the thread that made it), from any thread: the
// part of an event loop that other threads reach. They post background results, or hand work
// over and wait until the owner has run it; the owner takes the tasks one at a time, in the
// order posted, and runs them.
class TaskQueue : public TaskRelay, public TaskHandoff {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    // Queues `task`; false (dropped) once released.
    bool post(std::function<void()> task) override;
    // On the owner's thread runs `work` at once. From another thread queues it and waits until
    // the owner has run it; false (not run) once released.
    bool run(std::function<void()> work) override;
    // Drops what is queued, lets every waiting thread go without its work and refuses what
    // comes later.
    void release() override;

    // The next task, waiting for one until `deadline` (a deadline past: no wait); empty when
    // none was there by then. Owner's thread.
    std::function<void()> take(Deadline deadline);
    // Waits until a task is queued, without taking it; false when none was by `deadline`.
    bool waitForTask(Deadline deadline);
    bool isReleased() const;

private:
    const std::thread::id owner_ = std::this_thread::get_id();
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    bool released_ = false;
};

}  // namespace trundlex
