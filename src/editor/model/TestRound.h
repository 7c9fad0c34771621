#pragma once

#include <cstdint>

#include "ball/BallPhysics.h"

namespace trundlex {

// How the last test putt ended, as the ball itself found it.
enum class TestOutcome : std::int32_t {
    None = 0,         // no putt yet, or the ball still rolls
    Resting = 1,      // it came to rest on the level
    InCup = 2,        // it dropped into the cup
    Water = 3,        // it fell into water and went back to where the putt began
    OutOfBounds = 4,  // it left the level and went back to where the putt began
};

// The strokes of one go in the editor's test mode and how the last one ended. A ball lost to
// water or the edge counts its stroke, as in the game.
class TestRound {
public:
    // A new go: no strokes, no outcome.
    void start();
    // A putt began: one stroke more, and the last outcome no longer holds.
    void putted();
    // The roll ended, in the cup or not; `loss` is what the ball reports (None: it rests).
    // Ignored when no putt is rolling, so a stop reported twice counts once.
    void ended(bool inCup, BallLoss loss);

    int strokes() const { return strokes_; }
    TestOutcome outcome() const { return outcome_; }
    bool rolling() const { return rolling_; }

private:
    int strokes_ = 0;
    TestOutcome outcome_ = TestOutcome::None;
    bool rolling_ = false;
};

}  // namespace trundlex
