#include <gtest/gtest.h>

#include <algorithm>

#include "model/LevelEditing.h"
#include "model/UndoRing.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {
namespace {

// Drives the ring the way the editor does: a snapshot before every stroke.
class UndoRingTest : public ::testing::Test {
protected:
    // One stroke: snapshot, then paint cell (n, 0) as a wall.
    void stroke(int n) {
        ring.Push(level);
        setBlockAt(level, n, 0, Square, 0, Wall, Flat, -1, -1);
    }
    long undoAndCountWalls() {
        level = ring.Pop();
        const std::string row = asciiRows(level).front();
        return std::count(row.begin(), row.end(), '#');
    }

    UndoRing ring;
    Level level{8, 3, "undo", "tests"};
};

TEST_F(UndoRingTest, EachUndoStepsBackOneStrokeAndSixWrapToTheSixthSnapshot) {
    undoAndCountWalls();
    EXPECT_EQ(level, Level()) << "undo before any edit gives the default level";
    stroke(0);
    EXPECT_EQ(undoAndCountWalls(), 0);
    EXPECT_FALSE(level.isModified()) << "the modified flag comes back with the level";
    for (int n = 0; n < 6; ++n) {
        stroke(n);
    }
    std::vector<long> walls;
    for (int n = 0; n < 6; ++n) {
        walls.push_back(undoAndCountWalls());
    }
    // Five slots: the sixth snapshot (five walls) overwrote the first, so after five undos
    // the ring has come round to it again.
    EXPECT_EQ(walls, (std::vector<long>{5, 4, 3, 2, 1, 5}));
}

}  // namespace
}  // namespace trundlex::testing
