// The game view's drawing and layout: waiting balls, the aim, the force meter, the start
// screen, and where the score board, chat box and playfield go in the window.
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ChatBox.h"
#include "GameView.h"
#include "GhostBall.h"
#include "ReplayBar.h"
#include "StandingsPanel.h"
#include "ScoreBoard.h"
#include "control/ForceMeter.h"
#include "render/BallRenderer.h"
#include "render/ForceMeterBar.h"
#include "util/PixelMath.h"

namespace trundlex {

namespace {

const double kPi = std::acos(-1.0);
constexpr int kGap = 10;
// The strip left of the playfield that holds the force meter.
constexpr int kMeterStrip = 48;
constexpr int kMeterWidth = 18;
// The score board's row height: as the window's height suggests between the first two, and
// down to the third where the board would not fit otherwise.
constexpr int kMinUnit = 20;
constexpr int kMaxUnit = 36;
constexpr int kSmallestUnit = 12;

}  // namespace

void GameView::layoutHeader() {
    int bottom = kGap;
    const bool chat = chatBox_ != nullptr && chatBox_->isVisibleTo(this);
    const int chatWidth = chat ? chatBox_->width() : 0;
    if (chat) {
        chatBox_->move(std::max(kGap, width() - kGap - chatWidth), kGap);
        bottom = std::max(bottom, kGap + chatBox_->height() + kGap);
    }
    if (scoreBoard_->isVisibleTo(this)) {
        const int room = width() - 2 * kGap - (chat ? chatWidth + kGap : 0);
        // The board grows with the window, as the playfield does, but never takes more than
        // a third of its height or more than the width beside the chat box.
        int unit = std::clamp(height() / 28, kMinUnit, kMaxUnit);
        while (unit > kSmallestUnit && (scoreBoard_->sizeAt(unit).width() > room ||
                                        scoreBoard_->sizeAt(unit).height() > height() / 3)) {
            --unit;
        }
        scoreBoard_->setUnit(unit);
        const QSize table = scoreBoard_->tableSize();
        scoreBoard_->setGeometry(kGap, kGap, std::max(60, std::min(table.width(), room)),
                                 table.height());
        bottom = std::max(bottom, scoreBoard_->geometry().bottom() + 1 + kGap);
    }
    // The replay's bar lies under the playfield, which makes room for it.
    int below = kGap;
    if (replayBar_ != nullptr) {
        const QSize bar = replayBar_->sizeHint();
        const int barWidth = std::min(width() - 2 * kGap, std::max(bar.width(), width() / 2));
        replayBar_->setGeometry((width() - barWidth) / 2, height() - kGap / 2 - bar.height(),
                                barWidth, bar.height());
        below = kGap + bar.height();
    }
    const QMargins margins(kMeterStrip, bottom, kGap, below);
    const QRect before(frameLeft(), frameTop(), frameSize().width(), frameSize().height());
    setCentred(margins);
    if (!frame().isNull()) {
        refresh(true);
        if (shownAim_) {
            drawAim(shownAim_->first, shownAim_->second);
        }
    }
    // A frame that moved or shrank leaves pixels outside the new one: paint them over.
    if (before != QRect(frameLeft(), frameTop(), frameSize().width(), frameSize().height())) {
        update();
    }
    placeOverlays();
    if (standings_ != nullptr) {
        // Over the playfield; the score board above stays in sight.
        standings_->setGeometry(0, bottom - kGap / 2, width(), height() - bottom + kGap / 2);
    }
}

void GameView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutHeader();
    startScreen_->setGeometry(rect());
}

void GameView::onBackgroundDrawn(QImage& background) {
    Match& match = controller_->match();
    if (viewState() == ReplayWaiting || viewState() == ReplayRolling ||
        controller_->currentPlayer() == nullptr) {
        return;
    }
    const int count = match.PlayerCount();
    const int current = match.GetCurrentIndex();
    QPainter painter(&background);
    // From the player before the current one backwards, so the next to play lies on top.
    for (int step = 1; step < count; ++step) {
        const int i = ((current - step) % count + count) % count;
        Player& player = *match.GetPlayer(i);
        if (player.IsOnHole()) {
            drawWaitingBall(painter, player.GetBall(), player.GetStyle());
        }
    }
}

