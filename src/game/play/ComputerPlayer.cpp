#include "ComputerPlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "level/Material.h"
#include "solver/PuttSolver.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// Spread of the errors (one standard deviation): heading in radians, speed as a fraction.
// Easy misses most putts from further than a few blocks; hard rarely misses an easy one.
struct Spread {
    double heading;
    double speed;
};

Spread spreadOf(ComputerStrength strength) {
    switch (strength) {
        case ComputerStrength::Easy:
            return {0.09, 0.18};
        case ComputerStrength::Medium:
            return {0.035, 0.07};
        default:
            return {0.006, 0.015};
    }
}

// A standard normal draw from two uniform draws (Box-Muller).
double normalDraw(RandomSource& random) {
    const double scale = RandomSource::Max + 2.0;
    const double u1 = (random.next() + 1.0) / scale;  // never 0: log(0) is not finite
    const double u2 = (random.next() + 1.0) / scale;
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
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
            const double distance = std::hypot(dx, dy);
            if (best < 0.0 || distance < best) {
                best = distance;
                putt = {Material::GrassFriction * (distance + 1.0), std::atan2(dy, dx)};
            }
        }
    }
    return putt;
}

ComputerPutt planComputerPutt(const PuttSolver& solver, double x, double y, double timeLimit,
                              const std::atomic<bool>* stop) {
    const SolverResult found = solver.solveFrom(
        x, y,
        {.maxStrokes = 3, .timeLimit = std::max(timeLimit, 0.0), .robust = true, .stop = stop});
    return found.putts.empty()
               ? puttAtNearestCup(solver.simulator().level(), x, y)
               : ComputerPutt{found.putts.front().speed, found.putts.front().heading};
}

ComputerPutt spoilComputerPutt(const ComputerPutt& planned, ComputerStrength strength,
                               RandomSource& random) {
    const Spread spread = spreadOf(strength);
    const double headingError = spread.heading * normalDraw(random);
    const double speedError = spread.speed * normalDraw(random);
    ComputerPutt putt = planned;
    putt.heading = std::remainder(putt.heading + headingError, 2.0 * std::numbers::pi);
    putt.speed = std::clamp(putt.speed * (1.0 + speedError), PuttSolver::MinSpeed,
                            PuttSolver::MaxSpeed);
    return putt;
}

}  // namespace trundlex
