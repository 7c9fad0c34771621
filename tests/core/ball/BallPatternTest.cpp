#include <gtest/gtest.h>

#include <cmath>

#include "ball/Ball.h"
#include "ball/BallPattern.h"
#include "level/Level.h"

namespace trundlex {
namespace {

double length(const SurfacePoint& p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }

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

TEST(BallPattern, CirclePatternsLieInTheirPlanes) {
    BallPattern six;
    six.build(6, 1.0);
    const auto& p = six.points();
    for (int i = 0; i < 64; ++i) {
        EXPECT_NEAR(p[static_cast<std::size_t>(i)].y, 0.0, 1e-12) << "x-z circle";
        EXPECT_NEAR(p[64 + static_cast<std::size_t>(i)].z, 0.0, 1e-12) << "x-y circle";
        EXPECT_NEAR(p[128 + static_cast<std::size_t>(i)].x, 0.0, 1e-12) << "y-z circle";
    }
    // The three circles are whole circles: their points are spread all round.
    double minZ = 1.0;
    double maxZ = -1.0;
    for (int i = 0; i < 64; ++i) {
        minZ = std::min(minZ, p[static_cast<std::size_t>(i)].z);
        maxZ = std::max(maxZ, p[static_cast<std::size_t>(i)].z);
    }
    EXPECT_LT(minZ, -0.99);
    EXPECT_GT(maxZ, 0.99);

    BallPattern seven;
    seven.build(7, 1.0);
    EXPECT_GT(std::abs(seven.points()[130].x), 1e-3) << "pattern 7 twists its third loop";
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
    struct : BallOwner {
        void onBallNotification(std::int32_t, BallNotification) override {}
    } owner;
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
