#pragma once

#include <chrono>
#include <functional>

#include "util/TaskQueue.h"

namespace trundlex::testing {

// The event loop of a test: work posted or handed over from other threads runs on the test's
// thread when the test lets it (runUntil), so a test waits for an event, never for a time.
class TestLoop : public TaskQueue {
public:
    // Runs what arrives until `done` holds; false when `timeout` passed first.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const Deadline deadline = std::chrono::steady_clock::now() + timeout;
        // `done` is asked without the queue's lock: it may take locks that posting threads
        // hold while they post.
        while (!done()) {
            const std::function<void()> task = take(deadline);
            if (!task) {
                return done();
            }
            task();
        }
        return true;
    }

    // Waits until something has been posted, without running it; false after `timeout`.
    bool waitForTask(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        return TaskQueue::waitForTask(std::chrono::steady_clock::now() + timeout);
    }

    // Runs what is queued now (and what that queues), without waiting for more.
    void runPending() {
        runUntil([] { return false; }, {});
    }
};

}  // namespace trundlex::testing
