// The view's strokes of the drawing tools: what a stroke paints while the button is down and
// on release, and dropping a stroke.
#include <cmath>

#include "CEditorDoc.h"
#include "CEditorView.h"
#include "model/BlockEditing.h"
#include "model/CellWalk.h"
#include "model/DragTools.h"
#include "model/LevelEditing.h"

namespace trundlex {

namespace {

// Half-block steps for placing the start with Shift held.
double snapToHalf(double value) {
    return std::floor(2.0 * value + 0.5) / 2.0;
}

}  // namespace

void CEditorView::plotAlong(PixelPoint from, PixelPoint to) {
    for (const Cell& cell : cellsAlong(layout_.cellX(from.x), layout_.cellY(from.y),
                                       layout_.cellX(to.x), layout_.cellY(to.y))) {
        if (level().containsCell(cell.x, cell.y) &&
            !blockEquals(strip_.brush(), level().block(cell.x, cell.y))) {
            setBlockAt(level(), cell.x, cell.y, strip_.brush());
            redrawCells(cell, cell);
        }
    }
}

void CEditorView::finishStroke(PixelPoint p, Qt::KeyboardModifiers modifiers) {
    Cell cell;
    const bool onCell = layout_.cellAt(p, cell);
    const Block& brush = strip_.brush();
    switch (tool_) {
        case ToolPlot:
            if (onCell) {
                setBlockAt(level(), cell.x, cell.y, brush);
                redrawCells(cell, cell);
            }
            break;
        case ToolSetBall: {
            double x = layout_.cellX(p.x);
            double y = layout_.cellY(p.y);
            if (modifiers.testFlag(Qt::ShiftModifier)) {
                x = snapToHalf(x);
                y = snapToHalf(y);
            }
            setStartPosition(level(), x, y);
            redrawLevel();
            break;
        }
        case ToolFill:
            if (onCell) {
                floodFill(level(), cell.x, cell.y, brush);
                redrawLevel();
            }
            break;
        default: {
            Cell first;
            Cell last;
            if (applyDrag(level(), tool_, layout_, anchor_, p, brush, first, last)) {
                redrawCells(first, last);
            }
            break;
        }
    }
}

void CEditorView::cancelStroke() {
    regions_.cancelDrag();
    if (!drawing_) {
        return;
    }
    drawing_ = false;
    emit dragChanged();
    // Only Plot paints while the button is down; the other tools paint on release.
    if (tool_ == ToolPlot) {
        level() = beforeStroke_;
    }
    redrawLevel();
}

void CEditorView::settleStroke() {
    if (drawing_ && tool_ == ToolPlot) {
        drawing_ = false;
        emit dragChanged();
        document_.recordEdit(beforeStroke_);
        return;
    }
    cancelStroke();
}

}  // namespace trundlex
