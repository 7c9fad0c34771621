#pragma once

#include <QWidget>

#include "ball/Ball.h"
#include "level/Level.h"
#include "render/BallLook.h"
#include "render/BlockRenderer.h"
#include "render/Look.h"
#include "render/ModernRenderer.h"
#include "platform/QtBallOwner.h"

namespace trundlex {

class RandomSource;

// A small patch of grass on which a ball in the chosen colours rolls about, so players see
// their ball before the game. The ball rolls as long as the widget is shown.
class BallPreview : public QWidget {
    Q_OBJECT

public:
    explicit BallPreview(RandomSource& random, QWidget* parent = nullptr);
    ~BallPreview() override;

    void setBallLook(std::uint32_t colour, int pattern, bool transparent);
    // The grass and the ball drawn as on the playfield (classic until set).
    void setLook(Look look);
    Ball& ball() { return ball_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void onBallNotification(BallNotification code);

    static constexpr int kBlockSize = 34;
    RandomSource& random_;
    Level level_{3, 2};
    BlockRenderer renderer_;
    ModernRenderer modern_;
    Look look_ = Look::Classic;
    QtBallOwner owner_;
    Ball ball_;
    BallLook ballLook_;
    bool rolling_ = false;
};

}  // namespace trundlex
