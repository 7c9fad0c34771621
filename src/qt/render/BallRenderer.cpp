#include "BallRenderer.h"

#include <QPainter>

#include "BallLook.h"
#include "MaterialStyle.h"
#include "ball/Ball.h"
#include "util/PixelMath.h"

namespace trundlex {

QColor fromRgbValue(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

std::uint32_t toRgbValue(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

namespace {

// An ellipse filled without outline in the box (left, top)-(right, bottom). As with the
// classic window-system call the box describes, the fill leaves out the box's last column and
// row, which is why callers add one to its far corner.
void fillEllipse(QPainter& painter, int left, int top, int right, int bottom, const QColor& c) {
    if (right - 1 <= left || bottom - 1 <= top) {
        return;
    }
    painter.setBrush(c);
    painter.drawEllipse(QRectF(left, top, right - 1 - left, bottom - 1 - top));
}

}  // namespace

void drawBall(QPainter& painter, Ball& ball, BallLook& look, bool dimmed) {
    if (ball.IsSinking() && !ball.IsRunning()) {
        return;
    }
    const QColor base = fromRgbValue(look.style().colour);
    const QColor c = dimmed ? shadeColour(base, -90, -90, -90) : base;
    const double x = ball.GetX();
    const double y = ball.GetY();
    const double r = ball.GetRadius();
    const double scale = look.scale();
    const double ox = look.offsetX();
    const double oy = look.offsetY();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    auto corner = [&](double centre, double offset, double sign, double nudge) {
        return pixelTrunc((centre + sign * r) * scale + offset + nudge);
    };
    fillEllipse(painter, corner(x, ox, -1, 1.5), corner(y, oy, -1, 1.5),
                corner(x, ox, 1, 1.5) + 1, corner(y, oy, 1, 1.5) + 1, Qt::black);
    fillEllipse(painter, corner(x, ox, -1, 0.5), corner(y, oy, -1, 0.5),
                corner(x, ox, 1, 0.5) + 1, corner(y, oy, 1, 0.5) + 1, c);

    if (!ball.IsSinking() && look.style().pattern != BallPatternCount) {
        double rollA = 0.0;
        double rollB = 0.0;
        ball.TakeRoll(rollA, rollB);
        look.dots().rotate(rollA, rollB);
        const QColor dark = shadeColour(c, -90, -90, -90);
        const QColor light = shadeColour(c, 30, 30, 30);
        auto dot = [&](const SurfacePoint& p, const QColor& colour) {
            painter.fillRect(QRect(pixelTrunc(ox + (x + p.x) * scale),
                                   pixelTrunc(oy + (y + p.y) * scale), 1, 1),
                             colour);
        };
        const auto& points = look.dots().points();
        if (look.style().transparent) {
            for (const SurfacePoint& p : points) {
                if (p.z <= 0) {
                    dot(p, light);
                }
            }
        }
        for (const SurfacePoint& p : points) {
            if (p.z > 0) {
                dot(p, dark);
            }
        }
    }
    painter.restore();
}

}  // namespace trundlex
