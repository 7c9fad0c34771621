// The ball's worker meeting the GUI thread: the blocking notification path of the playfield,
// the owner adapter and the sound adapter. These tests also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <thread>

#include "ball/Ball.h"
#include "platform/QtBallOwner.h"
#include "platform/QtSoundPlayer.h"
#include "render/BallRenderer.h"
#include "render/PlayfieldWnd.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

using namespace std::chrono_literals;

// Runs the event loop until `done` holds or the time is up.
bool spinUntil(const std::function<bool()>& done, int milliseconds = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

class StopCounting : public PlayfieldWnd {
public:
    int stops = 0;
    int moves = 0;

protected:
    void onBallStopped(bool) override { ++stops; }
};

TEST(PlayfieldRoll, BallRollsThroughTheBlockingPathAndRestsDrawn) {
    StopCounting wnd;
    wnd.resize(520, 420);
    wnd.level() = testing::asciiLevel({
        "..........",
        "..........",
        "....##....",
        "..........",
        "..........",
    });
    wnd.ownBall().SetLevel(wnd.level());
    wnd.ownBall().SetPattern(Ball::PatternCount);
    wnd.ownBall().SetX(1.0);
    wnd.ownBall().SetY(1.0);
    wnd.setSpeedLock(true, Fastest);
    wnd.show();
    wnd.refresh(true);

    wnd.putt(0.4, 7.0);
    ASSERT_TRUE(spinUntil([&] { return wnd.stops == 1; }));
    EXPECT_FALSE(wnd.ownBall().IsRunning());
    EXPECT_GT(wnd.ownBall().GetX(), 2.0) << "it rolled";

    // The frame shows the ball where it rests, and nothing of where it was.
    const Ball& ball = wnd.ownBall();
    const int cx = static_cast<int>(ball.GetX() * wnd.blockSize() + wnd.border());
    const int cy = static_cast<int>(ball.GetY() * wnd.blockSize() + wnd.border());
    EXPECT_EQ(wnd.frame().pixel(cx, cy), fromRgbValue(ball.GetColour()).rgb());
    const PixelRect r = wnd.ballRect();
    const QRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    for (int y = 0; y < wnd.frame().height(); ++y) {
        for (int x = 0; x < wnd.frame().width(); ++x) {
            if (!rect.contains(x, y)) {
                ASSERT_EQ(wnd.frame().pixel(x, y), wnd.background().pixel(x, y));
            }
        }
    }
}

TEST(PlayfieldRoll, ClosingTheWindowWhileTheBallRollsDoesNotHang) {
    for (int mode : {Normal, Fastest, Pause}) {
        auto wnd = std::make_unique<PlayfieldWnd>();
        wnd->resize(300, 300);
        wnd->show();
        wnd->refresh(true);
        wnd->setSpeedLock(true, mode);
        wnd->putt(0.2, 30.0);
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            std::this_thread::sleep_for(2ms);
        }
        wnd.reset();
        QApplication::processEvents();
    }
    SUCCEED() << "reaching this line is the test: nothing hung";
}

TEST(PlayfieldRoll, StopKeepsTheGuiTurningUntilTheWorkerHasSeenIt) {
    StopCounting wnd;
    wnd.resize(300, 300);
    wnd.show();
    wnd.refresh(true);
    wnd.setSpeedLock(true, Pause);
    wnd.putt(0.0, 5.0);
    spinUntil([] { return false; }, 30);
    wnd.stopBall();
    EXPECT_FALSE(wnd.ownBall().IsRunning());
    spinUntil([] { return false; }, 30);
    EXPECT_EQ(wnd.stops, 0) << "a stopped ball reports nothing";
}

TEST(QtBallOwner, HandlerRunsOnTheGuiThreadWhileTheWorkerWaits) {
    QObject context;
    std::atomic<bool> handled{false};
    std::atomic<bool> onGuiThread{false};
    QtBallOwner owner(&context, [&](std::int32_t, BallNotification) {
        onGuiThread = QThread::currentThread() == context.thread();
        handled = true;
    });
    std::atomic<bool> returned{false};
    std::atomic<bool> handledBeforeReturn{false};
    std::thread worker([&] {
        owner.onBallNotification(0, BallMoved);
        handledBeforeReturn = handled.load();
        returned = true;
    });
    ASSERT_TRUE(spinUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_TRUE(onGuiThread);
    EXPECT_TRUE(handledBeforeReturn) << "the worker waited for the handler";
}

TEST(QtBallOwner, ReleaseFreesAWaitingWorker) {
    QObject context;
    std::atomic<int> calls{0};
    QtBallOwner owner(&context, [&](std::int32_t, BallNotification) { ++calls; });
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        owner.onBallNotification(0, BallStopped);
        returned = true;
    });
    // The GUI thread never turns: only release() can let the worker go.
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(returned.load());
    owner.release();
    worker.join();
    EXPECT_TRUE(returned.load());
    QApplication::processEvents();
    EXPECT_EQ(calls.load(), 0) << "a released owner runs no handler";
}

TEST(QtSoundPlayer, RequestsFromAWorkerArePlayedOnTheGuiThread) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtSoundPlayer player(dir.path());
    std::atomic<int> beeps{0};
    std::atomic<bool> beepOnGui{true};
    player.setBeep([&] {
        beepOnGui = beepOnGui && QThread::currentThread() == player.thread();
        ++beeps;
    });
    std::thread worker([&] { player.play(SoundWater); });
    worker.join();
    EXPECT_EQ(beeps.load(), 0) << "nothing plays before the GUI thread turns";
    ASSERT_TRUE(spinUntil([&] { return player.playedCount() == 1; }));
    EXPECT_EQ(beeps.load(), 1) << "a missing file beeps";
    EXPECT_TRUE(beepOnGui);
}

}  // namespace
}  // namespace trundlex
