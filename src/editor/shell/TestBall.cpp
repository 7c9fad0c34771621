#include "TestBall.h"

#include "level/Level.h"
#include "model/BrushStrip.h"
#include "model/TestPutt.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

TestBall::TestBall(QObject* context, Hooks hooks)
    : hooks_(std::move(hooks)),
      owner_(context, [this](std::int32_t, BallNotification code) { onNotification(code); }) {
    ball_.SetMessagePump(pumpGuiEvents);
}

TestBall::~TestBall() {
    // No handler may run on a window being destroyed: release the worker, then wait for it
    // without turning the event loop.
    owner_.release();
    ball_.SetMessagePump(nullptr);
    ball_.StopIfRunning();
}

void TestBall::switchOn(const Level& level, int scale, int originX, int originY) {
    level_ = &level;
    ball_.SetLevel(level);
    ball_.SetX(level.startX());
    ball_.SetY(level.startY());
    setGeometry(scale, originX, originY);
    lastRect_ = look_.boundingRect(ball_);
    on_ = true;
}

void TestBall::switchOff() {
    on_ = false;
    stop();
    if (level_ != nullptr) {
        ball_.SetLevel(*level_);
    }
}

void TestBall::setGeometry(int scale, int originX, int originY) {
    look_.setGeometry(originX, originY, scale);
}

void TestBall::puttToward(PixelPoint p, const EditorLayout& layout) {
    if (!on_ || ball_.IsRunning()) {
        return;
    }
    const TestPutt putt = testPuttFor(p, ball_.GetX(), ball_.GetY(), layout);
    ball_.Putt(putt.speed, putt.heading, &owner_, speedMode_);
    if (!ball_.IsRunning()) {
        return;
    }
    if (hooks_.putted) {
        hooks_.putted();
    }
    if (hooks_.runningChanged) {
        hooks_.runningChanged(true);
    }
}

void TestBall::stop() {
    const bool wasRunning = ball_.IsRunning();
    ball_.StopIfRunning();
    runPendingEdits();
    if (wasRunning && hooks_.stopped) {
        hooks_.stopped(BallLoss::None);
    }
    if (wasRunning && hooks_.runningChanged) {
        hooks_.runningChanged(false);
    }
}

void TestBall::setSpeedMode(SpeedMode mode) {
    if (mode < Pause || mode > NextPosition) {
        return;
    }
    speedMode_ = mode;
    ball_.SetSpeedMode(mode);
}

void TestBall::edit(std::function<void()> change) {
    pending_.push_back(std::move(change));
    if (!ball_.IsRunning()) {
        runPendingEdits();
    }
}

void TestBall::runPendingEdits() {
    // A change may itself ask for changes; they join the queue and run in turn.
    if (runningEdits_) {
        return;
    }
    runningEdits_ = true;
    while (!pending_.empty()) {
        const std::function<void()> change = std::move(pending_.front());
        pending_.pop_front();
        change();
    }
    runningEdits_ = false;
}

void TestBall::onNotification(BallNotification code) {
    // The worker waits until this returns: the level may change now.
    runPendingEdits();
    if (code == BallInCup) {
        if (hooks_.runningChanged) {
            hooks_.runningChanged(false);
        }
        if (on_ && hooks_.inCup) {
            hooks_.inCup();
        }
        return;
    }
    const PixelRect now = look_.boundingRect(ball_);
    if (hooks_.repaint) {
        hooks_.repaint(unite(now, lastRect_));
    }
    lastRect_ = now;
    if (code != BallStopped) {
        return;
    }
    if (hooks_.stopped) {
        hooks_.stopped(ball_.GetLoss());
    }
    if (hooks_.runningChanged) {
        hooks_.runningChanged(false);
    }
}

}  // namespace trundlex
