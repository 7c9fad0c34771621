// The putt solver must find real hole-outs in the fewest strokes it can and must fail where there
// is none: a search that passed every level would prove nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "solver/PuttSolver.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

// The cup walled in on every side.
const std::vector<std::string_view> kWalledIn = {
    "##############", "#............#", "#.......###..#", "#.......#o#..#",
    "#.......###..#", "#............#", "##############",
};

Level levelWithStart(const std::vector<std::string_view>& rows, double x, double y) {
    Level level = testing::asciiLevel(rows);
    level.setStart(x, y);
    return level;
}

TEST(CupDistanceMapTest, CountsTheWayAroundWallsToTheCup) {
    const Level level = levelWithStart(
        {
            "##########",
            "#........#",
            "#.######.#",
            "#......#o#",
            "##########",
        },
        1.5, 3.5);
    const CupDistanceMap map(level);
    EXPECT_EQ(map.at(8.5, 3.5), 0.0) << "the cup itself";
    // From the start the ball must go up, along the top and down again: about 10 blocks to
    // the cup's edge, cutting the corners. A straight line would be 7 blocks.
    EXPECT_GT(map.at(1.5, 3.5), 9.5);
    EXPECT_LT(map.at(1.5, 3.5), 11.5);
    EXPECT_LT(map.at(8.5, 1.5), map.at(1.5, 1.5));
    EXPECT_EQ(map.at(4.5, 2.5), CupDistanceMap::Unreachable) << "inside a wall";
}

TEST(PuttSolverTest, FindsAStraightPuttFromTheStartOrAnyPosition) {
    const Level level = levelWithStart(
        {
            "############",
            "#..........#",
            "#.........o#",
            "#..........#",
            "############",
        },
        2.5, 2.5);
    const PuttSolver solver(level);
    EXPECT_GT(solver.distances().at(2.5, 2.5), solver.distances().at(6.5, 2.5));
    for (const auto& [x, y] : {std::pair{2.5, 2.5}, {6.5, 1.5}}) {
        const SolverResult result = x == 2.5 ? solver.solve() : solver.solveFrom(x, y);
        ASSERT_TRUE(result.holed);
        ASSERT_EQ(result.putts.size(), 1u);
        EXPECT_TRUE(result.putts[0].holed);
        EXPECT_EQ(result.putts[0].fromX, x);
        EXPECT_EQ(result.putts[0].fromY, y);
        EXPECT_GE(result.putts[0].speed, PuttSolver::MinSpeed);
        EXPECT_EQ(result.distanceLeft, 0.0);
        EXPECT_GT(result.simulatedPutts, 0);
    }
}

TEST(PuttSolverTest, FailsWhenTheCupIsOnlyBeyondWater) {
    const Level level = levelWithStart(
        {
            "############",
            "#.....~~~~~#",
            "#.....~...~#",
            "#.....~.o.~#",
            "#.....~...~#",
            "#.....~~~~~#",
            "############",
        },
        2.5, 3.5);
    const PuttSolver solver(level);
    EXPECT_FALSE(solver.distances().reachable(2.5, 3.5)) << "water is no way through";
    EXPECT_TRUE(solver.distances().reachable(7.5, 2.5));
    const SolverResult result = solver.solve();
    EXPECT_FALSE(result.holed);
    EXPECT_GT(result.simulatedPutts, 0);
}

// Two rooms joined by a corridor four blocks long, the cup in the far corner: no straight
// putt and no bank reaches it, so the first stroke must end beyond the door.
TEST(PuttSolverTest, NeedsTwoStrokesToGetRoundACorner) {
    const Level level = levelWithStart(
        {
            "##############",
            "#.....########",
            "#.....########",
            "#............#",
            "#.....#####..#",
            "##########...#",
            "##########...#",
            "##########..o#",
            "##############",
        },
        2.5, 1.5);
    const PuttSolver solver(level);
    const SolverResult one = solver.solve({.maxStrokes = 1});
    EXPECT_FALSE(one.holed);
    const SolverResult result = solver.solve();
    ASSERT_TRUE(result.holed);
    ASSERT_EQ(result.putts.size(), 2u);
    EXPECT_GT(result.putts[0].toX, 10.0) << "the first putt goes through the door";
    EXPECT_EQ(result.putts[0].fromX, level.startX());
    EXPECT_FALSE(result.putts[0].holed);
    EXPECT_EQ(result.putts[1].fromX, result.putts[0].toX);
    EXPECT_EQ(result.putts[1].fromY, result.putts[0].toY);
    EXPECT_TRUE(result.putts[1].holed);
}

TEST(PuttSolverTest, GivesTheSameAnswerOnOneThreadAsOnSeveral) {
    const Level level = levelWithStart(
        {
            "####################",
            "#..................#",
            "#..ss....###.......#",
            "#..ss....#.........#",
            "#........#...~~....#",
            "#..>>>>..#...~~..o.#",
            "#..................#",
            "####################",
        },
        1.5, 6.5);
    const PuttSolver solver(level);
    const SolverResult one = solver.solve({.threads = 1});
    const SolverResult four = solver.solve({.threads = 4});
    ASSERT_TRUE(one.holed);
    ASSERT_EQ(one.putts.size(), four.putts.size());
    for (std::size_t i = 0; i < one.putts.size(); ++i) {
        EXPECT_EQ(one.putts[i].speed, four.putts[i].speed);
        EXPECT_EQ(one.putts[i].heading, four.putts[i].heading);
        EXPECT_EQ(one.putts[i].toX, four.putts[i].toX);
        EXPECT_EQ(one.putts[i].toY, four.putts[i].toY);
    }
}

TEST(PuttSolverTest, FailsWhenTheCupIsWalledInAndATimeLimitCutsTheSearch) {
    // The search runs all its strokes and must not claim a hole-out; a tiny limit cuts it.
    const Level level = levelWithStart(kWalledIn, 2.5, 3.5);
    const PuttSolver solver(level);
    const SolverResult full = solver.solve({.maxStrokes = 3});
    const SolverResult cut = solver.solve({.maxStrokes = 3, .timeLimit = 1e-6});
    EXPECT_FALSE(full.holed);
    EXPECT_GT(full.simulatedPutts, 0) << "the search must really have putted";
    EXPECT_FALSE(full.timedOut);
    EXPECT_TRUE(cut.timedOut);
    EXPECT_FALSE(cut.holed);
    EXPECT_LT(cut.simulatedPutts, full.simulatedPutts);
}

}  // namespace
}  // namespace trundlex
