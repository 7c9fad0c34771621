#pragma once

#include <algorithm>
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

}  // namespace trundlex
