#include "BallPreview.h"

#include <QPainter>

#include "render/BallRenderer.h"
#include "render/LevelDrawing.h"
#include "render/ModernBall.h"
#include "platform/PlatformSupport.h"
#include "util/RandomSource.h"

namespace trundlex {

BallPreview::BallPreview(RandomSource& random, QWidget* parent)
    : QWidget(parent),
      random_(random),
      owner_(this, [this](std::int32_t, BallNotification code) { onBallNotification(code); }) {
    setFixedSize(kBlockSize * level_.width(), kBlockSize * level_.height());
    setAttribute(Qt::WA_OpaquePaintEvent);
    ball_.SetLevel(level_);
    ballLook_.setGeometry(0, 0, kBlockSize);
    ball_.SetSoundOn(false);
    ball_.SetMessagePump(pumpGuiEvents);
}

BallPreview::~BallPreview() {
    rolling_ = false;
    owner_.release();
    ball_.SetMessagePump(nullptr);
    ball_.StopIfRunning();
}

void BallPreview::setBallLook(std::uint32_t colour, int pattern, bool transparent) {
    ballLook_.setStyle(BallStyle{colour, pattern, transparent});
    update();
}

void BallPreview::setLook(Look look) {
    look_ = look;
    ballLook_.setMargin(look == Look::Modern ? modernBallMargin(kBlockSize) : 0);
    update();
}

void BallPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    rolling_ = true;
    if (!ball_.IsRunning()) {
        ball_.Putt(1.0, 1.0, &owner_, Normal);
    }
}

void BallPreview::hideEvent(QHideEvent* event) {
    rolling_ = false;
    ball_.StopIfRunning();
    QWidget::hideEvent(event);
}

void BallPreview::onBallNotification(BallNotification code) {
    if (code == BallMoved) {
        update();
        return;
    }
    if (rolling_) {
        // Off again in one of four directions, up and to the left mostly.
        ball_.Putt(4.0, random_.next() % 4 + 2, &owner_, Normal);
    }
}

void BallPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawLevelInLook(painter, look_, renderer_, modern_, level_, 0, 0, kBlockSize,
                    devicePixelRatioF());
    if (look_ == Look::Modern) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        drawModernBall(painter, ball_, ballLook_, false);
    } else {
        drawBall(painter, ball_, ballLook_, false);
    }
}

}  // namespace trundlex
