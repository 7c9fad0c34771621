#pragma once

#include <cstdint>

#include "BallPhysics.h"

namespace trundlex {

class Level;

// Where a putt ended.
struct PuttOutcome {
    double x = 0.0;
    double y = 0.0;
    bool holed = false;
    // Not holed and ended where it began: in water or over the edge (the ball goes back), or
    // it never moved.
    bool wasted = false;
    std::int32_t subSteps = 0;
    BallLoss loss = BallLoss::None;  // why a wasted putt lost the ball
};

// Plays putts on one level without a Ball, a thread or notifications: for searches that try
// thousands of putts. A putt from a position ends exactly where Ball::PuttNow ends it, to the
// last bit, for a ball that starts there with full radius. Const and safe to call from several
// threads at once. The level must outlive the simulator and not change while it is used.
class PuttSimulator {
public:
    enum class Probing {
        WhereNeeded,  // skip the wall and cup probes where they cannot find anything
        Everywhere,   // probe at every sub-step, as the animated ball does
    };

    explicit PuttSimulator(const Level& level, Probing probing = Probing::WhereNeeded);

    // The sub-steps of a tick of the fastest speed mode, which synchronous putts use.
    static constexpr std::int32_t TickSubSteps = 10;

    // slowCount: sub-steps the ball has already spent at rest speed (a ball keeps the count of
    // its last roll; a putt whose speed stays above rest speed for its first sub-step clears it).
    PuttOutcome putt(double x, double y, double speed, double heading,
                     std::int32_t slowCount = 0) const {
        return putt(x, y, speed, heading, slowCount, TickSubSteps,
                    [](const BallMotion&) { return true; });
    }

    // The same, calling visit(motion) after every tick of tickSubSteps sub-steps while the
    // ball still rolls; the roll is cut there (as if the ball had stopped) when visit returns
    // false.
    template <class Visit>
    PuttOutcome putt(double x, double y, double speed, double heading, std::int32_t slowCount,
                     std::int32_t tickSubSteps, Visit&& visit) const {
        BallMotion m;
        m.x = x;
        m.y = y;
        m.slowCount = slowCount;
        m.begin(speed, heading);
        while (m.radius > 0.0 && m.rolling) {
            runSubSteps(m, level_, open_ptr(), tickSubSteps, nullptr, nullptr, nullptr, nullptr);
            if (m.rolling && !visit(static_cast<const BallMotion&>(m))) {
                break;
            }
        }
        return {m.x, m.y, m.sinking, !m.sinking && m.x == m.startX && m.y == m.startY,
                m.subSteps, m.loss};
    }

    const Level& level() const { return level_; }

private:
    const OpenCells* open_ptr() const {
        return probing_ == Probing::WhereNeeded ? &open_ : nullptr;
    }

    const Level& level_;
    Probing probing_;
    OpenCells open_;
};

}  // namespace trundlex
