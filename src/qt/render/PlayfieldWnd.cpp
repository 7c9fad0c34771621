#include "PlayfieldWnd.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "BallRenderer.h"
#include "ImageTiling.h"
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
    renderBackground();
    composeFrame();
    if (full) {
        invalidateFrame();
        paintMargins();
    }
}

QString PlayfieldWnd::caption() const {
    const QString name = toDisplayText(level_.name());
    if (level_.creator().empty()) {
        return name;
    }
    return QStringLiteral("%1 (%2)").arg(name, toDisplayText(level_.creator()));
}

void PlayfieldWnd::renderBackground() {
    background_ = QImage();
    if (level_.width() < 1 || level_.height() < 1) {
        return;
    }
    const int fitX = (width() - left_ - 2 * border_) / level_.width();
    const int fitY = (height() - top_ - 2 * border_) / level_.height();
    blockSize_ = std::max(1, std::min(fitX, fitY));
    const int frameWidth = blockSize_ * level_.width() + 2 * border_;
    const int frameHeight = blockSize_ * level_.height() + 2 * border_;

    background_ = QImage(frameWidth, frameHeight, QImage::Format_RGB32);
    fillTiled(background_, backgroundTile());
    {
        QPainter painter(&background_);
        painter.setPen(QColor(30, 220, 30));
        painter.setFont(font());
        painter.drawText(QRect(1, 1, frameWidth - 1, frameHeight - 1),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption());
        renderer_.drawLevel(painter, level_, border_, border_, blockSize_, false);
    }
    onBackgroundDrawn(background_);
}

void PlayfieldWnd::composeFrame() {
    if (background_.isNull()) {
        frame_ = QImage();
        return;
    }
    frame_ = QImage(background_.size(), QImage::Format_RGB32);
    frame_.fill(Qt::black);
    copyBackground(0, 0, frame_.width(), frame_.height());
    drawCurrentBall();
}

void PlayfieldWnd::copyBackground(int l, int t, int r, int b) {
    if (frame_.isNull() || background_.isNull()) {
        return;
    }
    const QRect area = QRect(l, t, r - l, b - t).intersected(frame_.rect());
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(&frame_);
    painter.drawImage(area.topLeft(), background_, area);
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
    return look;
}

void PlayfieldWnd::drawCurrentBall() {
    if (currentBall_ == nullptr || frame_.isNull()) {
        return;
    }
    BallLook& look = lookOf(*currentBall_, currentStyle_);
    ballRect_ = look.boundingRect(*currentBall_);
    QPainter painter(&frame_);
    trundlex::drawBall(painter, *currentBall_, look, false);
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
    if (!frame_.isNull()) {
        const QRect target = QRect(QPoint(left_, top_), frame_.size()).intersected(event->rect());
        if (!target.isEmpty()) {
            painter.drawImage(target, frame_, target.translated(-left_, -top_));
        }
    }
    // The margins right of, below and left of the images, then the strip above them.
    const int right = left_ + (frame_.isNull() ? 0 : frame_.width());
    const int bottom = top_ + (frame_.isNull() ? 0 : frame_.height());
    QRegion margins(QRect(0, top_, width(), height() - top_));
    if (!frame_.isNull()) {
        margins -= QRect(left_, top_, right - left_, bottom - top_);
    }
    const QColor window = palette().color(QPalette::Window);
    for (const QRect& r : margins.intersected(region)) {
        painter.fillRect(r, window);
    }
    const QRect header = QRect(0, 0, width(), top_).intersected(event->rect());
    if (!header.isEmpty()) {
        paintHeader(painter, header);
    }
}

void PlayfieldWnd::paintHeader(QPainter& painter, const QRect& strip) {
    painter.fillRect(strip, palette().color(QPalette::Window));
}

void PlayfieldWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!frame_.isNull()) {
        refresh(false);
    }
}

}  // namespace trundlex
