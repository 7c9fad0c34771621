#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace trundlex {

// Threads to use for work asked to run on `requested` threads: 0 or fewer takes one per core.
inline int threadsFor(int requested) {
    return requested > 0 ? requested
                         : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Runs `work` on the calling thread and on `extra` threads more, and returns once every one of
// them has ended. The work shares out its tasks itself (an atomic index, say).
template <typename Work>
void runOnThreads(int extra, const Work& work) {
    std::vector<std::thread> pool;
    for (int t = 0; t < extra; ++t) {
        pool.emplace_back(work);
    }
    work();
    for (std::thread& t : pool) {
        t.join();
    }
}

// Runs task(i) for every i below count, shared out over at most `threads` threads (the calling
// one among them), in no particular order; returns once every task has run.
template <typename Task>
void forEachOnThreads(std::size_t count, int threads, const Task& task) {
    std::atomic<std::size_t> next{0};
    runOnThreads(std::min<int>(threads, static_cast<int>(count)) - 1, [&] {
        for (std::size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
            task(i);
        }
    });
}

}  // namespace trundlex
