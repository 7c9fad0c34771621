#pragma once

namespace trundlex {

// The editor's drawing tools; the numbers are those the tool commands select.
enum EditorTool : int {
    ToolLine = 0,       // a straight line of cells, on release
    ToolRectangle = 1,  // a filled rectangle, on release
    ToolFrame = 2,      // a rectangle's outline, on release
    ToolPlot = 3,       // every cell the pointer crosses while the button is held
    ToolFill = 4,       // the region of matching cells under the pointer, on release
    ToolSetBall = 5,    // the ball's start position, on release
    ToolSelect = 6,     // a rectangle of cells to copy, move, turn ...; see RegionEditor
};

}  // namespace trundlex
