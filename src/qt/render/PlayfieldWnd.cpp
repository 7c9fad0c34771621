#include "PlayfieldWnd.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cstring>

#include "BallRenderer.h"
#include "ImageTiling.h"
#include "ModernBall.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

// The 8 x 8 tile behind the level: black with a small dark-green figure.
QImage backgroundTile() {
    static const char* const kRows[8] = {
        "........", ".x.x.x..", "..xxx...", ".xxxxx..",
        "..xxx...", ".x.x.x..", "........", "........",
    };
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            tile.setPixel(x, y, kRows[y][x] == 'x' ? qRgb(0, 102, 51) : qRgb(0, 0, 0));
        }
    }
    return tile;
}

const QColor kBackdropTop(36, 70, 78);
const QColor kBackdropBottom(18, 36, 44);

QRect toQRect(const PixelRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

PlayfieldWnd::PlayfieldWnd(QWidget* parent)
    : QWidget(parent),
      ballOwner_(this, [this](std::int32_t id, BallNotification code) { onBallMessage(id, code); }),
      currentBall_(&ball_) {
    // Every pixel is painted from the frame or as margin: no erasing, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    ball_.SetLevel(level_);
    ball_.SetMessagePump(pumpGuiEvents);
}

PlayfieldWnd::~PlayfieldWnd() {
    // No handler may run on a window being destroyed: release the workers, then let the ball
    // wait for its own without turning the event loop.
    ballOwner_.release();
    ball_.SetMessagePump(nullptr);
    ball_.StopIfRunning();
}

void PlayfieldWnd::refresh(bool full) {
    // A smaller frame (the next hole narrower than the last) leaves part of the old one in
    // the header strip above it, which the margins do not cover: it is painted over too.
    const QRect before = frame_.isNull() ? QRect() : QRect(QPoint(left_, top_), frameSize());
    renderBackground();
    composeFrame();
    if (full) {
        invalidateFrame();
        paintMargins();
        update(before);
    }
}

QString PlayfieldWnd::caption() const {
    const QString name = toDisplayText(level_.name());
    if (level_.creator().empty()) {
        return name;
    }
    return QStringLiteral("%1 (%2)").arg(name, toDisplayText(level_.creator()));
}

void PlayfieldWnd::setLook(Look look) {
    if (look == look_) {
        return;
    }
    look_ = look;
    if (!background_.isNull()) {
        refresh(true);
    }
    update();
}

void PlayfieldWnd::setCentred(const QMargins& reserved) {
    centred_ = true;
    reserved_ = reserved;
}

QSize PlayfieldWnd::frameSize() const {
    return frame_.isNull() ? QSize() : frame_.deviceIndependentSize().toSize();
}

void PlayfieldWnd::renderBackground() {
    background_ = QImage();
    if (level_.width() < 1 || level_.height() < 1) {
        return;
    }
    const bool modern = look_ == Look::Modern;
    // The modern title needs a wider border to be read at a glance.
    border_ = modern ? 30 : 20;
    const QRect area = centred_ ? rect().marginsRemoved(reserved_)
                                : QRect(left_, top_, width() - left_, height() - top_);
    const int fitX = (area.width() - 2 * border_) / level_.width();
    const int fitY = (area.height() - 2 * border_) / level_.height();
    blockSize_ = std::max(1, std::min(fitX, fitY));
    const int frameWidth = blockSize_ * level_.width() + 2 * border_;
    const int frameHeight = blockSize_ * level_.height() + 2 * border_;
    if (centred_) {
        left_ = area.left() + std::max(0, (area.width() - frameWidth) / 2);
        top_ = area.top() + std::max(0, (area.height() - frameHeight) / 2);
    }
    pixelRatio_ = modern ? std::max<qreal>(1.0, devicePixelRatioF()) : 1.0;
    if (modern) {
        drawModernBackground(frameWidth, frameHeight);
    } else {
        drawClassicBackground(frameWidth, frameHeight);
    }
    if (!background_.isNull()) {
        onBackgroundDrawn(background_);
    }
}

void PlayfieldWnd::drawClassicBackground(int frameWidth, int frameHeight) {
    background_ = QImage(frameWidth, frameHeight, QImage::Format_RGB32);
    fillTiled(background_, backgroundTile());
    QPainter painter(&background_);
    painter.setPen(QColor(30, 220, 30));
    painter.setFont(font());
    painter.drawText(QRect(1, 1, frameWidth - 1, frameHeight - 1),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption());
    renderer_.drawLevel(painter, level_, border_, border_, blockSize_, false);
}

void PlayfieldWnd::drawModernBackground(int frameWidth, int frameHeight) {
    const qreal ratio = pixelRatio_;
    background_ = QImage(qCeil(frameWidth * ratio), qCeil(frameHeight * ratio), QImage::Format_RGB32);
    if (background_.isNull()) {
        return;
    }
    background_.setDevicePixelRatio(ratio);
    QImage levelImage = modern_.renderLevel(level_, qRound(blockSize_ * ratio));
    levelImage.setDevicePixelRatio(ratio);
    QPainter painter(&background_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The corners outside the rounded rim continue the window's backdrop.
    QLinearGradient backdrop(0, -top_, 0, std::max(1, height()) - top_);
    backdrop.setColorAt(0, kBackdropTop);
    backdrop.setColorAt(1, kBackdropBottom);
    painter.fillRect(QRectF(0, 0, frameWidth, frameHeight), backdrop);
    // A dark, slightly raised rim around the course, the title on its top side.
    QLinearGradient rim(0, 0, 0, frameHeight);
    rim.setColorAt(0, QColor(58, 66, 74));
    rim.setColorAt(1, QColor(36, 42, 50));
    painter.setPen(QPen(QColor(90, 100, 110), 1));
    painter.setBrush(rim);
    painter.drawRoundedRect(QRectF(0.5, 0.5, frameWidth - 1, frameHeight - 1), 10, 10);
    painter.drawImage(QPointF(border_, border_), levelImage);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(border_ - 0.5, border_ - 0.5, blockSize_ * level_.width() + 1,
                            blockSize_ * level_.height() + 1));
    ModernRenderer::drawFlags(painter, level_, border_, border_, blockSize_);
    QFont title = font();
    title.setPixelSize(std::max(11, border_ * 3 / 5));
    title.setBold(true);
    painter.setFont(title);
    const QRectF line(border_, 0, frameWidth - 2 * border_, border_);
    const QString text = QFontMetrics(title).elidedText(caption(), Qt::ElideRight, static_cast<int>(line.width()));
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(line.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.setPen(QColor(250, 250, 245));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void PlayfieldWnd::composeFrame() {
    if (background_.isNull()) {
        frame_ = QImage();
        return;
    }
    frame_ = QImage(background_.size(), QImage::Format_RGB32);
    frame_.setDevicePixelRatio(background_.devicePixelRatio());
    frame_.fill(Qt::black);
    const QSize size = frameSize();
    copyBackground(0, 0, size.width(), size.height());
    drawCurrentBall();
}

void PlayfieldWnd::copyBackground(int l, int t, int r, int b) {
    if (frame_.isNull() || background_.isNull()) {
        return;
    }
    // In the images' own pixels, which are finer than the window's on a dense screen.
    const qreal ratio = pixelRatio_;
    const QRect area = QRect(QPoint(qFloor(l * ratio), qFloor(t * ratio)),
                             QPoint(qCeil(r * ratio) - 1, qCeil(b * ratio) - 1))
                           .intersected(frame_.rect())
                           .intersected(background_.rect());
    if (area.isEmpty()) {
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::memcpy(frame_.scanLine(y) + area.left() * sizeof(QRgb),
                    background_.constScanLine(y) + area.left() * sizeof(QRgb), bytes);
    }
}

void PlayfieldWnd::invalidateBitmapRect(int l, int t, int r, int b) {
    update(QRect(l, t, r - l, b - t).translated(left_, top_));
}

void PlayfieldWnd::invalidateFrame() {
    invalidateBitmapRect(0, 0, blockSize_ * level_.width() + 2 * border_,
                         blockSize_ * level_.height() + 2 * border_);
}

void PlayfieldWnd::paintMargins() {
    const int right = left_ + 2 * border_ + blockSize_ * level_.width();
    const int bottom = top_ + 2 * border_ + blockSize_ * level_.height();
    update(QRect(right, top_, std::max(0, width() - right), std::max(0, height() - top_)));
    update(QRect(left_, bottom, std::max(0, width() - left_), std::max(0, height() - bottom)));
    update(QRect(0, top_, left_, std::max(0, height() - top_)));
}

void PlayfieldWnd::clearImages() {
    background_ = QImage();
    frame_ = QImage();
    update();
}

void PlayfieldWnd::setBall(Ball* ball, const BallStyle& style) {
    currentBall_ = ball;
    currentStyle_ = style;
}

BallLook& PlayfieldWnd::lookOf(const Ball& ball, const BallStyle& style) {
    // Balls come and go with games; looks of balls long gone are not worth keeping.
    constexpr std::size_t kMostLooks = 64;
    if (looks_.size() >= kMostLooks && looks_.count(&ball) == 0) {
        looks_.clear();
    }
    BallLook& look = looks_[&ball];
    look.setStyle(style);
    look.setGeometry(border_, border_, blockSize_);
    look.setMargin(look_ == Look::Modern ? modernBallMargin(blockSize_) : 0);
    return look;
}

void PlayfieldWnd::drawWaitingBall(QPainter& painter, Ball& ball, const BallStyle& style) {
    BallLook& look = lookOf(ball, style);
    if (look_ == Look::Modern) {
        drawModernBall(painter, ball, look, true);
    } else {
        trundlex::drawBall(painter, ball, look, true);
    }
}

void PlayfieldWnd::drawCurrentBall() {
    if (currentBall_ == nullptr || frame_.isNull()) {
        return;
    }
    BallLook& look = lookOf(*currentBall_, currentStyle_);
    ballRect_ = look.boundingRect(*currentBall_);
    QPainter painter(&frame_);
    if (look_ == Look::Modern) {
        drawModernBall(painter, *currentBall_, look, false);
    } else {
        trundlex::drawBall(painter, *currentBall_, look, false);
    }
}

void PlayfieldWnd::onBallMessage(std::int32_t, BallNotification code) {
    if (currentBall_ == nullptr) {
        return;
    }
    // The last step is drawn too: a ball put back after water jumps to its start, and a sunk
    // ball disappears.
    const PixelRect old = ballRect_;
    copyBackground(old.left, old.top, old.right, old.bottom);
    drawCurrentBall();
    const QRect changed = toQRect(old).united(toQRect(ballRect_));
    invalidateBitmapRect(changed.left(), changed.top(), changed.right() + 1, changed.bottom() + 1);
    if (code != BallMoved) {
        onBallStopped(code == BallInCup);
    }
}

void PlayfieldWnd::putt(double angle, double speed) {
    if (currentBall_ != nullptr) {
        currentBall_->Putt(speed, angle, &ballOwner_, speedLocked_ ? lockedSpeedMode_ : Normal);
    }
}

void PlayfieldWnd::stopBall() {
    if (currentBall_ != nullptr && currentBall_->IsRunning()) {
        currentBall_->Stop();
    }
}

QPointF PlayfieldWnd::pixelToLevel(double px, double py) const {
    return QPointF((px - left_ - border_) / blockSize_, (py - top_ - border_) / blockSize_);
}

void PlayfieldWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRegion region = event->region();
    const QSize size = frameSize();
    if (!frame_.isNull()) {
        const QRect target = QRect(QPoint(left_, top_), size).intersected(event->rect());
        if (!target.isEmpty()) {
            const QRectF source = QRectF(target.translated(-left_, -top_));
            painter.drawImage(QRectF(target), frame_,
                              QRectF(source.topLeft() * pixelRatio_, source.size() * pixelRatio_));
        }
    }
    // The margins right of, below and left of the images, then the strip above them.
    QRegion margins(QRect(0, top_, width(), height() - top_));
    if (!frame_.isNull()) {
        margins -= QRect(QPoint(left_, top_), size);
    }
    for (const QRect& r : margins.intersected(region)) {
        paintBackdrop(painter, r);
    }
    const QRect header = QRect(0, 0, width(), top_).intersected(event->rect());
    if (!header.isEmpty()) {
        paintHeader(painter, header);
    }
}

void PlayfieldWnd::paintHeader(QPainter& painter, const QRect& strip) { paintBackdrop(painter, strip); }

void PlayfieldWnd::paintBackdrop(QPainter& painter, const QRect& area) {
    if (look_ != Look::Modern) {
        painter.fillRect(area, palette().color(QPalette::Window));
        return;
    }
    // One gradient over the whole window, so pieces painted apart meet without a seam.
    QLinearGradient backdrop(0, 0, 0, std::max(1, height()));
    backdrop.setColorAt(0, kBackdropTop);
    backdrop.setColorAt(1, kBackdropBottom);
    painter.fillRect(area, backdrop);
}

void PlayfieldWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!frame_.isNull()) {
        refresh(false);
    }
}

}  // namespace trundlex
