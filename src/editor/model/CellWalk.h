#pragma once

#include <vector>

#include "model/EditorLayout.h"

namespace trundlex {

// The cells that the straight segment from (x0, y0) to (x1, y1), in cell units, passes
// through, from the cell of the start to the cell of the end, each sharing a side with the one
// before. Where the segment runs exactly through a corner of the grid, the cell beside it in x
// is taken before the one in y, so that the cells still join side to side. Coinciding ends
// give one cell. Empty when a coordinate is not finite or lies beyond a billion cells.
std::vector<Cell> cellsAlong(double x0, double y0, double x1, double y1);

}  // namespace trundlex
