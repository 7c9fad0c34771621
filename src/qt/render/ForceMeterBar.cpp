#include "ForceMeterBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace trundlex {

void drawForceMeterBar(QPainter& painter, const QRectF& track, double share) {
    share = std::clamp(share, 0.0, 1.0);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    painter.setBrush(QColor(20, 24, 28));
    painter.drawRoundedRect(track, 5, 5);
    const QRectF inner = track.adjusted(3, 3, -3, -3);
    QLinearGradient ramp(inner.bottomLeft(), inner.topLeft());
    ramp.setColorAt(0.0, QColor(60, 200, 80));
    ramp.setColorAt(0.55, QColor(250, 210, 40));
    ramp.setColorAt(1.0, QColor(235, 50, 40));
    const double filled = inner.height() * share;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ramp);
    painter.drawRoundedRect(QRectF(inner.left(), inner.bottom() - filled, inner.width(), filled), 3, 3);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int q = 1; q < 4; ++q) {
        const double y = inner.bottom() - inner.height() * q / 4.0;
        painter.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
    }
}

}  // namespace trundlex
