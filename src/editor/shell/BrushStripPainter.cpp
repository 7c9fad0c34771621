#include "BrushStripPainter.h"

#include <QPainter>
#include <QPolygon>

#include "model/BrushStrip.h"

namespace trundlex {

namespace {

// A one-pixel outline along the inside of the rectangle's edges.
void drawFrame(QPainter& painter, const PixelRect& r) {
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
}

// A square of one material kind, as the small buttons show the brush's layers.
Block swatch(std::int32_t kind) {
    Block block;
    block.back() = Material(kind, Flat);
    return block;
}

void drawSlopeMark(QPainter& painter, const PixelRect& button, std::int32_t slope) {
    const auto points = BrushStrip::slopeMark(button, slope);
    if (points.empty()) {
        return;
    }
    QPolygon line;
    for (const PixelPoint& p : points) {
        line << QPoint(p.x, p.y);
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawPolyline(line);
}

}  // namespace

void BrushStripPainter::paint(QPainter& painter, const BrushStrip& strip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);

    const PixelRect preview = BrushStrip::PreviewRect;
    renderer_.drawBlock(painter, strip.brush(), preview.left, preview.top,
                        preview.right - preview.left - 1);

    for (const auto* palette : {&strip.shapeButtons(), &strip.materialButtons()}) {
        for (const ToolButton& button : *palette) {
            renderer_.drawBlock(painter, button.block, button.rect.left, button.rect.top,
                                button.rect.right - button.rect.left);
            if (button.selected) {
                drawFrame(painter, button.rect);
            }
        }
    }

    const PixelRect front = BrushStrip::FrontButtonRect;
    const PixelRect back = BrushStrip::BackButtonRect;
    renderer_.drawBlock(painter, swatch(strip.brush().front().kind()), front.left, front.top,
                        front.right - front.left);
    renderer_.drawBlock(painter, swatch(strip.brush().back().kind()), back.left, back.top,
                        back.right - back.left);
    drawSlopeMark(painter, back, strip.brush().back().slope());
    drawSlopeMark(painter, front, strip.brush().front().slope());

    painter.restore();
}

}  // namespace trundlex
