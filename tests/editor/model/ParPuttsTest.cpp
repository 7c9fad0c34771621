// The solver's way into the cup as a designer sees it on the level.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

#include "model/ParPutts.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

using testing::asciiLevel;

// A walled course with a wall between start and cup: no straight way in, so the way found
// bends round the wall's end.
Level bentCourse() {
    Level level = asciiLevel({"##########",
                              "#........#",
                              "#....#...#",
                              "#....#.O.#",
                              "#....#...#",
                              "#....#...#",
                              "#........#",
                              "##########"});
    level.setStart(2.5, 3.5);
    return level;
}

TEST(ParPutts, ThePathsRunFromTheStartIntoTheCupOverTheLevel) {
    const Level level = bentCourse();
    const auto paths = findParPutts(level, 5, 1);
    ASSERT_TRUE(paths.has_value());
    ASSERT_FALSE(paths->empty()) << "the cup can be reached";
    EXPECT_LE(paths->size(), 5u);
    EXPECT_DOUBLE_EQ(paths->front().points.front().x, level.startX());
    EXPECT_DOUBLE_EQ(paths->front().points.front().y, level.startY());
    for (std::size_t i = 0; i < paths->size(); ++i) {
        const PuttPath& path = (*paths)[i];
        ASSERT_GE(path.points.size(), 2u);
        EXPECT_EQ(path.holed, i + 1 == paths->size()) << "only the last putt drops";
        if (i > 0) {
            const PuttPath::Point end = (*paths)[i - 1].points.back();
            EXPECT_DOUBLE_EQ(path.points.front().x, end.x) << "played from where the last rested";
            EXPECT_DOUBLE_EQ(path.points.front().y, end.y);
        }
        for (const PuttPath::Point& p : path.points) {
            ASSERT_TRUE(level.containsPoint(p.x, p.y));
            EXPECT_FALSE(level.isWallAt(p.x, p.y)) << p.x << ", " << p.y;
        }
    }
    const PuttPath::Point last = paths->back().points.back();
    EXPECT_EQ(static_cast<int>(std::floor(last.x)), 7);
    EXPECT_EQ(static_cast<int>(std::floor(last.y)), 3);
    // The wall stands between: some point of the way lies beyond its end, in row 1 or 6.
    bool roundTheWall = false;
    for (const PuttPath& path : *paths) {
        for (const PuttPath::Point& p : path.points) {
            roundTheWall |= std::floor(p.x) == 5 && (p.y < 2.0 || p.y >= 6.0);
        }
    }
    EXPECT_TRUE(roundTheWall);
}

TEST(ParPutts, NoWayGivesNoPathsAndAStopGivesNothing) {
    Level walledIn = asciiLevel({"#######", "#.....#", "#..#..#", "#.#O#.#", "#..#..#", "#######"});
    walledIn.setStart(1.5, 1.5);
    const auto none = findParPutts(walledIn, 3, 1);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());

    const std::atomic<bool> stop{true};
    EXPECT_FALSE(findParPutts(bentCourse(), 5, 1, &stop).has_value());
}

}  // namespace
}  // namespace trundlex
