#pragma once

#include <algorithm>
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

// Where the level lies in the editor's view: square cells, the level's top-left corner at a
// fixed client pixel less the scroll offsets, and above OriginY the brush strip, where no
// cell counts as under the pointer. The level fits the client area until it is zoomed; then
// it may be larger and scrolled. Converts between client pixels and cells. Rectangles have
// exclusive right and bottom edges.
class EditorLayout {
public:
    static constexpr int OriginX = 5;
    static constexpr int OriginY = 78;
    // Zooming goes at least to MinZoomFactor times the fitting cell size and on up to
    // MaxCellSize where that is larger, but never so far that the level's picture, which is
    // drawn whole, would pass MaxPicturePixels (about 144 MB); on a window of 1920 x 1200 or
    // smaller that limit leaves every level its four times.
    static constexpr int MinZoomFactor = 4;
    static constexpr int MaxCellSize = 64;
    static constexpr std::int64_t MaxPicturePixels = std::int64_t{6000} * 6000;

    // Lays a level of the given size out in a client area. While fitting, the cell size is the
    // largest that lets the whole level fit right of and below the origin, but never less than
    // one pixel, so that a tiny window still maps every pixel to a cell; once zoomed the cell
    // size stays, within the zoom range. Sizes below 1 count as 1. Scroll offsets are clamped.
    void update(int clientWidth, int clientHeight, std::int32_t levelWidth,
                std::int32_t levelHeight);

    // Back to the fitting cell size, unscrolled.
    void fit();
    bool isFitting() const { return fitting_; }
    // The zoom range: the fitting size up to the largest allowed.
    int fitCellSize() const { return fitCell_; }
    int maxCellSize() const;
    // Sets the cell size (clamped to the zoom range) so that the level point under `p` stays
    // under `p` as far as the scroll range allows.
    void zoomAt(PixelPoint p, int cellSize);
    // The next larger and smaller zoom steps from the current cell size (about a quarter).
    int zoomedIn() const;
    int zoomedOut() const;

    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }
    // The scroll range: nothing while fitting; once zoomed, the level may be moved until only
    // a strip of it is left in view on any side, so that zooming can keep the point under the
    // pointer wherever it is.
    int minScrollX() const;
    int maxScrollX() const;
    int minScrollY() const;
    int maxScrollY() const;
    // Scrolls, clamped to min ... max.
    void scrollTo(int x, int y);

    int originX() const { return OriginX - scrollX_; }
    int originY() const { return OriginY - scrollY_; }
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
    double cellX(int px) const { return static_cast<double>(px - originX()) / cellSize_; }
    double cellY(int py) const { return static_cast<double>(py - originY()) / cellSize_; }

    // The pixels of the cells from `a` to `b` (any order), with the grid line right of and
    // below them.
    PixelRect cellsRect(Cell a, Cell b) const;

    // The cells the Rectangle and Frame tools cover for a drag from `anchor` to `current`:
    // the corners are ordered, the top-left pixel gives the first cell and the pixel one up
    // and left of the bottom-right corner the second, each clamped to the level. A drag that
    // ends exactly on a cell boundary thus stops before it.
    void dragCells(PixelPoint anchor, PixelPoint current, Cell& first, Cell& last) const;

private:
    int clientWidth_ = 1;
    int clientHeight_ = 1;
    int cellSize_ = 1;
    int fitCell_ = 1;
    bool fitting_ = true;
    int scrollX_ = 0;
    int scrollY_ = 0;
    std::int32_t levelWidth_ = 1;
    std::int32_t levelHeight_ = 1;
};

}  // namespace trundlex
