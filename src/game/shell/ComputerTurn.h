#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "level/Level.h"
#include "play/ComputerPlayer.h"
#include "platform/GuiThreadRelay.h"

namespace trundlex {

// Thinks out a computer player's putt on a thread of its own, so that the window stays
// responsive, and hands the putt to the thread the object lives on (the GUI thread).
class ComputerTurn {
public:
    ComputerTurn() = default;
    // Cuts the thinking short and waits for the thread.
    ~ComputerTurn();
    ComputerTurn(const ComputerTurn&) = delete;
    ComputerTurn& operator=(const ComputerTurn&) = delete;

    // Starts thinking about a putt for a ball at (x, y); the level is copied, so it may change
    // meanwhile. `done` runs later on this object's thread with the putt, unless cancel or a
    // new start comes first. seed gives the putt's random error.
    void start(const Level& level, double x, double y, ComputerStrength strength,
               std::uint32_t seed, std::function<void(ComputerPutt)> done);
    // Forgets the putt being thought out (its `done` will not run) and waits for the thread,
    // which the stop request ends within a few simulated putts.
    void cancel();
    bool isThinking() const { return thinking_; }

private:
    GuiThreadRelay relay_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    // Which start a finished thought belongs to; GUI thread only.
    std::uint64_t generation_ = 0;
    bool thinking_ = false;
};

}  // namespace trundlex
