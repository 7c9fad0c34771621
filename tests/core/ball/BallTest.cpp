#include <cmath>
#include <cstring>
#include <numbers>

#include "BallFixture.h"

namespace trundlex::testing {
namespace {

constexpr double kPi = std::numbers::pi;
// What rolling on grass leaves of the speed after one sub-step.
constexpr double kFriction = 1 - 0.602 / 200;

// Heading folded into (-pi, pi].
double normalized(double heading) {
    return std::remainder(heading, 2 * kPi);
}

// A corridor with a wall block at column 8.
const std::vector<std::string_view> kWallCorridor = {
    "..........",
    "........#.",
    "..........",
};

TEST_F(BallTest, HeadOnWallHitReversesAndLosesAtMostNineteenPercent) {
    loadLevel(kWallCorridor, 5.0, 1.5);
    putt(3.0, 0.0);

    const auto samples = owner.samples();
    std::size_t hit = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (std::abs(normalized(samples[i].heading)) > kPi / 2) {
            hit = i;
            break;
        }
    }
    ASSERT_GT(hit, 0u) << "the ball never turned";
    EXPECT_NEAR(std::abs(normalized(samples[hit].heading)), kPi, 0.05);
    const double ratio = samples[hit].speed / samples[hit - 1].speed;
    EXPECT_GE(ratio, (1 - 0.19) * kFriction * (1 - 1e-12)) << "never more than 19 %";
    EXPECT_LT(ratio, (1 - 0.18) * kFriction) << "close to 19 % for a head-on hit";
    EXPECT_EQ(sound.count(SoundHitWall), 1);
    EXPECT_EQ(owner.count(BallStopped), 1);
    EXPECT_LT(ball.GetX(), 7.65) << "came back from the wall";
}

TEST_F(BallTest, SpeedLossAndSoundOnlyWhenAContactBegins) {
    // Pressed into the wall slowly: the heading is mirrored at every sub-step of the contact,
    // but only the first sub-step of each contact costs speed and makes a sound.
    loadLevel(kWallCorridor, 7.66, 1.5);
    putt(0.9, 0.0);

    auto samples = owner.samples();
    samples.insert(samples.begin(), Sample{BallMoved, 7.66, 1.5, 0.35, 0.9, 0.0, 0});
    int contactStarts = 0;
    bool inContact = false;
    for (std::size_t i = 1; i < samples.size() && samples[i].code == BallMoved; ++i) {
        const double turn = std::abs(normalized(samples[i].heading - samples[i - 1].heading));
        const bool contact = turn > 1.0;
        const double ratio = samples[i].speed / samples[i - 1].speed;
        if (contact && !inContact) {
            ++contactStarts;
            EXPECT_LT(ratio, 0.9) << "sub-step " << i << ": a new contact loses speed";
        } else {
            EXPECT_NEAR(ratio, kFriction, 1e-9) << "sub-step " << i << ": only friction";
        }
        inContact = contact;
    }
    EXPECT_GE(contactStarts, 1);
    EXPECT_EQ(sound.count(SoundHitWall), contactStarts);
}

TEST_F(BallTest, GrazingTheRimAtTheEdgeOfTheScanCostsNothing) {
    // Rolling along the top border with the rim just inside it: the only wall probes lie at
    // the side of the ball, where no bisection probe reaches the wall.
    loadLevel({"..........", "..........", ".........."}, 2.0, 0.3499999);
    putt(2.0, 0.0);
    const auto samples = owner.samples();
    ASSERT_GE(samples.size(), 2u);
    EXPECT_NEAR(samples[0].speed, 2.0 * kFriction, 1e-12);
    EXPECT_NEAR(std::abs(normalized(samples[0].heading)), 0.0, 1e-9) << "deflected along the wall";
    EXPECT_EQ(sound.count(SoundHitWall), 1);
}

TEST_F(BallTest, SlowBallIsDrawnIntoTheCupAndSinks) {
    loadLevel({".......", "...O...", "......."}, 2.3, 1.5);
    putt(1.0, 0.0);

    const auto samples = owner.samples();
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples.back().code, BallInCup);
    EXPECT_LT(samples.back().radius, 0.0);
    EXPECT_EQ(owner.count(BallInCup), 1);
    EXPECT_EQ(owner.count(BallStopped), 0);
    EXPECT_EQ(sound.count(SoundInCup), 1);
    EXPECT_EQ(sound.count(SoundCrowd), 0);
    EXPECT_TRUE(ball.IsSinking());

