#include <gtest/gtest.h>

#include "model/EditorLayout.h"

namespace trundlex {
namespace {

// A 10 x 8 level in a 405 x 450 client area: cells of 40 pixels from (5, Top).
constexpr int Top = EditorLayout::OriginY;
EditorLayout tenByEight() {
    EditorLayout layout;
    layout.update(405, 450, 10, 8);
    return layout;
}

TEST(EditorLayout, CellsAreAsLargeAsTheSmallerSideAllows) {
    EditorLayout layout = tenByEight();
    EXPECT_EQ(layout.cellSize(), 40);
    EXPECT_EQ(layout.levelRect(), (PixelRect{5, Top, 405, Top + 320}));
    layout.update(1000, 250, 10, 8);
    EXPECT_EQ(layout.cellSize(), (250 - Top) / 8);
}

// Regression: a window smaller than one pixel per block gave a cell size of 0, and every
// pixel-to-cell conversion divided by it.
TEST(EditorLayout, TinyWindowsStillGetOnePixelCells) {
    EditorLayout layout;
    layout.update(20, 30, 99, 99);
    EXPECT_EQ(layout.cellSize(), 1);
    Cell cell;
    ASSERT_TRUE(layout.cellAt({5 + 98, Top + 3}, cell));
    EXPECT_EQ(cell, (Cell{98, 3}));
    EXPECT_DOUBLE_EQ(layout.cellX(5 + 7), 7.0);
}

// Guards against zoom stopping at 188 %: the largest cell was a fixed 64 pixels, less than
// twice the fitting size of an ordinary level.
TEST(EditorLayout, ZoomReachesFourTimesTheFittingSizeUnlessThePictureWouldGrowTooLarge) {
    const auto zoomedAllTheWay = [](int width, int height, int columns, int rows) {
        EditorLayout layout;
        layout.update(width, height, columns, rows);
        layout.zoomAt({width / 2, height / 2}, 1 << 20);
        return std::pair(layout.fitCellSize(), layout.cellSize());
    };
    const auto [fit, zoomed] = zoomedAllTheWay(405, 450, 10, 8);
    EXPECT_EQ(zoomed, 4 * fit);
    // A full screen's window over a level of its own shape.
    const auto [bigFit, bigZoomed] = zoomedAllTheWay(1900, 1200, 16, 10);
    EXPECT_GE(bigZoomed, 4 * bigFit);
    // Small cells may go further, up to a readable size.
    EXPECT_EQ(zoomedAllTheWay(405, 450, 50, 50).second, EditorLayout::MaxCellSize);
    // A level of 300 x 300 blocks on a huge window: the picture stays within its limit.
    const auto [hugeFit, hugeZoomed] = zoomedAllTheWay(4000, 3000, 300, 300);
    EXPECT_LT(hugeZoomed, 4 * hugeFit);
    EXPECT_LE(std::int64_t{hugeZoomed} * hugeZoomed * 300 * 300, EditorLayout::MaxPicturePixels);
    EXPECT_GT(std::int64_t{hugeZoomed + 1} * (hugeZoomed + 1) * 300 * 300,
              EditorLayout::MaxPicturePixels);
}

TEST(EditorLayout, PixelsMapToCellsInsideTheLevelOnlyOrClampedToTheNearestEdgeCell) {
    const EditorLayout layout = tenByEight();
    Cell cell;
    for (const auto& [pixel, inside] :
         {std::pair(PixelPoint{5, Top}, Cell{0, 0}), std::pair(PixelPoint{404, Top + 319}, Cell{9, 7}),
          std::pair(PixelPoint{84, Top + 40}, Cell{1, 1})}) {
        EXPECT_TRUE(layout.cellAt(pixel, cell) && cell == inside) << pixel.x << "," << pixel.y;
    }
    EXPECT_FALSE(layout.cellAt({405, Top + 50}, cell));
    EXPECT_FALSE(layout.cellAt({4, Top + 50}, cell));
    EXPECT_FALSE(layout.cellAt({100, Top - 1}, cell));
    // Clamping takes the nearest edge cell on each axis.
    EXPECT_EQ(layout.clampedCell({-300, Top + 50}), (Cell{0, 1}));
    EXPECT_EQ(layout.clampedCell({900, 900}), (Cell{9, 7}));
    EXPECT_EQ(layout.clampedCell({130, 0}), (Cell{3, 0}));
    EXPECT_EQ(layout.clampToLevel({900, -5}), (PixelPoint{404, Top}));
}

TEST(EditorLayout, DragCellsOrderCornersAndStopBeforeABoundary) {
    const EditorLayout layout = tenByEight();
    Cell first, last;
    // From inside cell (4, 3) up-left to exactly the corner of cell (1, 1).
    layout.dragCells({5 + 4 * 40 + 10, Top + 3 * 40 + 10}, {5 + 40, Top + 40}, first, last);
    EXPECT_EQ(std::pair(first, last), std::pair(Cell{1, 1}, Cell{4, 3}));

    // Ending exactly on the boundary right of cell (2, 1) does not take cell (3, 1).
    layout.dragCells({5 + 45, Top + 45}, {5 + 3 * 40, Top + 2 * 40}, first, last);
    EXPECT_EQ(std::pair(first, last), std::pair(Cell{1, 1}, Cell{2, 1}));
}

TEST(EditorLayout, ClickWithoutMovingTakesOneCellOrTwoOnItsFirstPixels) {
    const EditorLayout layout = tenByEight();
    Cell first, last;
    layout.dragCells({105, Top + 100}, {105, Top + 100}, first, last);
    EXPECT_EQ(std::pair(first, last), std::pair(Cell{2, 2}, Cell{2, 2}));

    layout.dragCells({85, Top + 80}, {85, Top + 80}, first, last);  // the corner of cell (2, 2)
    EXPECT_EQ(std::pair(first, last), std::pair(Cell{1, 1}, Cell{2, 2}))
        << "the leftmost column and top row reach back one cell";

    layout.dragCells({5, Top}, {5, Top}, first, last);
    EXPECT_EQ(std::pair(first, last), std::pair(Cell{0, 0}, Cell{0, 0})) << "clamped at the edge";
}

TEST(EditorLayout, CellsRectIncludesTheGridLineAfterTheLastCell) {
    const EditorLayout layout = tenByEight();
    EXPECT_EQ(layout.cellsRect({3, 2}, {1, 1}), (PixelRect{45, Top + 40, 166, Top + 121}));
}

}  // namespace
}  // namespace trundlex
