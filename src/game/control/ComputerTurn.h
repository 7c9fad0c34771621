#pragma once

#include <functional>

#include "util/BackgroundJob.h"
#include "level/Level.h"
#include "play/ComputerPlayer.h"

namespace trundlex {

// Thinks out a computer player's putt on a thread of its own, so that the window stays
// responsive, and hands the putt to the owner's thread.
class ComputerTurn {
public:
    explicit ComputerTurn(TaskRelay& relay) : job_(relay) {}

    // Starts thinking about a putt for a ball at (x, y); the level is copied, so it may change
    // meanwhile. `done` runs later on the owner's thread with the putt, unless cancel or a new
    // start comes first. seed gives the putt's random error.
    void start(const Level& level, double x, double y, ComputerStrength strength,
               std::uint32_t seed, std::function<void(ComputerPutt)> done);
    // Forgets the putt being thought out (its `done` will not run) and waits for the thread,
    // which the stop request ends within a few simulated putts.
    void cancel();
    bool isThinking() const { return thinking_; }

private:
    BackgroundJob job_;
    bool thinking_ = false;  // owner's thread only
};

}  // namespace trundlex
