#include "BrushStripPainter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "BlockTexts.h"
#include "model/BrushStrip.h"

namespace trundlex {

namespace {

// The strip's text rows below the 40-pixel buttons.
constexpr int LabelTop = 46;
constexpr int LabelHeight = 13;
constexpr int RuleTop = LabelTop + LabelHeight + 2;
constexpr int RuleHeight = EditorLayout::OriginY - RuleTop - 2;

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

// A name centred under a swatch. A name wider than the swatch and its gap is squeezed, down
// to 60 % of its width, before it is cut short.
void drawLabel(QPainter& painter, const PixelRect& button, const QString& text) {
    const QRect box(button.left - 5, LabelTop, button.right - button.left + 10, LabelHeight);
    const int natural = painter.fontMetrics().horizontalAdvance(text);
    const double squeeze = natural > box.width() ? std::max(0.6, 1.0 * box.width() / natural) : 1.0;
    painter.save();
    painter.translate(box.center().x(), 0);
    painter.scale(squeeze, 1.0);
    const int width = static_cast<int>(box.width() / squeeze);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, width);
    painter.drawText(QRect(-width / 2, box.top(), width, box.height()), Qt::AlignHCenter | Qt::AlignTop,
                     shown);
    painter.restore();
}

}  // namespace

QRect BrushStripPainter::ruleRect(int width) {
    return QRect(BrushStrip::BackButtonRect.left, RuleTop, width - 15, RuleHeight);
}

QString BrushStripPainter::mouseRule(bool testMode) {
    return testMode ? tr("Test mode is on: click on the level where the ball should roll, the "
                         "farther away the harder. Ctrl+T ends it and brings the palettes back.")
                    : tr("Left click: shape or back material.  Right click: front material.  "
                         "On the level, right click picks a block up.");
}

QString BrushStripPainter::toolTipAt(const BrushStrip& strip, PixelPoint p) {
    for (const ToolButton& button : strip.shapeButtons()) {
        if (contains(button.rect, p)) {
            return tr("%1: left click gives the brush this shape")
                .arg(BlockTexts::shapeName(button.block.shape()));
        }
    }
    for (const ToolButton& button : strip.materialButtons()) {
        if (contains(button.rect, p)) {
            return tr("%1: left click for the brush's back, right click for its front")
                .arg(BlockTexts::materialName(button.block.back().kind()));
        }
    }
    const Block& brush = strip.brush();
    if (contains(BrushStrip::BackButtonRect, p)) {
        return tr("Back material: %1. Click to turn its slope, right click to make it flat")
            .arg(BlockTexts::material(brush.back()));
    }
    if (contains(BrushStrip::FrontButtonRect, p)) {
        return tr("Front material: %1. Click to turn its slope, right click to make it flat")
            .arg(BlockTexts::material(brush.front()));
    }
    if (contains(BrushStrip::PreviewRect, p)) {
        return tr("The brush: %1. Click to turn it (Shift: with its slopes)")
            .arg(BlockTexts::block(brush));
    }
    return {};
}

void BrushStripPainter::paint(QPainter& painter, const BrushStrip& strip, bool testMode,
                              int width) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);

    const PixelRect preview = BrushStrip::PreviewRect;
    renderer_.drawBlock(painter, strip.brush(), preview.left, preview.top,
                        preview.right - preview.left - 1);

    QFont font = painter.font();
    font.setPixelSize(LabelHeight - 2);
    painter.setFont(font);
    for (const auto* palette : {&strip.shapeButtons(), &strip.materialButtons()}) {
        for (const ToolButton& button : *palette) {
            renderer_.drawBlock(painter, button.block, button.rect.left, button.rect.top,
                                button.rect.right - button.rect.left);
            if (button.selected) {
                drawFrame(painter, button.rect);
            }
            painter.setPen(Qt::black);
            drawLabel(painter, button.rect,
                      palette == &strip.shapeButtons()
                          ? BlockTexts::shapeName(button.block.shape())
                          : BlockTexts::materialName(button.block.back().kind()));
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

    if (testMode) {
        // The palettes stay in view, greyed, so that the strip does not jump when test mode ends.
        painter.fillRect(QRect(0, 0, width, RuleTop), QColor(240, 240, 240, 170));
    }
    font.setPixelSize(RuleHeight - 3);
    font.setBold(testMode);
    painter.setFont(font);
    painter.setPen(testMode ? QColor(0, 70, 150) : QColor(Qt::black));
    const QRect rule = ruleRect(width);
    painter.drawText(rule, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(mouseRule(testMode), Qt::ElideRight,
                                                      rule.width()));
    painter.restore();
}

}  // namespace trundlex
