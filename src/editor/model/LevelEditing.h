#pragma once

#include <cstdint>

#include "level/Block.h"
#include "level/Level.h"

namespace trundlex {

// The editing operations the editor adds to a level. Cells are (column, row). Each operation
// marks the level modified when it changes anything and leaves it alone otherwise; cells
// outside the grid are never touched.

// Copies all four fields of `block` into the cell. Nothing happens outside the grid.
void setBlockAt(Level& level, std::int32_t x, std::int32_t y, const Block& block);
// The block set rule at a cell (see setBlockValues): only valid values are applied.
// Nothing happens outside the grid.
void setBlockAt(Level& level, std::int32_t x, std::int32_t y, std::int32_t shape,
                std::int32_t rotation, std::int32_t backKind, std::int32_t backSlope,
                std::int32_t frontKind, std::int32_t frontSlope);

// Every cell with x1 <= x <= x2 and y1 <= y <= y2 becomes `block`; the corners may come in
// any order. When either corner lies outside the grid nothing happens.
void fillRectangle(Level& level, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   const Block& block);
// The outline of the rectangle (the corners in any order): its first and last column and its
// first and last row. Nothing happens when either corner lies outside the grid.
void frameRectangle(Level& level, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, const Block& block);

// Turns the cell's block a quarter turn clockwise (see rotateBlock). Nothing happens outside
// the grid.
void rotateBlockAt(Level& level, std::int32_t x, std::int32_t y, bool withMaterials);

// Resets every block to flat grass and marks the level modified, even when nothing changed.
void clearLevel(Level& level);

// Puts the ball's start at (x, y) in block units, keeps it inside the level and marks the
// level modified.
void setStartPosition(Level& level, double x, double y);

// Fills the 4-connected region of cells that match the cell (x, y) as it was, by
// blockEquals(cell, target), with `block`. Nothing happens outside the grid or when the
// target already matches the brush (blockEquals(target, block)). Every cell is filled at most
// once, so a brush that still matches the target after painting cannot make it run forever.
void floodFill(Level& level, std::int32_t x, std::int32_t y, const Block& block);

// Sets the cells along the straight line from (x0, y0) to (x1, y1), given in cell units as
// doubles: points a quarter cell apart from the start until one lies within 0.2 cells of the
// end on both axes; each point sets the cell it truncates to (that last point included).
// Coinciding ends set one cell. Non-finite coordinates draw nothing.
void drawLine(Level& level, double x0, double y0, double x1, double y1, const Block& block);

// Moves every block by (dx, dy) cells. Blocks pushed out of the grid are lost and the cells
// that become free hold default blocks; the start position stays where it is.
void shiftLevel(Level& level, std::int32_t dx, std::int32_t dy);

}  // namespace trundlex
