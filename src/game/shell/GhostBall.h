#pragma once

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <functional>
#include <optional>

#include "ball/BallTypes.h"
#include "play/GhostRound.h"

class QPainter;

namespace trundlex {

class PlayfieldWnd;

// The faint ball of the best round on a course, drawn over the playfield: it lies where the
// best round's ball lay at the stroke being played and, when the player putts, rolls that
// round's putt tick for tick beside the player's ball, at the speed the player's ball rolls.
class GhostBall : public QObject {
    Q_OBJECT

public:
    // `speed` tells the speed mode the player's ball rolls in now.
    GhostBall(PlayfieldWnd& field, std::function<SpeedMode()> speed);

    // Lies at `shot`'s start, not rolling; null hides it.
    void show(const GhostShot* shot);
    // Rolls the shot shown.
    void putt();
    bool shown() const { return shot_.has_value() && !gone_; }
    bool rolling() const { return timer_.isActive(); }
    // Where it is drawn, in level units; only while shown.
    QPointF where() const;
    // Draws it (antialiased, half transparent) where it is.
    void paint(QPainter& painter) const;

signals:
    // The window pixels to paint again (where it was, where it is).
    void moved(const QRect& area);

private:
    void tick();
    GhostFrame frame() const;
    // The window pixels the ghost covers now; empty when hidden.
    QRect area() const;

    PlayfieldWnd& field_;
    std::function<SpeedMode()> speed_;
    std::optional<GhostShot> shot_;
    // How far along the frames, in normal-speed ticks; -1: at the start.
    double at_ = -1.0;
    // Holed and past its last frame: not drawn.
    bool gone_ = false;
    QTimer timer_;
};

}  // namespace trundlex
