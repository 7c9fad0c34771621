#include "play/ComputerPlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "solver/PuttSolver.h"
#include "support/AsciiLevel.h"
#include "util/RandomSource.h"

namespace trundlex {
namespace {

struct Play {
    int holed = 0;
    double headingError = 0.0;  // mean absolute error against the planned putt
};

Play playMany(const PuttSolver& solver, double x, double y, ComputerStrength strength, int putts) {
    const ComputerPutt planned = planComputerPutt(solver, x, y);
    Play play;
    SeededRandom random(42);
    for (int i = 0; i < putts; ++i) {
        const ComputerPutt putt = spoilComputerPutt(planned, strength, random);
        EXPECT_GE(putt.speed, PuttSolver::MinSpeed);
        EXPECT_LE(putt.speed, PuttSolver::MaxSpeed);
        play.holed += solver.simulator().putt(x, y, putt.speed, putt.heading).holed ? 1 : 0;
        play.headingError +=
            std::abs(std::remainder(putt.heading - planned.heading, 2 * std::numbers::pi));
    }
    play.headingError /= putts;
    return play;
}

TEST(ComputerPlayerTest, StrongerPlayersAimBetterAndSinkMore) {
    const Level level = testing::asciiLevel({
        "################",
        "#..............#",
        "#..............#",
        "#.............o#",
        "#..............#",
        "#..............#",
        "################",
    });
    const PuttSolver solver(level);
    // The planned putt itself sinks.
    const ComputerPutt planned = planComputerPutt(solver, 1.5, 3.5);
    EXPECT_TRUE(solver.simulator().putt(1.5, 3.5, planned.speed, planned.heading).holed);

    const Play easy = playMany(solver, 1.5, 3.5, ComputerStrength::Easy, 60);
    const Play medium = playMany(solver, 1.5, 3.5, ComputerStrength::Medium, 60);
    const Play hard = playMany(solver, 1.5, 3.5, ComputerStrength::Hard, 60);
    EXPECT_GT(easy.headingError, medium.headingError);
    EXPECT_GT(medium.headingError, hard.headingError);
    EXPECT_GE(hard.holed, 54) << "a putt of 13 blocks on open grass";
    EXPECT_LT(easy.holed, medium.holed);
    EXPECT_LE(medium.holed, hard.holed);
}

TEST(ComputerPlayerTest, PuttsTowardsACupItCannotReach) {
    // The cup is walled in, and every way the solver tries ends no nearer than the start.
    const Level level = testing::asciiLevel({
        "###########",
        "#.........#",
        "#.....###.#",
        "#.....#o#.#",
        "#.....###.#",
        "###########",
    });
    const PuttSolver solver(level);
    SeededRandom random(3);
    const ComputerPutt putt = chooseComputerPutt(solver, 1.5, 3.5, ComputerStrength::Hard, random);
    EXPECT_LT(std::abs(putt.heading), 0.5) << "roughly east, where the cup lies";
    EXPECT_GT(putt.speed, 1.0);
}

}  // namespace
}  // namespace trundlex
