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
        Block wall;
        wall.back() = Material(Wall, Flat);
        setBlockAt(level, n, 0, wall);
    }
    void undo() { level = ring.Pop(); }
    long wallsInFirstRow() const {
        const std::string row = asciiRows(level).front();
        return std::count(row.begin(), row.end(), '#');
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
    std::vector<long> walls;
    for (int n = 0; n < 6; ++n) {
        undo();
        walls.push_back(wallsInFirstRow());
    }
    // Five slots: the sixth snapshot (five walls) overwrote the first, so after five undos
    // the ring has come round to it again.
    EXPECT_EQ(walls, (std::vector<long>{5, 4, 3, 2, 1, 5}));
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
