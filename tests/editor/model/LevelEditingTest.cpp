#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "model/LevelEditing.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {
namespace {

using Rows = std::vector<std::string>;

// A flat block of one material, as the brush paints it.
Block flatBlock(std::int32_t kind) {
    Block block;
    block.back() = Material(kind, Flat);
    return block;
}
const Block kWall = flatBlock(Wall);
const Block kWater = flatBlock(Water);

Level emptyLevel(int width, int height) {
    Level level(width, height);
    level.setModified(false);
    return level;
}

// --- Line, rectangle and frame ---

TEST(LineTool, LinesReachBothEndCellsAndCoincidingEndsSetOneCell) {
    Level level = emptyLevel(6, 5);
    drawLine(level, 0.5, 4.5, 5.5, 4.5, kWall);
    drawLine(level, 3.5, 3.5, 0.5, 0.5, kWater);
    drawLine(level, 4.6, 1.3, 4.6, 1.3, kWall);
    EXPECT_EQ(asciiRows(level), (Rows{"~.....", ".~..#.", "..~...", "...~..", "######"}));
}

TEST(LineTool, SteepLineSetsOneCellPerRowWithoutGaps) {
    Level level = emptyLevel(4, 8);
    drawLine(level, 1.5, 0.5, 2.5, 7.5, kWall);
    for (const std::string& row : asciiRows(level)) {
        const auto walls = std::count(row.begin(), row.end(), '#');
        EXPECT_TRUE(walls == 1 || walls == 2) << row;
    }
    EXPECT_EQ(asciiRows(level).front(), ".#..");
    EXPECT_EQ(asciiRows(level).back(), "..#.");
}

TEST(LineTool, NonFiniteEndsDrawNothing) {
    Level level = emptyLevel(3, 3);
    drawLine(level, 1.0, 1.0, std::nan(""), 2.0, kWall);
    drawLine(level, 1.0, 1.0, 1.0, HUGE_VAL, kWall);
    EXPECT_FALSE(level.isModified());
}

TEST(RectangleTool, CornersInAnyOrderFillTheSameCellsOneOutsideTheGridChangesNothing) {
    Level level = emptyLevel(5, 4);
    fillRectangle(level, 3, 2, 1, 1, kWall);
    fillRectangle(level, 0, 0, 1, 1, kWater);
    level.setModified(false);
    fillRectangle(level, 1, 1, 5, 2, kWall);
    fillRectangle(level, -1, 0, 2, 2, kWall);
    fillRectangle(level, 1, 1, 0, 0, kWater);
    EXPECT_EQ(asciiRows(level), (Rows{"~~...", "~~##.", ".###.", "....."}));
    EXPECT_FALSE(level.isModified()) << "what is there already changes nothing";
}

TEST(FrameTool, DrawsTheOutlineWithCornersInAnyOrderAndThinFramesSolid) {
    Level level = emptyLevel(6, 7);
    frameRectangle(level, 4, 3, 1, 0, kWall);
    frameRectangle(level, 0, 5, 5, 5, kWall);
    frameRectangle(level, 2, 6, 2, 6, kWater);
    EXPECT_EQ(asciiRows(level),
              (Rows{".####.", ".#..#.", ".#..#.", ".####.", "......", "######", "..~..."}));
}

// --- Flood fill ---

TEST(FillTool, FillsTheRegionBoundedByBlocksThatDifferNotThroughDiagonalGaps) {
    Level level = asciiLevel({
        "..#...",
        "..#...",
        "###.#.",
        "...#..",
    });
    floodFill(level, 0, 0, kWater);
    floodFill(level, 0, 3, kWater);
    EXPECT_EQ(asciiRows(level), (Rows{"~~#...", "~~#...", "###.#.", "~~~#.."}));
}

TEST(FillTool, OnACellEqualToTheBrushOrOutsideTheGridChangesNothing) {
    Level level = asciiLevel({"##.", "#..", "..."});
    floodFill(level, 0, 0, kWall);
    floodFill(level, 3, 0, kWall);
    floodFill(level, 0, -1, kWall);
    EXPECT_EQ(asciiRows(level), (Rows{"##.", "#..", "..."}));
    EXPECT_FALSE(level.isModified());
}

TEST(FillTool, SpreadsIntoPlainNeighboursWhoseFrontDiffers) {
    // The target is a triangle with a water front; its neighbour on the right has the same
    // shape, rotation and back but a grass front, so it is plain and matches the target.
    // Below it a triangle with a sand front is not plain and bounds the region.
    Level level = emptyLevel(3, 2);
    level.block(0, 0).fromText("T0G8W8");
    level.block(1, 0).fromText("T0G8G8");
    level.block(0, 1).fromText("T0G8S8");
    floodFill(level, 0, 0, kWall);
    EXPECT_EQ(asciiRows(level), (Rows{"##.", "?.."}));
    EXPECT_EQ(level.block(0, 1).toText(), "T0G8S8");
}

// Regression: a plain brush of the target's shape, rotation and back still matches the
// target once painted, and the fill went round the same cells forever.
TEST(FillTool, PlainBrushMatchingTheTargetAfterPaintingStillEnds) {
    Level level = emptyLevel(4, 3);
    for (int x = 0; x < 3; ++x) {
        level.block(x, 1).fromText("C0G8H8");  // a row of cups in grass
    }
    Block plainCircle;
    plainCircle.fromText("C0G8G8");
    floodFill(level, 0, 1, plainCircle);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(level.block(x, 1), plainCircle) << "cell " << x;
    }
    EXPECT_TRUE(level.block(3, 1).isDefault());
    EXPECT_TRUE(level.isModified());
}

