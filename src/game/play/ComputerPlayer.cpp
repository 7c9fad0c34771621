#include "ComputerPlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "level/Level.h"
#include "level/Material.h"
#include "solver/PuttPlanner.h"
#include "solver/PuttSolver.h"
#include "util/PortableMath.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// How much shakier than the person the par is made for each strength's hand is, calibrated
// with `trundlex-tool play-course` over the shipped courses: easy loses more than a stroke a
// hole against par, medium about a third of one, hard plays to par or better.
double shakinessOf(ComputerStrength strength) {
    switch (strength) {
        case ComputerStrength::Easy:
            return 4.5;
        case ComputerStrength::Medium:
            return 1.2;
        default:
            return 0.4;
    }
}

}  // namespace

ComputerPutt puttAtNearestCup(const Level& level, double x, double y) {
    double best = -1.0;
    ComputerPutt putt{PuttSolver::MinSpeed, 0.0};
    for (std::int32_t r = 0; r < level.height(); ++r) {
        for (std::int32_t c = 0; c < level.width(); ++c) {
            if (!level.block(c, r).holds(Cup)) {
                continue;
            }
            const double dx = c + 0.5 - x;
            const double dy = r + 0.5 - y;
            const double distance = pmath::hypot(dx, dy);
            if (best < 0.0 || distance < best) {
                best = distance;
                putt = {Material::GrassFriction * (distance + 1.0), pmath::atan2(dy, dx)};
            }
        }
    }
    return putt;
}

HandSpread handOf(ComputerStrength strength) {
    return HandSpread::person().scaled(shakinessOf(strength));
}

ComputerPutt planComputerPutt(const PuttSolver& solver, double x, double y, double timeLimit,
                              const std::atomic<bool>* stop) {
    PuttPlanner planner(solver, {.timeLimit = std::max(timeLimit, 0.0), .stop = stop});
    // Thought through as far as the par's players think: further from the start, less far
    // from where an earlier stroke left the ball, so that the strengths play as they were
    // measured against par.
    const Level& level = solver.simulator().level();
    const bool fromStart = planner.cellOf(x, y) == planner.cellOf(level.startX(), level.startY());
    bool complete = true;
    const std::optional<SolvedPutt> found = planner.search(x, y, 0, !fromStart, complete);
    return found ? ComputerPutt{found->speed, found->heading}
                 : puttAtNearestCup(solver.simulator().level(), x, y);
}

ComputerPutt spoilComputerPutt(const ComputerPutt& planned, ComputerStrength strength,
                               RandomSource& random) {
    const auto seed = static_cast<std::uint32_t>(random.next()) << 15 |
                      static_cast<std::uint32_t>(random.next());
    HumanHand hand(handOf(strength), seed);
    const HumanHand::Putt putt = hand.play(planned.speed, planned.heading);
    return {putt.speed, putt.heading};
}

}  // namespace trundlex
