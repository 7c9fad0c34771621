#pragma once

#include <cstdint>
#include <optional>

#include "level/Level.h"
#include "model/EditorLayout.h"

namespace trundlex {

// A rectangle of cells: columns x ... x + width - 1 and rows y ... y + height - 1. Empty when
// either side is 0 or less.
struct CellRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // The rectangle with the cells `a` and `b` (any order) as its corners.
    static CellRect spanning(Cell a, Cell b);

    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(Cell cell) const {
        return !isEmpty() && cell.x >= x && cell.y >= y && cell.x < x + width &&
               cell.y < y + height;
    }
    Cell first() const { return {x, y}; }
    Cell last() const { return {x + width - 1, y + height - 1}; }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The part of `rect` that lies on the level; empty when none does.
CellRect clipToLevel(const Level& level, CellRect rect);

// The editor's regions: a piece of a level cut or copied out is kept as a level of the
// piece's size, of which only the blocks count (name, creator, ID and start are unused), so
// that the whole-level transformations turn and mirror it by the very rules they turn a
// level by.

// The blocks of `rect` (clipped to the level) as a region; a region without cells when the
// rectangle misses the level.
Level copyRegion(const Level& level, CellRect rect);

// Puts the region's blocks on the level with its top-left block at `at`; blocks that fall
// off the level are dropped. Returns the cells written (empty when none fell on the level)
// and marks the level modified when a block changed.
CellRect pasteRegion(Level& level, const Level& region, Cell at);

// Makes every cell of `rect` (clipped) a default block; marks the level modified when a
// block changed.
void clearRegion(Level& level, CellRect rect);

// How a region is turned or mirrored. Clockwise and counter-clockwise as seen on screen.
enum class RegionTurn {
    Clockwise,
    CounterClockwise,
    MirrorLeftRight,
    MirrorTopBottom,
};

// Turns or mirrors the region with every block's shape and slopes, as turning or mirroring
// a level made only of the region would.
void turnRegion(Level& region, RegionTurn turn);

// Turns or mirrors the blocks of `rect` (clipped) where they lie. A quarter turn keeps the
// region's middle where it was (a region of odd and even sides rounds toward its corner and
// comes back after the next turn), moved just enough to lie on the level; the cells it no
// longer covers become default blocks. Returns where the blocks now lie; nullopt, with
// nothing changed, when the rectangle misses the level or the turned region would not fit on
// it.
std::optional<CellRect> turnRegionInLevel(Level& level, CellRect rect, RegionTurn turn);

// Moves the blocks of `rect` (clipped) by (dx, dy) cells over what lies there: the cells left
// behind become default blocks and blocks moved off the level are lost. Returns the cells the
// blocks now cover on the level (empty when they all left it).
CellRect moveRegion(Level& level, CellRect rect, std::int32_t dx, std::int32_t dy);

// Gives every material of kind `from` in `rect` (clipped) the kind `to`, keeping its slope
// unless it becomes a wall, which is flat: the back of every block, and the front where it
// shows (a square's front does not, and is left as it is). Returns how many blocks changed; the level is marked modified when any did.
// Kinds outside the known ones change nothing.
int replaceMaterial(Level& level, CellRect rect, std::int32_t from, std::int32_t to);

// The whole level as a rectangle.
CellRect wholeLevel(const Level& level);

}  // namespace trundlex