// --- Single cells, start, clear ---

TEST(CellEditing, SetRuleAndRotationActOnOneCellInsideTheGridOnly) {
    Level level = emptyLevel(3, 3);
    setBlockAt(level, 1, 1, Triangle, 2, -1, 6, Water, -1);
    EXPECT_EQ(level.block(1, 1).toText(), "T2G6W8");
    rotateBlockAt(level, 1, 1, true);
    EXPECT_EQ(level.block(1, 1).toText(), "T3G4W8");

    const Level before = level;
    setBlockAt(level, 3, 1, kWall);
    setBlockAt(level, 1, 3, Square, 0, Wall, Flat, -1, -1);
    rotateBlockAt(level, -1, 0, false);
    EXPECT_EQ(level, before);
}

TEST(CellEditing, SetStartKeepsTheBallInsideAndMarksTheLevel) {
    Level level = emptyLevel(4, 3);
    setStartPosition(level, 1.5, 2.5);
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(1.5, 2.5));
    EXPECT_TRUE(level.isModified());
    setStartPosition(level, 9.0, -1.0);
    EXPECT_DOUBLE_EQ(level.startX(), 4.0 - Level::BallRadius);
    EXPECT_DOUBLE_EQ(level.startY(), Level::BallRadius);
}

TEST(CellEditing, ClearResetsEveryBlockAndAlwaysMarksTheLevel) {
    Level empty = emptyLevel(3, 2);
    clearLevel(empty);
    EXPECT_TRUE(empty.isModified()) << "a new level counts as modified until saved";

    Level level = asciiLevel({"#~.", "s#."});
    clearLevel(level);
    EXPECT_EQ(asciiRows(level), (Rows{"...", "..."}));
}

// --- Arrow-key shift ---

TEST(ShiftLevel, MovesBlocksAndDropsThosePushedOverTheEdge) {
    const Level start = asciiLevel({
        "#..~",
        ".s..",
        "...#",
    });
    const std::tuple<int, int, Rows> cases[] = {{1, 0, {".#..", "..s.", "...."}},
                                                {0, -1, {".s..", "...#", "...."}},
                                                {-1, 0, {"..~.", "s...", "..#."}}};
    for (const auto& [dx, dy, rows] : cases) {
        Level level = start;
        shiftLevel(level, dx, dy);
        EXPECT_EQ(asciiRows(level), rows) << dx << ", " << dy;
        EXPECT_EQ(level.startX(), start.startX()) << "the start stays where it was";
    }
}

}  // namespace
}  // namespace trundlex::testing
