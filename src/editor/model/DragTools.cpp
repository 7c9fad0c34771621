#include "model/DragTools.h"

#include "model/LevelEditing.h"

namespace trundlex {

bool isDragTool(EditorTool tool) {
    return tool == ToolLine || tool == ToolRectangle || tool == ToolFrame;
}

bool applyDrag(Level& level, EditorTool tool, const EditorLayout& layout, PixelPoint anchor,
               PixelPoint current, const Block& brush, Cell& first, Cell& last) {
    switch (tool) {
        case ToolLine:
            first = layout.clampedCell(anchor);
            last = layout.clampedCell(current);
            drawLine(level, layout.cellX(anchor.x), layout.cellY(anchor.y),
                     layout.cellX(current.x), layout.cellY(current.y), brush);
            return true;
        case ToolRectangle:
        case ToolFrame:
            layout.dragCells(anchor, current, first, last);
            if (tool == ToolRectangle) {
                fillRectangle(level, first.x, first.y, last.x, last.y, brush);
            } else {
                frameRectangle(level, first.x, first.y, last.x, last.y, brush);
            }
            return true;
        default:
            return false;
    }
}

}  // namespace trundlex
