#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "util/TaskRelay.h"

namespace trundlex {

// One piece of work at a time on a thread of its own, whose results reach the owner's thread
// through a relay. Where threads are not available (util/Threads.h), start runs the work on
// the calling thread before it returns; the results still come through the relay. A new start or a
// cancel makes every result of the work before it vanish, also those already queued in the relay,
// so an owner never sees a stale answer.
class BackgroundJob {
public:
    // Hands a result to the owner's thread: `task` runs there unless the job was cancelled,
    // restarted or destroyed first.
    using Deliver = std::function<void(std::function<void()> task)>;
    // The work; `stop` turns true when the job is cancelled, and the work should then end soon.
    using Work = std::function<void(const std::atomic<bool>& stop, const Deliver& deliver)>;

    // The relay must outlive the job's work (it may hold tasks after the job is gone: they do
    // nothing then).
    explicit BackgroundJob(TaskRelay& relay);
    // Cancels and waits for the thread.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Cancels the work before, then runs `work` on a new thread.
    void start(Work work);
    // Asks the work to stop, forgets its results and waits for the thread. Owner's thread.
    void cancel();

private:
    TaskRelay& relay_;
    // Which start the results belong to; read and written on the owner's thread only. Shared
    // with the tasks in the relay, which may outlive the job.
    std::shared_ptr<std::uint64_t> generation_ = std::make_shared<std::uint64_t>(0);
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace trundlex
