#pragma once

#include <atomic>
#include <cstdint>

#include "solver/HumanHand.h"

namespace trundlex {

class Level;
class PuttSolver;
class RandomSource;

// How well the computer plays a player; Person means a person does.
enum class ComputerStrength : std::int32_t {
    Person = 0,
    Easy = 1,
    Medium = 2,
    Hard = 3,
};

// The hand a computer player of this strength putts with (Person: as Hard).
HandSpread handOf(ComputerStrength strength);

struct ComputerPutt {
    double speed = 0.0;
    double heading = 0.0;
};

// Straight at the centre of the nearest block with the cup in it, hard enough to get there on
// grass: the putt when nothing better is known.
ComputerPutt puttAtNearestCup(const Level& level, double x, double y);

// The putt the computer would make for a ball lying at (x, y) if it aimed perfectly: what
// PuttPlanner plans, as for the par. When the solver finds nothing better than staying put, a
// putt straight at the nearest cup. From anywhere but the start it looks fewer strokes ahead,
// as the par's players do from where an earlier stroke left the ball. Takes up to
// timeLimit seconds (a fraction of that on most levels). Setting *stop (from another thread)
// cuts the search short; the putt is then the best found so far.
ComputerPutt planComputerPutt(const PuttSolver& solver, double x, double y, double timeLimit = 3.0,
                              const std::atomic<bool>* stop = nullptr);

// The planned putt as a player of the strength makes it: played by handOf(strength), seeded
// from two draws. The same draws give the same putt. Person is played as Hard.
ComputerPutt spoilComputerPutt(const ComputerPutt& planned, ComputerStrength strength,
                               RandomSource& random);

// Both of the above.
inline ComputerPutt chooseComputerPutt(const PuttSolver& solver, double x, double y,
                                       ComputerStrength strength, RandomSource& random,
                                       double timeLimit = 3.0,
                                       const std::atomic<bool>* stop = nullptr) {
    return spoilComputerPutt(planComputerPutt(solver, x, y, timeLimit, stop), strength, random);
}

}  // namespace trundlex
