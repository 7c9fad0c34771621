#pragma once

#include "level/Level.h"

namespace trundlex {

// Whole-level transformations of the editor. Each turns or mirrors the grid together with
// every block's shape, every slope and the start position, so that the level plays the same
// way afterwards; each marks the level modified. Name, creator and ID stay unless said.

// A quarter turn clockwise: a W x H level becomes H x W; the block at column x, row y moves
// to column H - 1 - y, row x, and the point (x, y) to (H - y, x).
void rotateQuarter(Level& level);

// Mirrors the level left to right: the point (x, y) goes to (W - x, y).
void flipHorizontal(Level& level);

// Mirrors the level top to bottom: the point (x, y) goes to (x, H - y).
void flipVertical(Level& level);

// Cuts the level down to the smallest rectangle that holds every block that is not a default
// block, but never below 2 x 2 blocks (a level file needs at least that): a rectangle one
// block wide or high is widened by a neighbouring column or row of the level. A level without
// used blocks keeps its size. When the size changes, the start keeps its place on the blocks
// (kept inside the new level), the ID is cleared and the level is marked modified; returns
// whether the size changed. Otherwise nothing at all changes.
bool makeFit(Level& level);

}  // namespace trundlex
