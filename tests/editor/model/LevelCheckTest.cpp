#include <gtest/gtest.h>

#include <cmath>

#include "model/LevelCheck.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

using enum LevelProblem;

TEST(LevelCheck, FindsAMissingCupAndAStartOffTheLevelOnAWallOrInWater) {
    const struct {
        std::vector<std::string_view> rows;
        double x, y;
        std::vector<LevelProblem> problems;
    } cases[] = {
        {{"...", ".O.", "..."}, 0.5, 0.5, {}},
        {{"...", "...", "..."}, 0.5, 0.5, {NoCup}},
        {{"#..", ".o.", "..."}, 0.5, 0.5, {StartInWall}},
        {{"~..", ".O.", "..."}, 0.5, 0.5, {StartInWater}},
        {{"...", ".O.", "..."}, 3.2, 0.5, {StartOutside}},
        {{"...", "...", "~.."}, NAN, 1.0, {NoCup, StartOutside}},
        // The cup of a circle block lies in its middle: its corners are grass to start on.
        {{"o..", "...", "..."}, 0.1, 0.1, {}},
    };
    for (const auto& c : cases) {
        Level level = testing::asciiLevel(c.rows);
        level.setStart(c.x, c.y);
        EXPECT_EQ(findLevelProblems(level), c.problems) << c.rows[0] << " start " << c.x;
    }
}

TEST(LevelCheck, NamesTheCellsOfTheStartAndOfEveryCup) {
    const struct {
        std::vector<std::string_view> rows;
        double x, y;
        std::vector<LevelFinding> findings;
    } cases[] = {
        // The start's cell is the one under the ball's centre, not the nearest corner.
        {{"....", "..#.", ".O.."}, 2.9, 1.1, {{StartInWall, {{2, 1}}}}},
        {{"....", "...~", ".O.."}, 3.5, 1.5, {{StartInWater, {{3, 1}}}}},
        // Cups are named row by row, the whole ones and a shaped block's front alike.
        {{"...O", "....", "oO.."}, 1.5, 1.5, {{SeveralCups, {{3, 0}, {0, 2}, {1, 2}}}}},
        {{"#..O", "....", "O..."}, 0.5, 0.5, {{StartInWall, {{0, 0}}}, {SeveralCups, {{3, 0}, {0, 2}}}}},
        {{"....", "...."}, 9.0, 0.5, {{NoCup, {}}, {StartOutside, {}}}},
    };
    for (const auto& c : cases) {
        Level level = testing::asciiLevel(c.rows);
        level.setStart(c.x, c.y);
        EXPECT_EQ(checkLevel(level), c.findings) << c.rows[0] << " start " << c.x;
    }
}

TEST(LevelCheck, LeavesOutTheParWhenItCouldOnlyRepeatAnEarlierProblem) {
    const struct {
        std::vector<std::string_view> rows;
        double x, y;
        bool par;
    } cases[] = {
        {{"...", ".O.", "..."}, 0.5, 0.5, true},
        {{"O..", "...", "..O"}, 1.5, 1.5, true},  // two cups: either ends the hole
        {{"...", "...", "..."}, 0.5, 0.5, false},
        {{"#..", ".O.", "..."}, 0.5, 0.5, false},
        {{"~..", ".O.", "..."}, 0.5, 0.5, false},
        {{"...", ".O.", "..."}, -1.0, 0.5, false},
        {{"#..", "...", "..O"}, 0.5, 0.5, false},
    };
    for (const auto& c : cases) {
        Level level = testing::asciiLevel(c.rows);
        level.setStart(c.x, c.y);
        EXPECT_EQ(parCanBeWorkedOut(checkLevel(level)), c.par) << c.rows[0] << " start " << c.x;
    }
}

}  // namespace
}  // namespace trundlex
