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

// The parts of the ball that do not turn with it, around `centre`: under the dots the
// shadow and the lit body, over them the shine and a waiting ball's outline.
void paintBody(QPainter& painter, QPointF centre, double radius, const QColor& colour, bool waiting,
               bool shadow) {
    painter.setPen(Qt::NoPen);
    if (shadow) {
        const QPointF at = centre + QPointF(0.22 * radius, 0.3 * radius);
        QRadialGradient shade(at, radius * 1.12);
        shade.setColorAt(0.0, QColor(0, 0, 0, waiting ? 50 : 95));
        shade.setColorAt(0.75, QColor(0, 0, 0, waiting ? 25 : 45));
        shade.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setBrush(shade);
        painter.drawEllipse(at, radius * 1.12, radius * 1.12);
    }
    painter.setOpacity(waiting ? 0.6 : 1.0);
    QRadialGradient body(centre, radius, centre - QPointF(0.38 * radius, 0.42 * radius));
    body.setColorAt(0.0, towards(colour, Qt::white, 0.65));
    body.setColorAt(0.45, colour);
    body.setColorAt(1.0, waiting ? colour : towards(colour, Qt::black, 0.3));
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);
    painter.setOpacity(1.0);
}

void paintShine(QPainter& painter, QPointF centre, double radius, bool waiting) {
    painter.setPen(Qt::NoPen);
    const QPointF at = centre - QPointF(0.4 * radius, 0.45 * radius);
    QRadialGradient shine(at, radius * 0.45);
    shine.setColorAt(0.0, QColor(255, 255, 255, waiting ? 120 : 200));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawEllipse(at, radius * 0.45, radius * 0.45);
    if (waiting) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 230), std::max(1.0, radius / 7)));
        painter.drawEllipse(centre, radius, radius);
    }
}

// Both pictures at the ball's size in device pixels, the ball's centre in the middle of the
// pixel at (half, half). Made again only when colour, size or role change.
void makeSprites(BallLook& look, double radius, bool waiting, qreal ratio) {
    const std::uint64_t key = (static_cast<std::uint64_t>(look.style().colour) << 24) ^
                              (static_cast<std::uint64_t>(std::lround(radius * ratio * 64)) << 1) ^
                              (waiting ? 1u : 0u);
    if (key == look.spriteKey() && !look.sprites()[0].isNull()) {
        return;
    }
    const double r = radius * ratio;
    const int half = static_cast<int>(std::ceil(1.4 * r)) + 2;
    const QPointF centre(half + 0.5, half + 0.5);
    const QColor colour = fromRgbValue(look.style().colour);
    for (int layer = 0; layer < 2; ++layer) {
        QImage& sprite = look.sprites()[static_cast<std::size_t>(layer)];
        sprite = QImage(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
        sprite.fill(Qt::transparent);
        QPainter painter(&sprite);
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (layer == 0) {
            paintBody(painter, centre, r, colour, waiting, true);
        } else {
            paintShine(painter, centre, r, waiting);
        }
        sprite.setDevicePixelRatio(ratio);
    }
    look.setSpriteKey(key);
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
    if (ball.IsSinking()) {
        // Shrinking a little every step: not worth keeping pictures of.
        paintBody(painter, centre, radius, colour, waiting, false);
        paintShine(painter, centre, radius, waiting);
        painter.restore();
        return;
    }
    // The rolling ball is drawn often: its still parts are kept as pictures and copied.
    const qreal ratio = std::max<qreal>(1.0, painter.device()->devicePixelRatioF());
    makeSprites(look, radius, waiting, ratio);
    const int half = (look.sprites()[0].width() - 1) / 2;
    const QPointF corner(std::floor(centre.x() * ratio) - half, std::floor(centre.y() * ratio) - half);
    painter.drawImage(corner / ratio, look.sprites()[0]);

    if (look.style().pattern != BallPatternCount) {
        double rollA = 0.0;
        double rollB = 0.0;
        ball.TakeRoll(rollA, rollB);
        look.dots().rotate(rollA, rollB);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const double size = std::max(1.0 / ratio, radius * 0.15);
        QColor near = towards(colour, Qt::black, 0.55);
        QColor far = towards(colour, Qt::white, 0.3);
        for (const SurfacePoint& p : look.dots().points()) {
            if (p.z <= 0 && !look.style().transparent) {
                continue;
            }
            // Dots towards the rim are seen at a slant and fade into the ball.
            QColor& dot = p.z > 0 ? near : far;
            const double z = std::fabs(p.z) / BallDefaultRadius;
            dot.setAlphaF(static_cast<float>((waiting ? 0.6 : 1.0) * (0.35 + 0.65 * z)));
            painter.fillRect(QRectF(centre.x() + p.x * scale - size / 2, centre.y() + p.y * scale - size / 2,
                                    size, size),
                             dot);
        }
    }
    painter.drawImage(corner / ratio, look.sprites()[1]);
    painter.restore();
}

}  // namespace trundlex
