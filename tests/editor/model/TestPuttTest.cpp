#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/TestPutt.h"

namespace trundlex {
namespace {

// A 10 x 10 level in 40-pixel cells: cell (x, y) starts at pixel (5 + 40x, Top + 40y).
constexpr int Top = EditorLayout::OriginY;

EditorLayout layout() {
    EditorLayout l;
    l.update(405, Top + 400, 10, 10);
    return l;
}

PixelPoint inCell(int x, int y, int dx = 20, int dy = 20) {
    return {5 + 40 * x + dx, Top + 40 * y + dy};
}

TEST(TestPutt, SpeedIsThreePerWholeBlockToTheClickedCellsCorner) {
    ASSERT_EQ(layout().cellSize(), 40);
    EXPECT_EQ(testPuttFor(inCell(8, 5), 5.0, 5.0, layout()).speed, 9.0);
    EXPECT_EQ(testPuttFor(inCell(8, 5), 5.5, 5.5, layout()).speed, 6.0) << "2.55 blocks count as 2";
    EXPECT_EQ(testPuttFor(inCell(5, 5), 5.9, 5.6, layout()).speed, 3.0)
        << "the own cell's corner is more than a block away";
    EXPECT_EQ(testPuttFor(inCell(5, 5, 39, 39), 5.5, 5.5, layout()).speed, 0.0)
        << "the own cell, less than a block from its corner";
    // A pixel outside the level counts as the nearest edge cell: (9, 2) is 8 blocks away.
    EXPECT_EQ(testPuttFor({2000, Top + 40 * 2 + 5}, 1.0, 2.0, layout()).speed, 24.0);
    EXPECT_EQ(testPuttFor({-300, -300}, 3.0, 4.0, layout()).speed, 15.0) << "cell (0, 0)";
}

TEST(TestPutt, HeadingPointsFromTheBallToThePixel) {
    // Ball at (5, 5) is at pixel (205, Top + 200).
    EXPECT_DOUBLE_EQ(testPuttFor({305, Top + 200}, 5.0, 5.0, layout()).heading, 0.0);
    EXPECT_DOUBLE_EQ(testPuttFor({205, Top + 300}, 5.0, 5.0, layout()).heading, std::numbers::pi / 2)
        << "downward on screen";
    EXPECT_DOUBLE_EQ(testPuttFor({105, Top + 100}, 5.0, 5.0, layout()).heading,
                     -3 * std::numbers::pi / 4);
}

}  // namespace
}  // namespace trundlex
