#pragma once

#include <cstdint>

#include "ball/Ball.h"
#include "util/PixelMath.h"

namespace trundlex {

// A cell of the level grid: column x, row y.
struct Cell {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// A pixel of the view's client area.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Where the level lies in the editor's view: its top-left corner at a fixed client pixel and
// square cells as large as the client area allows. Converts between client pixels and cells.
// Rectangles have exclusive right and bottom edges.
class EditorLayout {
public:
    static constexpr int OriginX = 5;
    static constexpr int OriginY = 50;

    // Fits a level of the given size into a client area: the cell size is the largest that
    // lets the whole level fit right of and below the origin, but never less than one pixel,
    // so that a tiny window still maps every pixel to a cell. Sizes below 1 count as 1.
    void update(int clientWidth, int clientHeight, std::int32_t levelWidth,
                std::int32_t levelHeight);

    int originX() const { return OriginX; }
    int originY() const { return OriginY; }
    int cellSize() const { return cellSize_; }
    std::int32_t levelWidth() const { return levelWidth_; }
    std::int32_t levelHeight() const { return levelHeight_; }
    // The pixels the level covers.
    PixelRect levelRect() const;
    bool inLevel(PixelPoint p) const;

    // The cell under a pixel; false for a pixel outside the level.
    bool cellAt(PixelPoint p, Cell& cell) const;
    // The cell under a pixel, a pixel outside the level counting as the nearest edge cell on
    // each axis.
    Cell clampedCell(PixelPoint p) const;
    // The nearest pixel inside the level.
    PixelPoint clampToLevel(PixelPoint p) const;
    // A pixel in cell units from the level's corner, as fractions.
    double cellX(int px) const { return static_cast<double>(px - OriginX) / cellSize_; }
    double cellY(int py) const { return static_cast<double>(py - OriginY) / cellSize_; }

    // The pixels of the cells from `a` to `b` (any order), with the grid line right of and
    // below them.
    PixelRect cellsRect(Cell a, Cell b) const;

    // The cells the Rectangle and Frame tools cover for a drag from `anchor` to `current`:
    // the corners are ordered, the top-left pixel gives the first cell and the pixel one up
    // and left of the bottom-right corner the second, each clamped to the level. A drag that
    // ends exactly on a cell boundary thus stops before it.
    void dragCells(PixelPoint anchor, PixelPoint current, Cell& first, Cell& last) const;

private:
    int cellSize_ = 1;
    std::int32_t levelWidth_ = 1;
    std::int32_t levelHeight_ = 1;
};

}  // namespace trundlex
