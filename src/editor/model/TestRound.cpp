#include "model/TestRound.h"

namespace trundlex {

void TestRound::start() {
    strokes_ = 0;
    outcome_ = TestOutcome::None;
    rolling_ = false;
}

void TestRound::putted() {
    ++strokes_;
    outcome_ = TestOutcome::None;
    rolling_ = true;
}

void TestRound::ended(bool inCup, BallLoss loss) {
    if (!rolling_) {
        return;
    }
    rolling_ = false;
    if (inCup) {
        outcome_ = TestOutcome::InCup;
    } else if (loss == BallLoss::Water) {
        outcome_ = TestOutcome::Water;
    } else if (loss == BallLoss::OutOfBounds) {
        outcome_ = TestOutcome::OutOfBounds;
    } else {
        outcome_ = TestOutcome::Resting;
    }
}

}  // namespace trundlex
