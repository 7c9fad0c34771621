// The ball's worker meeting the GUI thread: the blocking notification path of the playfield,
// the owner adapter and the sound adapter. These tests also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <future>
#include <thread>

#include "ball/Ball.h"
#include "platform/QtBallOwner.h"
#include "platform/QtSoundPlayer.h"
#include "render/BallRenderer.h"
#include "render/PlayfieldWnd.h"
#include "support/AsciiLevel.h"
#include "support/BlockedThread.h"

namespace trundlex {
namespace {

using namespace std::chrono_literals;

class StopCounting : public PlayfieldWnd {
public:
    int stops = 0;

protected:
    void onBallStopped(bool) override { ++stops; }
};

TEST(PlayfieldRoll, BallRollsThroughTheBlockingPathAndRestsDrawn) {
    StopCounting wnd;
    wnd.resize(520, 420);
    wnd.level() =
        testing::asciiLevel({"..........", "..........", "....##....", "..........", ".........."});
    wnd.ownBall().SetLevel(wnd.level());
    wnd.setBall(&wnd.ownBall(), BallStyle{0x00E6E6E6, Ball::PatternCount, false});
    wnd.ownBall().SetX(1.0);
    wnd.ownBall().SetY(1.0);
    wnd.setSpeedLock(true, Fastest);
    wnd.show();
    wnd.refresh(true);

    wnd.putt(0.4, 7.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wnd.stops == 1; }, 20000));
    const Ball& ball = wnd.ownBall();
    EXPECT_FALSE(ball.IsRunning());
    EXPECT_GT(ball.GetX(), 2.0) << "it rolled";
    // The frame shows the ball where it rests (that nothing is left where it was is the
    // playfield's own test).
    const int cx = static_cast<int>(ball.GetX() * wnd.blockSize() + wnd.border());
    const int cy = static_cast<int>(ball.GetY() * wnd.blockSize() + wnd.border());
    EXPECT_EQ(wnd.frame().pixel(cx, cy), fromRgbValue(wnd.currentStyle().colour).rgb());
}

TEST(PlayfieldRoll, ClosingTheWindowWhileTheBallRollsDoesNotHang) {
    for (SpeedMode mode : {Normal, Fastest, Pause}) {
        auto wnd = std::make_unique<PlayfieldWnd>();
        wnd->resize(300, 300);
        wnd->show();
        wnd->refresh(true);
        wnd->setSpeedLock(true, mode);
        wnd->putt(0.2, 30.0);
        QApplication::processEvents();
        const auto closing = std::chrono::steady_clock::now();
        wnd.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - closing, 5s) << "mode " << mode;
    }
}

TEST(PlayfieldRoll, StopKeepsTheGuiTurningUntilTheWorkerHasSeenIt) {
    StopCounting wnd;
    wnd.resize(300, 300);
    wnd.show();
    wnd.refresh(true);
    wnd.setSpeedLock(true, Pause);
    wnd.putt(0.0, 5.0);
    wnd.stopBall();
    EXPECT_FALSE(wnd.ownBall().IsRunning());
    QApplication::processEvents();
    EXPECT_EQ(wnd.stops, 0) << "a stopped ball reports nothing, not even from the queue";
}

TEST(QtBallOwner, HandlerRunsOnTheGuiThreadWhileTheWorkerWaits) {
    QObject context;
    std::atomic<bool> handledOnGuiThread{false};
    QtBallOwner owner(&context, [&](std::int32_t, BallNotification) {
        handledOnGuiThread = QThread::currentThread() == context.thread();
    });
    std::atomic<bool> handledBeforeReturn{false};
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        owner.onBallNotification(0, BallMoved);
        handledBeforeReturn = handledOnGuiThread.load();
        returned = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return returned.load(); }));
    worker.join();
    EXPECT_TRUE(handledBeforeReturn) << "the worker waited for the handler on the GUI thread";
}

TEST(QtBallOwner, ReleaseFreesAWaitingWorker) {
    QObject context;
    std::atomic<int> calls{0};
    QtBallOwner owner(&context, [&](std::int32_t, BallNotification) { ++calls; });
    std::atomic<bool> returned{false};
    std::promise<pid_t> workerId;
    std::thread worker([&] {
        workerId.set_value(::gettid());
        owner.onBallNotification(0, BallStopped);
        returned = true;
    });
    // The GUI thread never turns: only release() can let the worker go.
    ASSERT_TRUE(testing::waitUntilBlocked(workerId.get_future().get()));
    EXPECT_FALSE(returned.load());
    owner.release();
    worker.join();
    QApplication::processEvents();
    EXPECT_EQ(calls.load(), 0) << "a released owner runs no handler";
}

TEST(QtSoundPlayer, RequestsFromAWorkerArePlayedOnTheGuiThread) {
    QTemporaryDir dir;
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playedCount() == 1; }));
    EXPECT_EQ(beeps.load(), 1) << "a missing file beeps";
    EXPECT_TRUE(beepOnGui);
}

}  // namespace
}  // namespace trundlex
