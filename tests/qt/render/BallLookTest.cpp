#include <gtest/gtest.h>

#include "ball/Ball.h"
#include "level/Level.h"
#include "render/BallLook.h"

namespace trundlex {
namespace {

TEST(BallLook, BoundingRectangleCoversBallAndShadowAndSaturatesFarAway) {
    const Level level;
    Ball ball;
    ball.SetLevel(level);
    ball.SetX(2.0);
    ball.SetY(3.0);
    BallLook look;
    look.setGeometry(20, 10, 40);
    const PixelRect rect = look.boundingRect(ball);
    // The ball spans 2 +- 0.35 blocks of 40 pixels from x = 20, plus the shadow's two pixels.
    EXPECT_EQ(rect, (PixelRect{86, 10 + 106, 116, 10 + 136}));
    ball.SetX(1e300);
    const PixelRect far = look.boundingRect(ball);
    EXPECT_GE(far.right, far.left) << "huge positions saturate instead of overflowing";
}

}  // namespace
}  // namespace trundlex
