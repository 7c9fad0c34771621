#include "BannerOverlay.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace trundlex {

namespace {

constexpr int kFadeMilliseconds = 300;

}  // namespace

BannerOverlay::BannerOverlay(Placement placement, QWidget* parent)
    : QWidget(parent), placement_(placement) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hold_.setSingleShot(true);
    connect(&hold_, &QTimer::timeout, this, [this] { fade_.start(); });
    fade_.setDuration(kFadeMilliseconds);
    fade_.setStartValue(1.0);
    fade_.setEndValue(0.0);
    connect(&fade_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        opacity_ = value.toDouble();
        update();
    });
    connect(&fade_, &QVariantAnimation::finished, this, [this] {
        hide();
        next();
    });
    hide();
}

void BannerOverlay::showBanner(const QString& title, const QString& detail, const QColor& accent,
                               Sign sign, int milliseconds) {
    const Message message{title, detail, accent, sign, std::max(0, milliseconds)};
    // A plate without a time of its own gives way at once; any other is seen to its end.
    if ((!isHidden() && !open_) || !waiting_.empty()) {
        waiting_.push_back(message);
        return;
    }
    present(message);
}

void BannerOverlay::present(const Message& message) {
    title_ = message.title;
    detail_ = message.detail;
    accent_ = message.accent;
    sign_ = message.sign;
    open_ = message.milliseconds == 0;
    opacity_ = 1.0;
    fade_.stop();
    hold_.stop();
    if (!open_) {
        hold_.start(std::max(0, message.milliseconds - kFadeMilliseconds));
    }
    raise();
    show();
    update();
    emit shown(title_);
}

void BannerOverlay::next() {
    if (waiting_.empty()) {
        emit finished();
        return;
    }
    const Message message = waiting_.front();
    waiting_.pop_front();
    present(message);
}

void BannerOverlay::dismiss() {
    waiting_.clear();
    fade_.stop();
    hold_.stop();
    open_ = false;
    hide();
}

std::pair<QFont, QFont> BannerOverlay::fonts() const {
    QFont bigFont = font();
    bigFont.setBold(true);
    // Readable over any level, whatever the window's size; the turn label stays smaller than
    // what happened on the green.
    const int extent = std::min(width(), height() * 2);
    bigFont.setPixelSize(placement_ == Placement::Centre ? std::clamp(extent / 9, 14, 44)
                                                         : std::clamp(extent / 24, 12, 26));
    // A long text gets a smaller font rather than being cut.
    for (int tries = 0; tries < 8 && bigFont.pixelSize() > 12; ++tries) {
        const QFontMetrics m(bigFont);
        const int needed = m.horizontalAdvance(title_) + 3 * m.height() + 6;
        if (needed <= width() - 8) {
            break;
        }
        bigFont.setPixelSize(std::max(12, bigFont.pixelSize() * (width() - 8) / needed));
    }
    QFont smallFont = font();
    smallFont.setPixelSize(std::max(11, bigFont.pixelSize() / 2));
    return {bigFont, smallFont};
}

QRect BannerOverlay::plateRect(const QFontMetrics& big, const QFontMetrics& small) const {
    const int padding = big.height() / 2;
    const int signWidth = sign_ == Sign::None ? 0 : big.height() + padding;
    const int textWidth = std::max(big.horizontalAdvance(title_),
                                   detail_.isEmpty() ? 0 : small.horizontalAdvance(detail_));
    // A little slack: eliding measures a few pixels wider than the advance.
    const int w = std::min(width() - 8, textWidth + signWidth + 2 * padding + 6);
    const int h = big.height() + (detail_.isEmpty() ? 0 : small.height()) + padding;
    const int top = placement_ == Placement::Top ? std::min(6, std::max(0, height() - h))
                                                 : std::max(0, (height() - h) / 2);
    return {(width() - w) / 2, top, w, h};
}

QRect BannerOverlay::plateGeometry() const {
    if (isHidden()) {
        return {};
    }
    const auto [bigFont, smallFont] = fonts();
    return plateRect(QFontMetrics(bigFont), QFontMetrics(smallFont)).translated(pos());
}

void BannerOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setOpacity(opacity_);
    const auto [bigFont, smallFont] = fonts();
    const QFontMetrics big(bigFont);
    const QFontMetrics small(smallFont);
    const QRect plate = plateRect(big, small);

    QPainterPath shape;
    shape.addRoundedRect(QRectF(plate), plate.height() / 4.0, plate.height() / 4.0);
    painter.fillPath(shape.translated(2, 3), QColor(0, 0, 0, 70));
    painter.fillPath(shape, QColor(20, 28, 24, 215));
    painter.setPen(QPen(accent_, 2));
    painter.drawPath(shape);

    const int padding = big.height() / 2;
    QRect text = plate.adjusted(padding, padding / 2, -padding, -padding / 2);
    if (sign_ != Sign::None) {
        paintSign(painter, QRect(text.left(), plate.top() + (plate.height() - big.height()) / 2,
                                 big.height(), big.height()));
        text.setLeft(text.left() + big.height() + padding);
    }
    painter.setFont(bigFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(text.left(), text.top(), text.width(), big.height()),
                     Qt::AlignCenter, big.elidedText(title_, Qt::ElideRight, text.width()));
    if (!detail_.isEmpty()) {
        painter.setFont(smallFont);
        painter.setPen(accent_.lighter(130));
        painter.drawText(QRect(text.left(), text.top() + big.height(), text.width(), small.height()),
                         Qt::AlignCenter, small.elidedText(detail_, Qt::ElideRight, text.width()));
    }
}

void BannerOverlay::paintSign(QPainter& painter, const QRect& box) const {
    const QPointF c = QRectF(box).center();
    const double r = box.width() / 2.0;
    painter.setPen(QPen(accent_, 2));
    switch (sign_) {
        case Sign::Star: {
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
                const double d = i % 2 == 0 ? r : r * 0.45;
                star << QPointF(c.x() + d * std::cos(a), c.y() + d * std::sin(a));
            }
            painter.setBrush(accent_);
            painter.drawPolygon(star);
            break;
        }
        case Sign::Ripples:
            // A splash: rings spreading on the water.
            painter.setBrush(Qt::NoBrush);
            for (double k : {0.3, 0.6, 0.95}) {
                painter.drawEllipse(c, r * k, r * k * 0.55);
            }
            break;
        case Sign::Stop:
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(c, r * 0.9, r * 0.9);
            painter.drawLine(QPointF(c.x() - r * 0.6, c.y() + r * 0.6),
                             QPointF(c.x() + r * 0.6, c.y() - r * 0.6));
            break;
        case Sign::None:
            break;
    }
}

}  // namespace trundlex
