#include "ResultsPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <cmath>

namespace trundlex::resultspictures {

namespace {

constexpr int kDiscSize = 16;

QColor fromBgr(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// Drawn at the screen's pixel ratio, so the medals stay crisp on high-density screens.
QPixmap blankPixmap(const QWidget& widget, int width, int height) {
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// The place of a player without a medal: a plain ring, as wide as a medal.
QPixmap placeRing(const QWidget& widget, int place) {
    QPixmap pixmap = blankPixmap(widget, MedalSize, MedalSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ink = widget.palette().color(QPalette::Text);
    ink.setAlpha(130);
    painter.setPen(QPen(ink, 1.2));
    const QRectF ring(6, 6, 18, 18);
    painter.drawEllipse(ring);
    QFont font = widget.font();
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(ring, Qt::AlignCenter, QString::number(place));
    return pixmap;
}

}  // namespace

// A medal for places 1 to 3: a ribbon behind a metal disc with the place stamped on it.
QPixmap medal(const QWidget& widget, int place) {
    if (place > 3) {
        return placeRing(widget, place);
    }
    struct Metal {
        QColor light, dark, text;
    };
    static const Metal metals[] = {{QColor(255, 229, 120), QColor(196, 146, 20), QColor(110, 74, 0)},
                                   {QColor(246, 247, 250), QColor(150, 156, 166), QColor(70, 74, 82)},
                                   {QColor(240, 176, 120), QColor(150, 86, 40), QColor(90, 46, 14)}};
    const Metal& metal = metals[place - 1];
    QPixmap pixmap = blankPixmap(widget, MedalSize, MedalSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The ribbon: two bands meeting behind the disc.
    const QColor ribbon = place == 1 ? QColor(200, 40, 50) : place == 2 ? QColor(40, 90, 190)
                                                                        : QColor(40, 140, 80);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ribbon);
    painter.drawPolygon(QPolygonF({{6, 0}, {12, 0}, {17, 14}, {12, 16}}));
    painter.setBrush(ribbon.darker(125));
    painter.drawPolygon(QPolygonF({{24, 0}, {18, 0}, {13, 14}, {18, 16}}));
    // The disc, lit from the top left.
    const QRectF disc(5, 8, 20, 20);
    QRadialGradient shine(disc.center() - QPointF(4, 4), 14);
    shine.setColorAt(0, metal.light);
    shine.setColorAt(1, metal.dark);
    painter.setBrush(shine);
    painter.setPen(QPen(metal.dark.darker(130), 1.2));
    painter.drawEllipse(disc);
    painter.setPen(QPen(metal.light, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc.adjusted(2.5, 2.5, -2.5, -2.5));
    QFont font = widget.font();
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(metal.text);
    painter.drawText(disc, Qt::AlignCenter, QString::number(place));
    return pixmap;
}

// A golden cup for the headline.
QPixmap trophy(const QWidget& widget) {
    QPixmap pixmap = blankPixmap(widget, 44, 48);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gold(0, 0, 44, 0);
    gold.setColorAt(0, QColor(255, 214, 90));
    gold.setColorAt(0.45, QColor(255, 240, 170));
    gold.setColorAt(1, QColor(200, 140, 20));
    const QPen rim(QColor(140, 95, 10), 1.2);
    // Handles first, so the bowl covers where they join.
    painter.setPen(QPen(QColor(200, 150, 30), 3.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(2, 6, 14, 16), 90 * 16, 180 * 16);
    painter.drawArc(QRectF(28, 6, 14, 16), -90 * 16, 180 * 16);
    painter.setPen(rim);
    painter.setBrush(gold);
    QPainterPath bowl;
    bowl.moveTo(9, 4);
    bowl.lineTo(35, 4);
    bowl.cubicTo(35, 22, 28, 29, 22, 29);
    bowl.cubicTo(16, 29, 9, 22, 9, 4);
    painter.drawPath(bowl);
    painter.drawRect(QRectF(19.5, 29, 5, 8));
    painter.drawRoundedRect(QRectF(12, 37, 20, 8), 2, 2);
    // A star stamped on the bowl.
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 6.0 : 2.6;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(22 + radius * std::cos(angle), 15 + radius * std::sin(angle));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawPolygon(star);
    return pixmap;
}

// The player's ball as a small shaded disc in its colour.
QPixmap disc(const QWidget& widget, std::uint32_t colour) {
    QPixmap pixmap = blankPixmap(widget, kDiscSize, kDiscSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = fromBgr(colour);
    const QRectF ball(1, 1, kDiscSize - 2, kDiscSize - 2);
    QRadialGradient shade(ball.center() - QPointF(3, 3), kDiscSize * 0.75);
    shade.setColorAt(0, base.lighter(150));
    shade.setColorAt(1, base.darker(125));
    painter.setBrush(shade);
    painter.setPen(QPen(QColor(0, 0, 0, 150), 1));
    painter.drawEllipse(ball);
    return pixmap;
}

}  // namespace trundlex::resultspictures
