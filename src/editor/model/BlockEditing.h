#pragma once

#include <cstdint>

#include "level/Block.h"

namespace trundlex {

// Editing operations on single blocks: the brush commands and the comparisons the drawing
// tools use.

// Applies each value only when it is valid (shape 0-4, rotation 0-3, kinds 0-5, slopes 0-8);
// any other value, -1 in particular, leaves that field as it is.
void setBlockValues(Block& block, std::int32_t shape, std::int32_t rotation, std::int32_t backKind,
                    std::int32_t backSlope, std::int32_t frontKind, std::int32_t frontSlope);

// Whether `b` may stand for `a` when drawing: false when shape, rotation or back material
// differ; otherwise true when `a` is plain (its front does not show), else whether the fronts
// are equal. Not symmetric: a plain `a` ignores the front of `b`, so the order matters.
bool blockEquals(const Block& a, const Block& b);

// Exchanges kind and slope of the back and the front material.
void swapMaterials(Block& block);

// A quarter turn clockwise; `withMaterials` also turns every sloped material a quarter turn
// clockwise, so that the block rolls the same way after the turn. Flat materials stay flat.
void rotateBlock(Block& block, bool withMaterials);

// Mirrors the block left to right: its front region and both slopes become their mirror
// images, so that the block plays the same way mirrored. Squares and circles keep their
// rotation; flat materials stay flat. Doing it twice gives the block back.
void flipBlockHorizontal(Block& block);
// Mirrors the block top to bottom, in the same way as flipBlockHorizontal.
void flipBlockVertical(Block& block);

// The next slope in the brush's material cycle, one eighth of a turn clockwise per step:
// 8 (flat), 7, 6, ... 0, 8. Nine steps come back to the start.
std::int32_t nextSlopeClockwise(std::int32_t slope);

}  // namespace trundlex