    // While sinking the ball keeps its place and shrinks by 0.01 a sub-step: 35 sub-steps.
    std::size_t firstShrink = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i].radius < samples[i - 1].radius) {
            firstShrink = i;
            break;
        }
    }
    ASSERT_GT(firstShrink, 0u);
    EXPECT_EQ(samples.size() - firstShrink, 35u);
    for (std::size_t i = firstShrink; i < samples.size(); ++i) {
        EXPECT_EQ(samples[i].x, samples[firstShrink - 1].x);
        EXPECT_NEAR(samples[i - 1].radius - samples[i].radius, 0.01, 1e-12);
    }
}

TEST_F(BallTest, FastBallLipsOutLosingWhatTheCupGave) {
    loadLevel({"...........", "...........", ".....o.....", "...........", "..........."});
    // Fast and off-centre: the cup bends the ball but cannot hold it.
    placeBall(1.0, 2.95);
    putt(12.0, 0.0);

    EXPECT_EQ(owner.count(BallInCup), 0);
    const auto played = sound.played();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].first, SoundCrowd);
    // Samples are taken after each sub-step; the crowd plays in sub-step `step`.
    const auto samples = owner.samples();
    const auto step = static_cast<std::size_t>(played[0].second);
    ASSERT_GE(step, 2u);
    const double before = samples[step - 2].speed;
    const double after = samples[step - 1].speed;
    EXPECT_LT(after, before - 0.3) << "all the pull is lost at once when leaving the cup";
    EXPECT_GT(ball.GetX(), 6.0) << "crossed the cup";
}

TEST_F(BallTest, WaterPutsTheBallBackExactly) {
    loadLevel({"..........", ".....~~...", ".........."});
    const double startX = 1.123456789;
    const double startY = 1.5;
    placeBall(startX, startY);
    putt(3.0, 0.0, NextPosition);

    EXPECT_EQ(ball.GetX(), startX);
    EXPECT_EQ(ball.GetY(), startY);
    EXPECT_EQ(sound.count(SoundWater), 1) << "water sounds even in NextPosition";
    const auto samples = owner.samples();
    ASSERT_EQ(samples.size(), 1u) << "NextPosition sends only the end";
    EXPECT_EQ(samples[0].code, BallStopped);
}

TEST_F(BallTest, LeavingTheLevelCountsAsWater) {
    // Only a ball moving more than its radius in one sub-step can get past the border wall.
    loadLevel({"...", "...", "..."}, 2.5, 1.5);
    putt(200.0, 0.0);
    EXPECT_EQ(ball.GetX(), 2.5);
    EXPECT_EQ(sound.count(SoundWater), 1);
    EXPECT_EQ(owner.count(BallStopped), 1);
}

TEST_F(BallTest, RestsAfterMoreThanTwoHundredSlowSubSteps) {
    loadLevel({"..........", "..........", ".........."}, 2.0, 1.5);
    putt(0.4, 0.0, Fastest);
    EXPECT_EQ(ball.GetSubStepCount(), 202);
    EXPECT_EQ(owner.count(BallStopped), 1);

    // The slow count carries over: a slow putt right after stops at its first sub-step.
    putt(0.4, 0.0, Fastest);
    EXPECT_EQ(ball.GetSubStepCount(), 1);

    // A putt that is still fast after its first sub-step resets it.
    putt(0.6, 0.0, Fastest);
    EXPECT_GT(ball.GetSubStepCount(), 202);
}

TEST_F(BallTest, SlopesPushTheBallAndRestingBallsStay) {
    loadLevel({">>>>>>>>>>", ">>>>>>>>>>", ">>>>>>>>>>"}, 1.0, 1.5);
    putt(0.5, kPi / 2, Fastest);
    EXPECT_GT(ball.GetX(), 1.5) << "pushed downhill to the right";
    EXPECT_NEAR(ball.GetY(), 1.5, 1.2);
}

