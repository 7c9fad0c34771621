#pragma once

#include <QObject>
#include <deque>
#include <functional>

#include "ball/Ball.h"
#include "model/EditorLayout.h"
#include "platform/QtBallOwner.h"
#include "render/BallLook.h"

namespace trundlex {

class Level;

// The ball of the editor's test mode: putted on the level being edited with the game's own
// simulation, speeds and sounds, its notifications handled on the window's thread.
//
// While the ball rolls its worker thread reads the level, so the level may not change under
// it: edit() holds a change back until the worker waits in its next notification (or the roll
// has ended) and runs it then, in the order the changes were asked for. To the user the level
// still changes under the rolling ball.
class TestBall {
public:
    // What the view does for the ball, on its own thread.
    struct Hooks {
        // The ball moved or stopped: repaint these pixels.
        std::function<void(const PixelRect&)> repaint;
        // The ball dropped into the cup while test mode was on.
        std::function<void()> inCup;
        // The ball started or stopped rolling.
        std::function<void(bool running)> runningChanged;
        // A putt began.
        std::function<void()> putted;
        // The roll ended outside the cup: at rest, stopped by the user (loss None), or lost
        // to water or the level's edge and put back where the putt began.
        std::function<void(BallLoss loss)> stopped;
    };

    // `context` is the window whose thread handles the ball; it must outlive the test ball.
    TestBall(QObject* context, Hooks hooks);
    // Lets a waiting worker go on without the window and waits until it has ended.
    ~TestBall();
    TestBall(const TestBall&) = delete;
    TestBall& operator=(const TestBall&) = delete;

    Ball& ball() { return ball_; }
    const Ball& ball() const { return ball_; }
    // How the ball is drawn: the plain default ball, placed as the view's layout says.
    BallLook& look() { return look_; }
    bool isOn() const { return on_; }
    bool isRunning() const { return ball_.IsRunning(); }

    // Test mode on: the ball lies at the level's start, drawn in the given geometry.
    void switchOn(const Level& level, int scale, int originX, int originY);
    // Test mode off: the ball is stopped, changes held back are made, and a ball that sank
    // comes back whole, since it also marks the start.
    void switchOff();
    // Drawing geometry after the view's layout changed.
    void setGeometry(int scale, int originX, int originY);

    // A putt toward the pixel (see testPuttFor), in the current speed mode. Ignored while
    // test mode is off or the ball still rolls.
    void puttToward(PixelPoint p, const EditorLayout& layout);
    // Stops a rolling ball where it is, then makes the changes held back.
    void stop();

    // Speed mode for this and every later putt, -2 ... 5; other values are ignored.
    void setSpeedMode(SpeedMode mode);
    SpeedMode speedMode() const { return speedMode_; }

    // Makes a change of the level now, or, while the ball rolls, as soon as its worker waits.
    void edit(std::function<void()> change);

private:
    void onNotification(BallNotification code);
    void runPendingEdits();

    Hooks hooks_;
    QtBallOwner owner_;
    Ball ball_;
    BallLook look_;
    const Level* level_ = nullptr;
    bool on_ = false;
    SpeedMode speedMode_ = Normal;
    PixelRect lastRect_;
    std::deque<std::function<void()>> pending_;
    bool runningEdits_ = false;
};

}  // namespace trundlex
