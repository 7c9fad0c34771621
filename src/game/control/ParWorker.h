#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "util/BackgroundJob.h"
#include "level/Level.h"

namespace trundlex {

class ParCache;

// Works out the pars of a game's levels on a thread of its own, one core only so that the
// rolling ball keeps its pace, and reports each to the owner's thread.
class ParWorker {
public:
    // found(index, par) runs on the owner's thread for every level whose par is known.
    using Found = std::function<void(int index, int par)>;

    ParWorker(ParCache& cache, TaskRelay& relay) : cache_(cache), job_(relay) {}

    // Reports the pars the cache knows (the shipped levels' among them) at once, before
    // returning, then works out the others in order on the thread. Returns how many are left to
    // the thread; with none left, no thread is started. A new start or cancel ends the work
    // before.
    std::size_t start(std::vector<Level> levels, Found found);
    void cancel() { job_.cancel(); }

private:
    ParCache& cache_;
    BackgroundJob job_;
};

}  // namespace trundlex
