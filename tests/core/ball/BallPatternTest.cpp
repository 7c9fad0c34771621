#include <gtest/gtest.h>

#include <cmath>

#include "ball/Ball.h"
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

TEST(BallPattern, ChangingThePatternForgetsTheRollButTheSamePatternKeepsIt) {
    const Level level;
    Ball ball;
    ball.SetLevel(level);
    testing::SilentBallOwner owner;
    ASSERT_TRUE(ball.PuttNow(2.0, 0.5, &owner, Fastest));
    ball.SetPattern(ball.GetPattern());
    double a = 0.0;
    double b = 0.0;
    ball.TakeRoll(a, b);
    EXPECT_NE(a, 0.0) << "the same pattern keeps the roll";
    ball.TakeRoll(a, b);
    EXPECT_EQ(a, 0.0) << "taking the roll clears it";

    ASSERT_TRUE(ball.PuttNow(2.0, 0.5, &owner, Fastest));
    ball.SetPattern(3);
    ball.TakeRoll(a, b);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 0.0);
}

TEST(BallPattern, BoundingRectangleFollowsPositionAndScale) {
    const Level level;
    Ball ball;
    ball.SetLevel(level);
    ball.SetX(2.0);
    ball.SetY(3.0);
    ball.SetScale(40);
    ball.SetOffsetX(20);
    ball.SetOffsetY(10);
    // (2 - 0.35) * 40 + 20 = 86, (2 + 0.35) * 40 + 20 + 2 = 116, and so on.
    EXPECT_EQ(ball.GetBoundingRect(), (PixelRect{86, 116, 116, 146}));
    ball.SetX(1e300);
    const PixelRect far = ball.GetBoundingRect();
    EXPECT_GE(far.right, far.left) << "huge positions saturate instead of overflowing";
}

}  // namespace
}  // namespace trundlex
