#include <gtest/gtest.h>

#include "model/TestRound.h"

namespace trundlex {
namespace {

TEST(TestRound, EveryPuttCountsAndItsEndIsTheBallsOwn) {
    TestRound round;
    round.start();
    EXPECT_EQ(round.strokes(), 0);
    EXPECT_EQ(round.outcome(), TestOutcome::None);

    const std::pair<BallLoss, TestOutcome> ends[] = {
        {BallLoss::Water, TestOutcome::Water},
        {BallLoss::OutOfBounds, TestOutcome::OutOfBounds},
        {BallLoss::None, TestOutcome::Resting}};
    int strokes = 0;
    for (const auto& [loss, outcome] : ends) {
        round.putted();
        EXPECT_TRUE(round.rolling());
        EXPECT_EQ(round.outcome(), TestOutcome::None) << "the last end no longer holds";
        round.ended(false, loss);
        EXPECT_EQ(round.outcome(), outcome);
        EXPECT_EQ(round.strokes(), ++strokes) << "a lost ball counts its stroke";
    }
    round.putted();
    round.ended(true, BallLoss::None);
    EXPECT_EQ(round.outcome(), TestOutcome::InCup);
    EXPECT_EQ(round.strokes(), 4);

    round.start();
    EXPECT_EQ(round.strokes(), 0);
    EXPECT_EQ(round.outcome(), TestOutcome::None);
}

// Guards against a stop reported twice (the user's stop and the ball's own) turning a ball
// that sank into one that rests.
TEST(TestRound, AnEndWithoutARollingPuttChangesNothing) {
    TestRound round;
    round.putted();
    round.ended(true, BallLoss::None);
    round.ended(false, BallLoss::None);
    EXPECT_EQ(round.outcome(), TestOutcome::InCup);
    EXPECT_EQ(round.strokes(), 1);
}

}  // namespace
}  // namespace trundlex
