#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

class QPainter;

namespace trundlex {

class Level;

// Draws levels in the modern look: textured, shaded materials with anti-aliased shape edges,
// walls raised with a bevel and a drop shadow, water deeper away from its rim, chevrons
// pointing down every slope. A pixel whose centre lies in a block's front region shows the
// front material's colour family, as in the classic look, so the picture shows what the ball
// feels; only pixels on an edge are blended. The last level drawn is kept, so drawing the
// same level at the same size again costs a copy.
class ModernRenderer {
public:
    // The level at `blockSize` pixels per block, its top-left corner at pixel (0, 0); a null
    // image for an empty level or a size below 1.
    QImage renderLevel(const Level& level, int blockSize);

    // A flag on a pole standing in every group of touching cup blocks, the level's top-left
    // corner at (left, top) and `blockSize` units per block in the painter's coordinates.
    // Drawn over the level, like a ball; nothing for a level without a cup.
    static void drawFlags(QPainter& painter, const Level& level, double left, double top,
                          double blockSize);

private:
    // Share of each pixel of a block of `size` pixels that lies in the shape's front region,
    // 0 ... 255, from 4 x 4 samples a pixel.
    const std::vector<std::uint8_t>& coverage(int shape, int rotation, int size);

    std::map<std::tuple<int, int, int>, std::vector<std::uint8_t>> coverage_;
    std::uint64_t cachedKey_ = 0;
    QImage cached_;
};

}  // namespace trundlex
