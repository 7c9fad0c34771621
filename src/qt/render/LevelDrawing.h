#pragma once

#include <QtGlobal>

#include "render/Look.h"

class QPainter;

namespace trundlex {

class BlockRenderer;
class Level;
class ModernRenderer;

// Draws `level` in `look`, its top-left corner at (left, top) and `blockSize` pixels a block,
// for the small pictures outside the playfield (the new-game wizard, the levels viewer): the
// classic blocks, or the modern rendering at the screen's `pixelRatio` with its flags.
void drawLevelInLook(QPainter& painter, Look look, BlockRenderer& classic, ModernRenderer& modern,
                     const Level& level, int left, int top, int blockSize, qreal pixelRatio);

}  // namespace trundlex
