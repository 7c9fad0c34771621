#pragma once

#include <QImage>

#include "render/BlockRenderer.h"
#include "render/Look.h"
#include "render/ModernRenderer.h"

namespace trundlex {

class Level;

// The level as the editor shows it, drawn once after every change and copied to the screen
// when painting: the level's pixels plus one pixel right and below, over a background
// pattern, with optional grid lines and a black line along the top and the left edge.
// The blocks are drawn in the classic look or, as the game draws them, in the modern one
// (with the cups' flags); the grid lies over either.
class LevelPicture {
public:
    // Takes effect at the next rebuild.
    void setLook(Look look) { look_ = look; }
    Look look() const { return look_; }

    // Draws the whole level with cells of `cellSize` pixels (at least 1).
    void rebuild(const Level& level, int cellSize, bool showGrid);
    // Draws only the cells from (x1, y1) to (x2, y2), inclusive and within the level, with
    // the grid lines around them, as a rebuild would; for edits that touch a few cells. Does
    // a full rebuild when the picture does not match the level's size and the cell size.
    void redrawCells(const Level& level, int x1, int y1, int x2, int y2, int cellSize,
                     bool showGrid);
    // Forgets the picture; the next paint rebuilds it.
    void clear() { image_ = QImage(); }

    bool isNull() const { return image_.isNull(); }
    const QImage& image() const { return image_; }

    // The background pattern seen where no block is drawn.
    static QImage backgroundTile();

private:
    void drawEdges();
    // The modern rendering of the whole level, its flags and the grid, over the picture.
    void drawModern(const Level& level, bool showGrid);

    BlockRenderer renderer_;
    ModernRenderer modern_;
    Look look_ = Look::Classic;
    QImage image_;
    int cellSize_ = 0;
};

}  // namespace trundlex
