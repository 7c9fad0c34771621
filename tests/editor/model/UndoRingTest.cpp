#include <gtest/gtest.h>

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
        Block wall;
        wall.back() = Material(Wall, Flat);
        setBlockAt(level, n, 0, wall);
    }
    void undo() { level = ring.Pop(); }
    int wallsInFirstRow() const {
        int walls = 0;
        for (int x = 0; x < level.width(); ++x) {
            walls += level.block(x, 0).back().kind() == Wall ? 1 : 0;
        }
        return walls;
    }

    UndoRing ring;
    Level level{8, 3, "undo", "tests"};
};

TEST_F(UndoRingTest, UndoBeforeAnyEditGivesTheDefaultLevel) {
    undo();
    EXPECT_EQ(level.width(), 10);
    EXPECT_EQ(level.height(), 10);
    EXPECT_EQ(level, Level());
}

TEST_F(UndoRingTest, EachUndoStepsBackOneStroke) {
    stroke(0);
    stroke(1);
    stroke(2);
    ASSERT_EQ(wallsInFirstRow(), 3);
    undo();
    EXPECT_EQ(wallsInFirstRow(), 2);
    undo();
    EXPECT_EQ(wallsInFirstRow(), 1);
    undo();
    EXPECT_EQ(wallsInFirstRow(), 0);
    EXPECT_FALSE(level.isModified()) << "the modified flag comes back with the level";
}

TEST_F(UndoRingTest, SixStrokesAndSixUndosWrapToTheSixthSnapshot) {
    for (int n = 0; n < 6; ++n) {
        stroke(n);
    }
    std::vector<int> walls;
    for (int n = 0; n < 6; ++n) {
        undo();
        walls.push_back(wallsInFirstRow());
    }
    // Five slots: the sixth snapshot (five walls) overwrote the first, so after five undos
    // the ring has come round to it again.
    EXPECT_EQ(walls, (std::vector<int>{5, 4, 3, 2, 1, 5}));
    EXPECT_EQ(ring.next(), 0);
}

TEST_F(UndoRingTest, SnapshotsAreCopiesNotViews) {
    level.setName("before");
    ring.Push(level);
    level.setName("after");
    level.resize(4, 4);
    undo();
    EXPECT_EQ(level.name(), "before");
    EXPECT_EQ(level.width(), 8);
    EXPECT_EQ(level.height(), 3);
}

}  // namespace
}  // namespace trundlex::testing
