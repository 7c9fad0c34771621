#pragma once

#include <functional>
#include <memory>

namespace trundlex {

// Threads that many network games share: one Asio I/O context run by a few threads. A game
// given a pool (NetGame's constructor) runs its I/O, or its deliveries, as tasks on it instead
// of on threads of its own, so that a host of a thousand rooms runs a handful of threads
// rather than two per room. Each game keeps its own order (a strand for its I/O, one delivery
// task at a time for its events). The pool must outlive every game that uses it.
class NetPool {
public:
    // Starts `threads` threads (at least one).
    explicit NetPool(int threads);
    // Stops the threads; tasks not yet run are dropped.
    ~NetPool();
    NetPool(const NetPool&) = delete;
    NetPool& operator=(const NetPool&) = delete;

    // Runs `task` on one of the threads, soon.
    void post(std::function<void()> task);

    // The I/O context and its threads (AsioSupport.h).
    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace trundlex
