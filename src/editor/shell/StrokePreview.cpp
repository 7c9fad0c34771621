#include "StrokePreview.h"

#include <QPainter>

#include "model/BlockEditing.h"
#include "model/DragTools.h"

namespace trundlex {

void StrokePreview::paint(QPainter& painter, const Level& level, const EditorLayout& layout,
                          EditorTool tool, PixelPoint anchor, PixelPoint current,
                          const Block& brush) {
    // The copy keeps its storage from one move to the next, so a large level is not
    // allocated afresh for every pixel the pointer moves.
    scratch_ = level;
    Cell first;
    Cell last;
    if (!applyDrag(scratch_, tool, layout, anchor, current, brush, first, last)) {
        return;
    }
    const int size = layout.cellSize();
    painter.save();
    painter.setOpacity(0.6);
    for (std::int32_t y = std::min(first.y, last.y); y <= std::max(first.y, last.y); ++y) {
        for (std::int32_t x = std::min(first.x, last.x); x <= std::max(first.x, last.x); ++x) {
            const Block& placed = scratch_.block(x, y);
            if (!blockEquals(placed, level.block(x, y))) {
                renderer_.drawBlock(painter, placed, layout.originX() + x * size,
                                    layout.originY() + y * size, size);
            }
        }
    }
    painter.setOpacity(1.0);
    const PixelRect band = layout.cellsRect(first, last);
    painter.setPen(QPen(QColor(255, 0, 0), 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band.left, band.top, band.right - band.left - 1, band.bottom - band.top - 1);
    painter.restore();
}

}  // namespace trundlex
