#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <utility>
#include <vector>

namespace trundlex {

// Whether this build can start threads. The WebAssembly build for pages without cross-origin
// isolation cannot: there every piece of work runs on the calling thread, with the same
// results, since work shared out over threads never depends on how many there are.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr bool kThreadsAvailable = false;
#else
inline constexpr bool kThreadsAvailable = true;
#endif

// Threads to use for work asked to run on `requested` threads: 0 or fewer takes one per core;
// always 1 where threads are not available.
inline int threadsFor(int requested) {
    if (!kThreadsAvailable) {
        return 1;
    }
    return requested > 0 ? requested
                         : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Runs `work` on the calling thread and on `extra` threads more, and returns once every one of
// them has ended. The work shares out its tasks itself (an atomic index, say). Where threads
// are not available, `work` runs once, on the calling thread, and so takes every task.
template <typename Work>
void runOnThreads(int extra, const Work& work) {
    if (!kThreadsAvailable) {
        extra = 0;
    }
    std::vector<std::thread> pool;
    for (int t = 0; t < extra; ++t) {
        pool.emplace_back(work);
    }
    work();
    for (std::thread& t : pool) {
        t.join();
    }
}

// Starts `work` on a thread of its own. Where threads are not available the thread is never
// started and `work` never runs: only for work that has nothing to do in such a build (the
// network's I/O, which the WebAssembly build leaves to the page).
template <typename Work>
std::thread threadIfAvailable(Work&& work) {
    if (!kThreadsAvailable) {
        return {};
    }
    return std::thread(std::forward<Work>(work));
}

// Joins `thread` unless it was never started.
inline void joinIfStarted(std::thread& thread) {
    if (thread.joinable()) {
        thread.join();
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