void GameView::drawAim(double aim, bool circleOnly) {
    Ball* ball = currentBall();
    if (controller_->currentPlayer() == nullptr || ball == nullptr || frameImage().isNull()) {
        return;
    }
    shownAim_ = {aim, circleOnly};
    const double bs = blockSize();
    const double b = border();
    const double r = ball->GetRadius();
    // The ball travels along the aim, away from the pointer.
    const double dir = aim;
    const double ringRadius = 1.7 * r;
    const int length = pixelTrunc(8.0 * r * bs);
    const double cx = ball->GetX() * bs + b;
    const double cy = ball->GetY() * bs + b;
    // Anti-aliased strokes reach a little further than their ends.
    const int spill = look() == Look::Modern ? 4 : 1;
    PixelRect erase{pixelTrunc(cx - length - spill + 0.5), pixelTrunc(cy - length - spill + 0.5),
                    pixelTrunc(cx + length + spill + 0.5), pixelTrunc(cy + length + spill + 0.5)};
    copyBackground(erase.left, erase.top, erase.right, erase.bottom);
    {
        QPainter painter(&frameImage());
        if (look() == Look::Modern) {
            drawModernAim(painter, QPointF(cx, cy), aim, circleOnly);
        } else {
            const QColor colour = fromRgbValue(currentStyle().colour);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colour, 2));
            const int left = pixelTrunc(cx - bs * ringRadius + 0.5);
            const int top = pixelTrunc(cy - bs * ringRadius + 0.5);
            const int right = pixelTrunc(cx + bs * ringRadius + 0.5);
            const int bottom = pixelTrunc(cy + bs * ringRadius + 0.5);
            if (turnPlayableHere_) {
                painter.drawEllipse(QRect(left, top, right - left, bottom - top));
            }
            if (!circleOnly) {
                painter.setPen(QPen(colour, 1));
                const QPoint start(pixelTrunc(cx + bs * ringRadius * std::cos(dir) + 0.5),
                                   pixelTrunc(cy + bs * ringRadius * std::sin(dir) + 0.5));
                for (int k = -1; k <= 1; ++k) {
                    const double f = k == 0 ? 1.0 : 0.5;
                    const double angle = dir + k * kPi / 8;
                    painter.drawLine(start,
                                     QPoint(pixelTrunc(cx + length * f * std::cos(angle) + 0.5),
                                            pixelTrunc(cy + length * f * std::sin(angle) + 0.5)));
                }
            }
        }
    }
    drawCurrentBall();
    const PixelRect ballArea = ballRect();
    erase = {std::min(erase.left, ballArea.left), std::min(erase.top, ballArea.top),
             std::max(erase.right, ballArea.right), std::max(erase.bottom, ballArea.bottom)};
    invalidateBitmapRect(erase.left, erase.top, erase.right, erase.bottom);
    setBallRect(erase);
}

void GameView::drawModernAim(QPainter& painter, QPointF centre, double aim, bool circleOnly) {
    const double bs = blockSize();
    const double r = currentBall()->GetRadius() * bs;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    // The turn ring: the ball's colour on a dark halo, so it shows on every material. Only
    // where a click putts: a ring round another computer's or the computer's ball would invite
    // a click that does nothing.
    const QColor colour = fromRgbValue(currentStyle().colour);
    if (turnPlayableHere_) {
        painter.setPen(QPen(QColor(0, 0, 0, 90), 4.0));
        painter.drawEllipse(centre, 1.7 * r, 1.7 * r);
        painter.setPen(QPen(colour.lighter(115), 2.0));
        painter.drawEllipse(centre, 1.7 * r, 1.7 * r);
    }
    if (circleOnly) {
        return;
    }
    // Dots from the ring outwards, fading with distance, and an arrowhead where they end.
    const QPointF d(std::cos(aim), std::sin(aim));
    const double start = 2.2 * r;
    const double end = 7.4 * r;
    const double step = std::max(5.0, 0.9 * r);
    painter.setPen(Qt::NoPen);
    for (double t = start; t < end - step; t += step) {
        const double fade = 1.0 - 0.6 * (t - start) / (end - start);
        const QPointF p = centre + d * t;
        painter.setBrush(QColor(0, 0, 0, static_cast<int>(110 * fade)));
        painter.drawEllipse(p + QPointF(0.6, 0.8), 0.24 * r + 1, 0.24 * r + 1);
        painter.setBrush(QColor(255, 255, 255, static_cast<int>(235 * fade)));
        painter.drawEllipse(p, 0.24 * r + 0.6, 0.24 * r + 0.6);
    }
    const QPointF tip = centre + d * end;
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - d * (1.3 * r) + n * (0.9 * r));
    head.lineTo(tip - d * (0.9 * r));
    head.lineTo(tip - d * (1.3 * r) - n * (0.9 * r));
    head.closeSubpath();
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1.5));
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawPath(head);
}

void GameView::forceChanged(double force, bool shown) {
    shownForce_ = force;
    if (shown) {
        meterShown_ = true;
        update(QRect(0, frameTop(), frameLeft(), height() - frameTop()));
    } else if (meterShown_) {
        meterShown_ = false;
        paintMargins();
    }
}

void GameView::paintEvent(QPaintEvent* event) {
    if (startScreen_->isVisibleTo(this)) {
        // The start screen covers the whole view.
        return;
    }
    PlayfieldWnd::paintEvent(event);
    QPainter painter(this);
    // A ghost resting where the player's ball lies (at the start, say) would only veil it.
    const Ball* ball = currentBall();
    const QPointF ghost = ghost_->where();
    if (ball == nullptr || ghost_->rolling() ||
        std::hypot(ghost.x() - ball->GetX(), ghost.y() - ball->GetY()) > 0.5) {
        ghost_->paint(painter);
    }
    if (meterShown_ && currentBall() != nullptr) {
        paintForceMeter(painter);
    }
}

void GameView::paintForceMeter(QPainter& painter) {
    // A tall bar beside the playfield, filled from the bottom along a green-yellow-red ramp.
    // It shakes more the harder the player pushes, as the aim does.
    const double share = std::clamp(shownForce_ / forcemeter::MaxForce, 0.0, 1.0);
    const double shake = share * share * 3.0 * std::sin(shownForce_ * 91.0);
    const double y0 = frameTop() + border();
    const double y1 = y0 + blockSize() * level().height();
    const double x = frameLeft() - (kMeterStrip + kMeterWidth) / 2.0 + shake;
    const QRectF track(x, y0, kMeterWidth, y1 - y0);
    drawForceMeterBar(painter, track, share);
}

}  // namespace trundlex
