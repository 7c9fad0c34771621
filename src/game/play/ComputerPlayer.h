#pragma once

#include <cstdint>

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

struct ComputerPutt {
    double speed = 0.0;
    double heading = 0.0;
};

// The putt the computer makes for a ball lying at (x, y): the first putt of the shortest way
// into the cup the solver finds (or of the way that gets closest), spoiled by a random error in
// heading and speed that shrinks with the strength. When the solver finds nothing better than
// staying put, a putt straight at the nearest cup. Takes up to timeLimit seconds (a fraction
// of that on most levels); the same draws of the random source give the same putt. Strength
// Person is played as Hard.
ComputerPutt chooseComputerPutt(const PuttSolver& solver, double x, double y,
                                ComputerStrength strength, RandomSource& random,
                                double timeLimit = 3.0);

}  // namespace trundlex
