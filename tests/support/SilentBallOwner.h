#pragma once

#include "ball/Ball.h"

namespace trundlex::testing {

// An owner for putts whose notifications do not matter to the test.
class SilentBallOwner : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification) override {}
};

}  // namespace trundlex::testing
