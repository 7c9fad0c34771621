// The putt on the worker thread. These tests also run under ThreadSanitizer.
#include <atomic>
#include <cstring>
#include <memory>

#include "BallFixture.h"

namespace trundlex::testing {
namespace {

using namespace std::chrono_literals;

const std::vector<std::string_view> kCourse = {
    "############", "#..........#", "#..ss..#...#", "#..ss..#.~.#",
    "#>>>>..#...#", "#......i.o.#", "#..^^..iii.#", "############",
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(BallTest, ThreadedAndSynchronousPuttsAgreeBitForBit) {
    loadLevel(kCourse);
    struct Shot {
        double x, y, speed, heading;
    };
    const Shot shots[] = {
        {2.5, 1.5, 9.0, 0.7}, {3.0, 5.5, 12.0, -0.2}, {9.5, 1.5, 4.0, 1.9}, {5.5, 6.5, 20.0, 2.5}};
    for (const Shot& shot : shots) {
        OwnedBall threaded(level, shot.x, shot.y);
        threaded.ball.Putt(shot.speed, shot.heading, &threaded.owner, Fastest);
        ASSERT_TRUE(threaded.owner.waitForEnds(1));

        OwnedBall now(level, shot.x, shot.y);
        ASSERT_TRUE(now.ball.PuttNow(shot.speed, shot.heading, &now.owner, Fastest));

        const auto a = threaded.owner.samples();
        const auto b = now.owner.samples();
        ASSERT_FALSE(b.empty());
        EXPECT_EQ(a.back().subSteps, b.back().subSteps);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].code, b[i].code);
            EXPECT_TRUE(sameBits(a[i].x, b[i].x) && sameBits(a[i].y, b[i].y)) << "tick " << i;
        }
    }
}

TEST_F(BallTest, PauseKeepsReportingAndStopEndsSilently) {
    loadLevel(kCourse, 2.5, 1.5);
    ball.Putt(5.0, 0.0, &owner, Pause);
    ASSERT_TRUE(ball.IsRunning());
    EXPECT_TRUE(owner.waitForSamples(3)) << "a paused ball keeps reporting";
    EXPECT_EQ(ball.GetX(), 2.5) << "a paused ball does not move";

    // Stop returns once the worker has seen it: from then on the owner hears nothing.
    ball.Stop();
    EXPECT_FALSE(ball.IsRunning());
    EXPECT_EQ(owner.count(BallStopped) + owner.count(BallInCup), 0);
}

TEST_F(BallTest, UiThreadMayReadPositionWhileTheBallRolls) {
    loadLevel(kCourse, 2.5, 1.5);
    // Paused first, so the reads surely overlap a running worker, then let it roll: the
    // speed change reaches the rolling ball, or it would never end.
    ball.Putt(15.0, 0.4, &owner, Pause);
    double sum = 0.0;
    for (int i = 0; ball.IsRunning(); ++i) {
        sum += ball.GetX() + ball.GetY() + ball.GetRadius();
        if (i == 1000) {
            ball.SetSpeedMode(Fastest);
        }
    }
    ASSERT_TRUE(owner.waitForEnds(1));
    EXPECT_GT(sum, 0.0);
    EXPECT_TRUE(level.containsPoint(ball.GetX(), ball.GetY()));
}

TEST_F(BallTest, PuttIgnoredWhileRolling) {
    loadLevel(kCourse, 2.5, 1.5);
    ball.Putt(5.0, 0.0, &owner, Pause);
    ball.Putt(9.0, 1.0, &owner, Fastest);
    EXPECT_FALSE(ball.PuttNow(9.0, 1.0, &owner, Fastest));
    EXPECT_EQ(ball.GetSpeedMode(), Pause) << "the second putt changed nothing";
    ball.Stop();
}

TEST_F(BallTest, NewPuttFromTheLastNotificationRollsOn) {
    // The owner starts the next putt while the worker still waits in its stop notification.
    loadLevel(kCourse, 2.5, 1.5);
    std::atomic<int> stops{0};
    owner.setHook([&](BallNotification code) {
        if (code == BallStopped && stops.fetch_add(1) == 0) {
            ball.Putt(2.0, 1.5707963267948966, &owner, Fastest);
        }
    });
    ball.Putt(2.0, 0.0, &owner, Fastest);
    ASSERT_TRUE(owner.waitForEnds(2));
    EXPECT_EQ(stops.load(), 2);
}

TEST(BallLife, DestroyingARollingBallWaitsForItsWorker) {
    // A ball must never be freed while its worker still runs over it.
    const Level level = asciiLevel(kCourse);
    for (SpeedMode mode : {Pause, Normal, Fastest}) {
        RecordingOwner owner(nullptr);
        std::atomic<bool> gone{false};
        std::atomic<bool> heardAfterwards{false};
        owner.setHook([&](BallNotification) { heardAfterwards = heardAfterwards || gone; });
        auto ball = std::make_unique<Ball>();
        ball->SetLevel(level);
        ball->SetX(2.5);
        ball->SetY(1.5);
        ball->Putt(30.0, 0.3, &owner, mode);
        ASSERT_TRUE(owner.waitForSamples(1)) << "the worker is rolling, mode " << mode;
        ball.reset();
        gone = true;
        EXPECT_FALSE(heardAfterwards) << "mode " << mode;
    }
}

TEST(BallLife, StopRunsTheMessagePumpWhileWaiting) {
    // The owner hands notifications to a "UI" loop and waits, as a window would; Stop on
    // that loop's thread must keep the loop turning or the worker could never finish.
    const Level level = asciiLevel(kCourse);
    Ball ball;
    ball.SetLevel(level);

    struct Mailbox : BallOwner {
        std::mutex m;
        std::condition_variable cv;
        bool pending = false;
        bool handled = false;
        int delivered = 0;
        void onBallNotification(std::int32_t, BallNotification) override {
            std::unique_lock lock(m);
            pending = true;
            handled = false;
            cv.notify_all();
            cv.wait(lock, [&] { return handled; });
        }
        // One step of the "UI" loop.
        bool pumpOnce() {
            std::unique_lock lock(m);
            cv.wait_for(lock, 1ms, [&] { return pending; });
            if (pending) {
                pending = false;
                handled = true;
                ++delivered;
                cv.notify_all();
            }
            return true;
        }
    } mailbox;

    int pumped = 0;
    ball.SetMessagePump([&] {
        ++pumped;
        return mailbox.pumpOnce();
    });
    ball.Putt(5.0, 0.0, &mailbox, Half);
    for (int i = 0; i < 5; ++i) {
        mailbox.pumpOnce();
    }
    ball.Stop();
    EXPECT_FALSE(ball.IsRunning());
    EXPECT_GT(pumped, 0);
    EXPECT_GT(mailbox.delivered, 0);
}

}  // namespace
}  // namespace trundlex::testing
