#include "TestFeedback.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/ForceMeterBar.h"

namespace trundlex {

namespace {

constexpr double kMeterWidth = 14.0;
constexpr double kMeterHeight = 70.0;
constexpr double kMeterGap = 18.0;  // from the pointer, so the bar never hides the target

}  // namespace

QString TestFeedback::message(const TestRound& round) {
    const int strokes = round.strokes();
    switch (round.outcome()) {
        case TestOutcome::InCup:
            return strokes == 1 ? tr("In the cup with the first stroke: a hole in one")
                                : tr("In the cup in %1 strokes").arg(strokes);
        case TestOutcome::Water:
            return tr("Water: the ball is back where the putt began. Strokes: %1").arg(strokes);
        case TestOutcome::OutOfBounds:
            return tr("Off the level: the ball is back where the putt began. Strokes: %1")
                .arg(strokes);
        default:
            return tr("Strokes: %1").arg(strokes);
    }
}

void TestFeedback::paintAim(QPainter& painter, QPointF ball, QPointF pointer, double force,
                            double share, const QRect& bounds) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // A dark line under a light dashed one shows on every material.
    painter.setPen(QPen(QColor(0, 0, 0, 150), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(ball, pointer);
    painter.setPen(QPen(QColor(255, 255, 255, 230), 1.5, Qt::DashLine, Qt::RoundCap));
    painter.drawLine(ball, pointer);

    const QFontMetrics metrics(painter.font());
    const double textHeight = metrics.height();
    QRectF track(pointer.x() + kMeterGap, pointer.y() - kMeterHeight / 2, kMeterWidth,
                 kMeterHeight);
    if (track.right() + kMeterGap > bounds.right()) {
        track.moveRight(pointer.x() - kMeterGap);
    }
    track.moveTop(std::clamp(track.top(), double(bounds.top()),
                             bounds.bottom() - kMeterHeight - textHeight - 2));
    drawForceMeterBar(painter, track, share);

    const QString number = QString::number(std::lround(force));
    const QRectF label(track.center().x() - 20, track.bottom() + 1, 40, textHeight);
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(label.translated(1, 1), Qt::AlignCenter, number);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, number);
    painter.restore();
}

}  // namespace trundlex
