#pragma once

#include <vector>

#include "ball/Ball.h"
#include "solver/PuttSolver.h"
#include "support/SilentBallOwner.h"

namespace trundlex::testing {

// Plays the putts again on a fresh ball, each from where the one before ended: true when
// the last one, and only the last one, drops into the cup. A found solution that does not
// replay would prove nothing about the level.
inline bool replayHolesOut(const Level& level, const std::vector<SolvedPutt>& putts) {
    SilentBallOwner owner;
    Ball ball;
    ball.SetSoundOn(false);
    ball.SetLevel(level);
    for (std::size_t i = 0; i < putts.size(); ++i) {
        const double x = ball.GetX();
        const double y = ball.GetY();
        if (x != putts[i].fromX || y != putts[i].fromY) {
            return false;
        }
        ball.SetLevel(level);
        ball.SetX(x);
        ball.SetY(y);
        if (!ball.PuttNow(putts[i].speed, putts[i].heading, &owner, Fastest)) {
            return false;
        }
        if (ball.IsSinking()) {
            return i + 1 == putts.size();
        }
    }
    return false;
}

}  // namespace trundlex::testing
