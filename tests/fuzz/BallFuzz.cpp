// The ball simulation on a small fuzzed level with hostile putts: NaN, infinities, huge
// speeds. Every putt ends within the roll-time limit.
#include <cmath>

#include "FuzzSupport.h"
#include "ball/Ball.h"
#include "ball/BallPhysics.h"
#include "level/Level.h"

using namespace trundlex;

namespace {

class Owner : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification) override {}
};

constexpr std::int32_t kMaxSide = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::bytesOf(data, size);
    const auto speed = fuzz::take<double>(input);
    const auto heading = fuzz::take<double>(input);
    const auto startX = fuzz::take<double>(input);
    const auto startY = fuzz::take<double>(input);
    Level level;
    if (!level.fromText(input, kMaxSide)) {
        return 0;
    }
    Ball ball;
    ball.SetLevel(level);
    if (std::isfinite(startX) && std::isfinite(startY)) {
        ball.SetX(startX);
        ball.SetY(startY);
    }
    Owner owner;
    if (ball.PuttNow(speed, heading, &owner, Fastest)) {
        FUZZ_CHECK(ball.GetSubStepCount() <= Ball::MaxRollTimeUnits * SubStepsPerTimeUnit);
        FUZZ_CHECK(!ball.IsRunning());
    }
    return 0;
}
