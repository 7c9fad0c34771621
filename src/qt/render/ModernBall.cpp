#include "ModernBall.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "BallLook.h"
#include "BallRenderer.h"
#include "ball/Ball.h"

namespace trundlex {

int modernBallMargin(int pixelsPerBlock) {
    return static_cast<int>(std::ceil(0.45 * BallDefaultRadius * pixelsPerBlock)) + 2;
}

namespace {

QColor towards(const QColor& from, const QColor& to, double t) {
    return QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * t),
                            static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * t),
                            static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * t));
}

}  // namespace

void drawModernBall(QPainter& painter, Ball& ball, BallLook& look, bool waiting) {
    if (ball.IsSinking() && !ball.IsRunning()) {
        return;
    }
    const QColor colour = fromRgbValue(look.style().colour);
    const double scale = look.scale();
    const double radius = ball.GetRadius() * scale;
    const QPointF centre(ball.GetX() * scale + look.offsetX(), ball.GetY() * scale + look.offsetY());
    if (radius < 0.5) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    if (!ball.IsSinking()) {
        const QPointF at = centre + QPointF(0.22 * radius, 0.3 * radius);
        QRadialGradient shade(at, radius * 1.12);
        shade.setColorAt(0.0, QColor(0, 0, 0, waiting ? 50 : 95));
        shade.setColorAt(0.75, QColor(0, 0, 0, waiting ? 25 : 45));
        shade.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setBrush(shade);
        painter.drawEllipse(at, radius * 1.12, radius * 1.12);
    }
    if (waiting) {
        painter.setOpacity(0.6);
    }
    QRadialGradient body(centre, radius, centre - QPointF(0.38 * radius, 0.42 * radius));
    body.setColorAt(0.0, towards(colour, Qt::white, 0.65));
    body.setColorAt(0.45, colour);
    body.setColorAt(1.0, waiting ? colour : towards(colour, Qt::black, 0.3));
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);

    if (!ball.IsSinking() && look.style().pattern != BallPatternCount) {
        double rollA = 0.0;
        double rollB = 0.0;
        ball.TakeRoll(rollA, rollB);
        look.dots().rotate(rollA, rollB);
        const double dotRadius = std::max(0.6, radius * 0.085);
        const QColor near = towards(colour, Qt::black, 0.55);
        const QColor far = towards(colour, Qt::white, 0.3);
        for (const SurfacePoint& p : look.dots().points()) {
            if (p.z <= 0 && !look.style().transparent) {
                continue;
            }
            painter.setBrush(p.z > 0 ? near : far);
            // Dots towards the rim are seen at a slant and fade into the ball.
            const double z = std::fabs(p.z) / BallDefaultRadius;
            painter.setOpacity((waiting ? 0.6 : 1.0) * (0.35 + 0.65 * z));
            painter.drawEllipse(QPointF(centre.x() + p.x * scale, centre.y() + p.y * scale), dotRadius, dotRadius);
        }
        painter.setOpacity(waiting ? 0.6 : 1.0);
    }
    // The shine of the light source, and for a waiting ball a light outline.
    QRadialGradient shine(centre - QPointF(0.4 * radius, 0.45 * radius), radius * 0.45);
    shine.setColorAt(0.0, QColor(255, 255, 255, 200));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawEllipse(centre - QPointF(0.4 * radius, 0.45 * radius), radius * 0.45, radius * 0.45);
    if (waiting) {
        painter.setOpacity(0.9);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255), std::max(1.0, radius / 7)));
        painter.drawEllipse(centre, radius, radius);
    }
    painter.restore();
}

}  // namespace trundlex
