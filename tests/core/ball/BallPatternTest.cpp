#include <gtest/gtest.h>

#include <cmath>

#include "ball/Ball.h"
#include "ball/BallPattern.h"
#include "level/Level.h"
#include "support/SilentBallOwner.h"

namespace trundlex {
namespace {

double length(const SurfacePoint& p) {
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}

TEST(BallPattern, EveryPatternLiesOnTheSphere) {
    for (int pattern = 0; pattern <= Ball::PatternCount; ++pattern) {
        BallPattern points;
        points.build(pattern, 0.35);
        for (const SurfacePoint& p : points.points()) {
            ASSERT_NEAR(length(p), 0.35, 1e-12) << "pattern " << pattern;
        }
        points.rotate(0.7, -2.1);
        for (const SurfacePoint& p : points.points()) {
            ASSERT_NEAR(length(p), 0.35, 1e-12) << "rotation keeps the sphere";
        }
    }
}

TEST(BallPattern, SpiralsDifferFromEachOther) {
    BallPattern a;
    BallPattern b;
    for (int pattern = 0; pattern < 5; ++pattern) {
        a.build(pattern, 1.0);
        b.build(pattern + 1, 1.0);
        double difference = 0.0;
        for (std::size_t i = 0; i < BallPattern::PointCount; ++i) {
            difference += std::abs(a.points()[i].x - b.points()[i].x) +
                          std::abs(a.points()[i].z - b.points()[i].z);
        }
        EXPECT_GT(difference, 1.0) << pattern;
    }
}

TEST(BallPattern, RotationMatrixTurnsAxesAsExpected) {
    // R(a, 0, 0) turns x towards z; R(0, 0, c) turns x towards y.
    const SurfacePoint x{1.0, 0.0, 0.0};
    const SurfacePoint up = rotated(x, std::acos(-1.0) / 2, 0.0, 0.0);
    EXPECT_NEAR(up.z, 1.0, 1e-12);
    EXPECT_NEAR(up.x, 0.0, 1e-12);
    const SurfacePoint side = rotated(x, 0.0, 0.0, std::acos(-1.0) / 2);
    EXPECT_NEAR(side.y, 1.0, 1e-12);
}

TEST(BallPattern, ARollIsKeptUntilTakenForDrawing) {
    const Level level;
    Ball ball;
    ball.SetLevel(level);
    testing::SilentBallOwner owner;
    ASSERT_TRUE(ball.PuttNow(2.0, 0.5, &owner, Fastest));
    double a = 0.0;
    double b = 0.0;
    ball.TakeRoll(a, b);
    EXPECT_NE(a, 0.0) << "the putt rolled the ball";
    ball.TakeRoll(a, b);
    EXPECT_EQ(a, 0.0) << "taking the roll clears it";
}

}  // namespace
}  // namespace trundlex
