#pragma once

#include "level/Level.h"
#include "model/EditorLayout.h"
#include "model/EditorTool.h"

namespace trundlex {

// The tools drawn by dragging a shape out: Line, Rectangle and Frame.
bool isDragTool(EditorTool tool);

// Places the blocks of a drag with `tool` from the pixel `anchor` to `current` (both inside
// the level) on `level`, as the release would. `first` and `last` receive the corners of the
// cells that may have changed. False, with nothing done, for a tool that is not dragged.
bool applyDrag(Level& level, EditorTool tool, const EditorLayout& layout, PixelPoint anchor,
               PixelPoint current, const Block& brush, Cell& first, Cell& last);

}  // namespace trundlex
