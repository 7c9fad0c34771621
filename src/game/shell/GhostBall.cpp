#include "GhostBall.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ball/Ball.h"
#include "render/PlayfieldWnd.h"

namespace trundlex {

namespace {

// Frames of the normal speed a tick of each speed mode moves on: the player's ball runs as
// many sub-steps per tick in these modes, relative to the normal one. Fastest and the next
// resting place are not animated: the ghost goes to its end at once, as the ball does.
double framesPerTick(SpeedMode mode) {
    switch (mode) {
        case Pause:
            return 0.0;
        case Half:
            return 0.5;
        case Normal:
            return 1.0;
        case Double:
            return 2.0;
        case Triple:
            return 3.0;
        case Quadruple:
            return 4.0;
        case Fastest:
        case NextPosition:
            break;
    }
    return -1.0;
}

}  // namespace

GhostBall::GhostBall(PlayfieldWnd& field, std::function<SpeedMode()> speed)
    : QObject(&field), field_(field), speed_(std::move(speed)) {
    timer_.setInterval(Ball::TickMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &GhostBall::tick);
}

void GhostBall::show(const GhostShot* shot) {
    const QRect before = area();
    timer_.stop();
    shot_.reset();
    if (shot != nullptr) {
        shot_ = *shot;
    }
    at_ = -1.0;
    gone_ = false;
    emit moved(before.united(area()));
}

void GhostBall::putt() {
    if (shot_ && !shot_->frames.empty()) {
        timer_.start();
        tick();
    }
}

void GhostBall::tick() {
    if (!shot_) {
        timer_.stop();
        return;
    }
    const QRect before = area();
    const double step = framesPerTick(speed_ ? speed_() : Normal);
    const double last = static_cast<double>(shot_->frames.size()) - 1.0;
    at_ = step < 0.0 ? last : std::min(last, at_ + step);
    if (at_ >= last) {
        timer_.stop();
        gone_ = shot_->holed;
    }
    emit moved(before.united(area()));
}

GhostFrame GhostBall::frame() const {
    if (at_ < 0.0 || shot_->frames.empty()) {
        return shot_->start;
    }
    return shot_->frames[static_cast<std::size_t>(at_)];
}

QPointF GhostBall::where() const {
    if (!shown()) {
        return {};
    }
    const GhostFrame f = frame();
    return {f.x, f.y};
}

QRect GhostBall::area() const {
    if (!shown()) {
        return {};
    }
    const GhostFrame f = frame();
    const double size = field_.blockSize();
    const double cx = field_.frameLeft() + field_.border() + f.x * size;
    const double cy = field_.frameTop() + field_.border() + f.y * size;
    const double r = f.radius * size + 2.0;
    return QRectF(cx - r, cy - r, 2 * r, 2 * r).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void GhostBall::paint(QPainter& painter) const {
    if (!shown()) {
        return;
    }
    const GhostFrame f = frame();
    if (f.radius <= 0.0) {
        return;
    }
    const double size = field_.blockSize();
    const QPointF centre(field_.frameLeft() + field_.border() + f.x * size,
                         field_.frameTop() + field_.border() + f.y * size);
    const double r = f.radius * size;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Light enough to read as "not a ball in play", with a rim that shows on ice and sand.
    painter.setPen(QPen(QColor(40, 60, 90, 150), std::max(1.0, size / 20.0)));
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawEllipse(centre, r, r);
    painter.restore();
}

}  // namespace trundlex
