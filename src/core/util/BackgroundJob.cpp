#include "BackgroundJob.h"

#include "util/Threads.h"

namespace trundlex {

BackgroundJob::BackgroundJob(TaskRelay& relay) : relay_(relay) {}

BackgroundJob::~BackgroundJob() {
    cancel();
}

void BackgroundJob::start(Work work) {
    cancel();
    stop_.store(false);
    const std::uint64_t generation = ++*generation_;
    std::weak_ptr<std::uint64_t> current = generation_;
    Deliver deliver = [this, generation, current](std::function<void()> task) {
        relay_.post([generation, current, task = std::move(task)] {
            const auto now = current.lock();
            if (now && *now == generation) {
                task();
            }
        });
    };
    if (!kThreadsAvailable) {
        // The work runs here and now; its results still reach the owner through the relay,
        // after this call, as from a thread that finished at once. (A page runs such a build
        // in a worker, so the page itself never waits for it.)
        work(stop_, deliver);
        return;
    }
    thread_ = std::thread(
        [this, work = std::move(work), deliver = std::move(deliver)] { work(stop_, deliver); });
}

void BackgroundJob::cancel() {
    ++*generation_;
    stop_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace trundlex
