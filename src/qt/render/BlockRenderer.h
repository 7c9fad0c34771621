#pragma once

#include <QRegion>
#include <map>
#include <tuple>

class QPainter;

namespace trundlex {

class Block;
class Level;

// Draws blocks and levels with a QPainter, without antialiasing: each block a square of its
// back material with its front shape painted over it. A pixel belongs to the front exactly
// when its centre lies in the block's front region, so the picture shows what the ball feels.
// Keeps the shape masks of the block sizes it has drawn; one renderer can draw many levels.
class BlockRenderer {
public:
    // Draws the block into the square with top-left pixel (left, top) and side `size`.
    void drawBlock(QPainter& painter, const Block& block, int left, int top, int size);
    // Draws every block with the level's top-left corner at pixel (left, top); `showGrid` adds
    // one-pixel black lines along every block edge, the outer ones included.
    void drawLevel(QPainter& painter, const Level& level, int left, int top, int blockSize,
                   bool showGrid);

private:
    // The front pixels of a shape in a block of `size` pixels, relative to its corner.
    const QRegion& frontMask(int shape, int rotation, int size);

    std::map<std::tuple<int, int, int>, QRegion> masks_;
};

}  // namespace trundlex
