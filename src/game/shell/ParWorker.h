#pragma once

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "level/Level.h"
#include "platform/GuiThreadRelay.h"

namespace trundlex {

class ParCache;

// Works out the pars of a game's levels on a thread of its own, one core only so that the
// rolling ball keeps its pace, and reports each to the thread the object lives on.
class ParWorker {
public:
    // found(index, par) runs on this object's thread for every level whose par is known.
    using Found = std::function<void(int index, int par)>;

    explicit ParWorker(ParCache& cache) : cache_(cache) {}
    // Stops the work and waits for the thread.
    ~ParWorker();
    ParWorker(const ParWorker&) = delete;
    ParWorker& operator=(const ParWorker&) = delete;

    // Reports the pars the cache knows at once (before returning), then works out the others
    // in order. A new start or cancel ends the work before.
    void start(std::vector<Level> levels, Found found);
    void cancel();

private:
    ParCache& cache_;
    GuiThreadRelay relay_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::uint64_t generation_ = 0;  // this object's thread only
};

}  // namespace trundlex
