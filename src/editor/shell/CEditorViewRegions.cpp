// The view's share of regions: the Select tool's and the stamp's mouse, the region commands
// that need the pointer or a question, and the size of a rectangle being dragged out.
#include "CEditorView.h"
#include "EditorPrompts.h"

namespace trundlex {

void CEditorView::selectAll() {
    if (isTestMode()) {
        return;
    }
    setTool(ToolSelect);
    regions_.selectAll();
}

void CEditorView::pasteRegion() {
    if (isTestMode()) {
        return;
    }
    cancelStroke();
    Cell cell;
    regions_.paste(hoveredCell(cell) ? std::optional<Cell>(cell) : std::nullopt);
}

void CEditorView::replaceMaterial() {
    if (isTestMode()) {
        return;
    }
    cancelStroke();
    // Offered: grass into the brush's material, the usual first wish, as a start to change.
    MaterialReplacement choice;
    choice.to = strip_.brush().back().kind();
    if (choice.to == choice.from) {
        choice.to = Wall;
    }
    choice.inSelection = regions_.hasSelection();
    if (!prompts_.chooseMaterials(choice, regions_.hasSelection())) {
        return;
    }
    regions_.replaceMaterial(choice.from, choice.to, choice.inSelection);
}

std::optional<CellRect> CEditorView::draggedRect() const {
    if (const auto selecting = regions_.draggedRect()) {
        return selecting;
    }
    if (!drawing_) {
        return std::nullopt;
    }
    Cell first;
    Cell last;
    switch (tool_) {
        case ToolRectangle:
        case ToolFrame:
            layout_.dragCells(anchor_, current_, first, last);
            return CellRect::spanning(first, last);
        case ToolLine:
            return CellRect::spanning(layout_.clampedCell(anchor_), layout_.clampedCell(current_));
        default:
            return std::nullopt;
    }
}

bool CEditorView::regionPress(PixelPoint p) {
    if (!layout_.inLevel(p) || (tool_ != ToolSelect && !regions_.isStamping())) {
        return false;
    }
    const bool placing = regions_.isStamping();
    regions_.press(layout_.clampedCell(p));
    if (placing) {
        // What was put down is selected, ready to be moved or turned.
        setTool(ToolSelect);
    }
    return true;
}

bool CEditorView::regionMove(PixelPoint p, Qt::MouseButtons buttons) {
    Cell cell;
    if (tool_ == ToolSelect && !regions_.isStamping() && layout_.cellAt(p, cell) &&
        (regions_.selection().contains(cell) || regions_.isMoving())) {
        setCursor(Qt::SizeAllCursor);  // a drag here moves the blocks
    }
    if (!regions_.isDragging() || !buttons.testFlag(Qt::LeftButton)) {
        return false;
    }
    regions_.drag(layout_.clampedCell(p));
    return true;
}

bool CEditorView::regionRelease(PixelPoint p, Qt::MouseButton button) {
    if (button == Qt::RightButton && regions_.isStamping()) {
        regions_.cancel();
        return true;
    }
    if (button != Qt::LeftButton || !regions_.isDragging()) {
        return false;
    }
    regions_.release(layout_.clampedCell(p));
    return true;
}

}  // namespace trundlex
