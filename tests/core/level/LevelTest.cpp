#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "level/Level.h"

namespace trundlex {
namespace {

void setBlock(Level& level, int c, int r, std::string_view code) {
    ASSERT_TRUE(level.block(c, r).fromText(code));
}

TEST(Level, DefaultIsTenByTenOfDefaultBlocks) {
    Level level;
    EXPECT_EQ(level.width(), 10);
    EXPECT_EQ(level.height(), 10);
    EXPECT_EQ(level.startX(), 5.0);
    EXPECT_EQ(level.startY(), 5.0);
    EXPECT_FALSE(level.isModified());
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 10; ++r) {
            EXPECT_TRUE(level.block(c, r).isDefault());
        }
    }
}

TEST(Level, PointQueriesInsideAndOutside) {
    Level level;
    setBlock(level, 9, 3, "S0H8");
    setBlock(level, 2, 2, "S0S6");
    EXPECT_FALSE(level.containsPoint(10.0, 3.0));
    EXPECT_EQ(level.materialKindAt(9.999, 3.0), Cup);
    EXPECT_EQ(level.materialKindAt(-0.0001, 3.0), -1);
    EXPECT_TRUE(level.isWallAt(-0.0001, 3.0)) << "the outside is a wall";
    EXPECT_TRUE(level.isWallAt(3.0, 10.0));
    EXPECT_FALSE(level.isWallAt(3.0, 3.0));
    // Inside, the block's material answers; outside, nothing brakes or pushes.
    const Material sandDown(Sand, SlopeDown);
    EXPECT_EQ(level.frictionAt(2.5, 2.5), sandDown.friction());
    EXPECT_EQ(level.slopeYAt(2.5, 2.5), sandDown.slopeY());
    EXPECT_EQ(level.frictionAt(-0.0001, 3.0), 0.0);
    EXPECT_EQ(level.slopeYAt(-1.0, 2.5), 0.0);
}

TEST(Level, LocateSplitsCellAndOffset) {
    Level level;
    std::int32_t c = -1;
    std::int32_t r = -1;
    double u = -1.0;
    double v = -1.0;
    ASSERT_TRUE(level.locate(3.25, 7.5, &c, &r, &u, &v));
    EXPECT_EQ(std::tuple(c, r, u, v), std::tuple(3, 7, 0.25, 0.5));
    EXPECT_TRUE(level.locate(0.0, 0.0)) << "outputs may be omitted";
}

TEST(Level, AbsurdCoordinatesAreOutside) {
    // Converting NaN or a huge double to an integer before the range check is undefined.
    Level level;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double huge = 1e300;
    for (auto [x, y] : {std::pair{nan, 1.0},
                        {1.0, nan},
                        {huge, 1.0},
                        {1.0, huge},
                        {-huge, 1.0},
                        {std::numeric_limits<double>::infinity(), 1.0}}) {
        EXPECT_FALSE(level.locate(x, y));
        EXPECT_EQ(level.materialKindAt(x, y), -1);
        EXPECT_TRUE(level.isWallAt(x, y));
    }
}

TEST(Level, ShrinkingKeepsBlocksAndPullsStartInside) {
    Level level;
    setBlock(level, 4, 3, "S0I2");
    level.resize(5, 4);
    EXPECT_EQ(level.width(), 5);
    EXPECT_EQ(level.height(), 4);
    EXPECT_EQ(level.block(4, 3).toText(), "S0I2");
    EXPECT_DOUBLE_EQ(level.startX(), 4.65);
    EXPECT_DOUBLE_EQ(level.startY(), 3.65);
    EXPECT_TRUE(level.isModified());
}

TEST(Level, GrowingAddsDefaultBlocks) {
    Level level;
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 10; ++r) {
            setBlock(level, c, r, "S0S8");
        }
    }
    level.resize(12, 11);
    for (int c = 0; c < 12; ++c) {
        for (int r = 0; r < 11; ++r) {
            EXPECT_EQ(level.block(c, r).isDefault(), c >= 10 || r >= 10) << c << "," << r;
        }
    }
}

TEST(Level, ClampStartLowerBoundWinsInNarrowLevel) {
    Level level(2, 2);
    level.setStart(-3.0, 7.0);
    level.setModified(false);
    level.clampStart();
    EXPECT_DOUBLE_EQ(level.startX(), 0.35);
    EXPECT_DOUBLE_EQ(level.startY(), 1.65);
    EXPECT_TRUE(level.isModified());

    level.setModified(false);
    level.clampStart();
    EXPECT_FALSE(level.isModified()) << "a start already inside is not moved";

    // Narrower than a ball: the upper bound is applied first, then the lower one wins.
    Level narrow(2, 2);
    narrow.resize(0, 0);
    EXPECT_DOUBLE_EQ(narrow.startX(), 0.35);
}

TEST(Level, NamesLoseBracesAndModifiedFollowsChanges) {
    Level level;
    level.setName("a{b}c");
    EXPECT_EQ(level.name(), "abc");
    EXPECT_TRUE(level.isModified());
    level.setModified(false);
    level.setName("abc");
    EXPECT_FALSE(level.isModified()) << "an unchanged name is not a change";
    level.setCreator("{Team}");
    EXPECT_EQ(level.creator(), "Team");
    level.setModified(false);
    level.setCreator("Team");
    EXPECT_TRUE(level.isModified()) << "the creator always counts as a change";
}

TEST(Level, SortsByCreatorThenNameThenSize) {
    std::vector<Level> levels{Level(10, 10, "X", "P"), Level(10, 10, "A", "Q"),
                              Level(10, 10, "B", "P")};
    std::sort(levels.begin(), levels.end(), Level::lessThan);
    EXPECT_EQ(levels[0].name(), "B");
    EXPECT_EQ(levels[1].name(), "X");
    EXPECT_EQ(levels[2].name(), "A");

    Level big(5, 6, "Same", "Same");
    Level small(6, 4, "Same", "Same");
    EXPECT_TRUE(Level::lessThan(small, big));
    EXPECT_FALSE(Level::lessThan(big, small));
    EXPECT_FALSE(Level::lessThan(big, big)) << "strict: equal levels are not less";

    // Bytes compare unsigned: a non-ASCII creator sorts after plain letters.
    EXPECT_TRUE(Level::lessThan(Level(2, 2, "n", "Z"), Level(2, 2, "n", "\xc3\x85sa")));
}

}  // namespace
}  // namespace trundlex
