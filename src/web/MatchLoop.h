#pragma once

#include <cstdint>
#include <functional>
#include <limits>

#include "util/TaskQueue.h"
#include "util/VirtualClock.h"

namespace trundlex::web {

// The event loop and the clock of a game that a page runs step by step: what the game posts
// (background results, balls that stopped) and its timers, on one thread, the loop's owner.
// Time is the loop's own and passes only when nothing else is left to do: then the next
// timer falls due at once. So a game runs as fast as it can and always the same way, whatever
// the speed of the computer, and a page paces what it shows by the events it gets.
class MatchLoop : public VirtualClock, public TaskQueue {
public:
    // What step() did.
    enum class Step : std::int32_t {
        RanTask = 0,   // a posted task ran
        RanTimer = 1,  // nothing was posted: time moved on to the next timer, which ran
        Idle = 2,      // nothing posted, no timer due by `until`, and no work under way that
                       // could post: time moved on to `until` (where it was behind)
    };
    static constexpr std::int64_t Forever = std::numeric_limits<std::int64_t>::max();
    // Runs the next posted task, or else moves time on to the next timer and runs it, unless
    // that timer falls due after `until`. Where work runs on other threads (`busy` says
    // whether any is under way), waits for what it posts before letting time pass, so that
    // every build takes the same steps. A page that shows the game as it goes passes its own
    // clock as `until`, so that the game's time never runs ahead of what the player sees.
    Step step(const std::function<bool()>& busy, std::int64_t until = Forever);
};

}  // namespace trundlex::web