TEST_F(BallTest, EndlessRollIsCutAfterOneHundredTimeUnits) {
    // A loop of slopes inside a border: the ball circles far above the rest speed.
    loadLevel(
        {
            ">>>>>>>v",
            "^>>>>>vv",
            "^^....vv",
            "^^....vv",
            "^^....vv",
            "^^....vv",
            "^^<<<<<v",
            "^<<<<<<<",
        },
        4.0, 0.5);
    putt(4.0, 0.0, NextPosition);
    EXPECT_EQ(ball.GetSubStepCount(), 200 * Ball::MaxRollTimeUnits);
    EXPECT_EQ(owner.count(BallStopped), 1);
    EXPECT_GT(ball.GetSpeed(), 0.47) << "still rolling when cut";
}

TEST_F(BallTest, NotificationsPerSpeedMode) {
    loadLevel({"..........", "..........", ".........."}, 2.0, 1.5);
    putt(2.0, 0.0, Normal);
    const int steps = ball.GetSubStepCount();
    EXPECT_EQ(owner.count(BallMoved), (steps - 1) / 2) << "two sub-steps a tick";

    // Switching to NextPosition from a notification stops BallMoved at once.
    RecordingOwner switching(&ball);
    int moves = 0;
    switching.setHook([&](BallNotification code) {
        if (code == BallMoved && ++moves == 3) {
            ball.SetSpeedMode(NextPosition);
        }
    });
    placeBall(2.0, 1.5);
    ASSERT_TRUE(ball.PuttNow(2.0, 0.0, &switching, Normal));
    EXPECT_EQ(switching.count(BallMoved), 3);
    EXPECT_EQ(switching.count(BallStopped), 1);
}

TEST_F(BallTest, SoundOffSilencesEverythingAndNextPositionMutesWallAndCrowd) {
    loadLevel({"..........", "....#~~...", ".........."});
    ball.SetSoundOn(false);
    placeBall(1.0, 1.5);
    putt(6.0, 0.0, Fastest);
    placeBall(1.0, 1.2);
    putt(6.0, 0.0, Fastest);
    EXPECT_TRUE(sound.played().empty());

    loadLevel(kWallCorridor);
    ball.SetSoundOn(true);
    placeBall(5.0, 1.5);
    putt(3.0, 0.0, NextPosition);
    EXPECT_TRUE(sound.played().empty());
}

TEST_F(BallTest, RefusedPutts) {
    Ball noLevel;
    RecordingOwner other(&noLevel);
    EXPECT_FALSE(noLevel.PuttNow(1.0, 0.0, &other, Normal)) << "no level yet";
    loadLevel(kWallCorridor);
    EXPECT_FALSE(ball.PuttNow(1.0, 0.0, nullptr, Normal)) << "no owner";
    EXPECT_FALSE(ball.PuttNow(1.0, 0.0, &owner, Pause)) << "a paused synchronous putt never ends";
    EXPECT_TRUE(owner.samples().empty());
}

TEST_F(BallTest, StopFromANotificationEndsTheRollSilently) {
    loadLevel({"..........", "..........", ".........."}, 2.0, 1.5);
    owner.setHook([&](BallNotification code) {
        if (code == BallMoved) {
            ball.Stop();
        }
    });
    putt(3.0, 0.0, Normal);
    EXPECT_EQ(owner.count(BallMoved), 1);
    EXPECT_EQ(owner.count(BallStopped), 0);
    EXPECT_EQ(owner.count(BallInCup), 0);
}

TEST_F(BallTest, SunkBallEndsItsNextPuttSilently) {
    loadLevel({".......", "...O...", "......."}, 3.5, 1.5);
    putt(0.1, 0.0, Fastest);
    ASSERT_EQ(owner.count(BallInCup), 1);
    const auto seen = owner.samples().size();
    putt(1.0, 0.0, Fastest);
    EXPECT_EQ(owner.samples().size(), seen) << "no notification for the second putt";
    EXPECT_EQ(ball.GetSubStepCount(), 0);
    ball.SetLevel(level);
    EXPECT_FALSE(ball.IsSinking());
    EXPECT_EQ(ball.GetRadius(), Ball::DefaultRadius);
    EXPECT_EQ(ball.GetX(), level.startX());
}

}  // namespace
}  // namespace trundlex::testing
