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

}  // namespace
}  // namespace trundlex
