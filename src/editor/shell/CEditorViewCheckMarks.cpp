// What Check Level shows on the level: the cells of its problems and the solver's putts that
// play the par.
#include <QPainter>

#include "CEditorView.h"

namespace trundlex {

void CEditorView::setShownPutts(const std::vector<PuttPath>& putts) {
    shownPutts_ = putts;
    update();
}

void CEditorView::paintShownPutts(QPainter& painter) {
    const double cell = layout_.cellSize();
    const auto toPixels = [&](const PuttPath::Point& p) {
        return QPointF(layout_.originX() + p.x * cell, layout_.originY() + p.y * cell);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Dark under light, so that the way shows on grass, sand, ice and walls alike.
    for (const PuttPath& path : shownPutts_) {
        QPolygonF line;
        for (const PuttPath::Point& p : path.points) {
            line << toPixels(p);
        }
        painter.setPen(QPen(QColor(0, 0, 0, 160), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(line);
        painter.setPen(QPen(QColor(255, 240, 120), 2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(line);
    }
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    for (std::size_t i = 0; i < shownPutts_.size(); ++i) {
        if (shownPutts_[i].points.empty()) {
            continue;
        }
        const QPointF at = toPixels(shownPutts_[i].points.front());
        const QRectF mark(at.x() - 8, at.y() - 8, 16, 16);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(255, 240, 120));
        painter.drawEllipse(mark);
        painter.drawText(mark, Qt::AlignCenter, QString::number(i + 1));
    }
    painter.restore();
}

void CEditorView::setHighlightedCells(const std::vector<Cell>& cells) {
    highlighted_ = cells;
    update();
}

}  // namespace trundlex
