#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "util/TaskRelay.h"

namespace trundlex::testing {

// The event loop of a test: work posted or handed over from other threads runs on the test's
// thread when the test lets it (runUntil), so a test waits for an event, never for a time.
class TestLoop : public TaskRelay, public TaskHandoff {
public:
    bool post(std::function<void()> task) override {
        std::lock_guard lock(mutex_);
        if (released_) {
            return false;
        }
        tasks_.push_back(std::move(task));
        changed_.notify_all();
        return true;
    }

    bool run(std::function<void()> work) override {
        if (std::this_thread::get_id() == owner_) {
            work();
            return true;
        }
        auto done = std::make_shared<bool>(false);
        if (!post([this, done, work = std::move(work)] {
                work();
                std::lock_guard lock(mutex_);
                *done = true;
                changed_.notify_all();
            })) {
            return false;
        }
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return *done || released_; });
        return *done;
    }

    void release() override {
        std::lock_guard lock(mutex_);
        released_ = true;
        tasks_.clear();
        changed_.notify_all();
    }

    // Runs what arrives until `done` holds; false when `timeout` passed first.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                if (changed_.wait_until(lock, deadline, [&] { return !tasks_.empty(); })) {
                    task = std::move(tasks_.front());
                    tasks_.pop_front();
                }
            }
            // `done` is asked without the loop's lock: it may take locks that posting threads
            // hold while they post.
            if (!task) {
                return done();
            }
            task();
        }
        return true;
    }

    // Waits until something has been posted, without running it; false after `timeout`.
    bool waitForTask(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return !tasks_.empty(); });
    }

    // Runs what is queued now (and what that queues), without waiting for more.
    void runPending() {
        runUntil([] { return false; }, {});
    }

private:
    const std::thread::id owner_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    bool released_ = false;
};

}  // namespace trundlex::testing
