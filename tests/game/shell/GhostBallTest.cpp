// The ghost's ball over the playfield: where it lies, how it rolls at the player's speed,
// and that a holed ghost is gone.
#include <QPainter>

#include "GameShellFixture.h"
#include "GhostBall.h"

namespace trundlex::testing {
namespace {

GhostShot shotAlong(int frames, bool holed) {
    GhostShot shot;
    shot.start = {1.5, 1.5, 0.35};
    for (int i = 1; i <= frames; ++i) {
        shot.frames.push_back({1.5 + 0.1 * i, 1.5, holed && i == frames ? 0.1 : 0.35});
    }
    shot.holed = holed;
    return shot;
}

using GhostBallTest = GameShellTest;

TEST_F(GhostBallTest, LiesAtItsStartRollsAtThePlayersSpeedAndAHoledOneIsGone) {
    PlayfieldWnd field;
    SpeedMode speed = Normal;
    GhostBall ghost(field, [&] { return speed; });
    QRect repainted;
    QObject::connect(&ghost, &GhostBall::moved, [&](const QRect& area) { repainted |= area; });

    EXPECT_FALSE(ghost.shown());
    const GhostShot rests = shotAlong(30, false);
    ghost.show(&rests);
    EXPECT_TRUE(ghost.shown());
    EXPECT_EQ(ghost.where(), QPointF(1.5, 1.5));
    EXPECT_FALSE(repainted.isEmpty()) << "where it appeared is painted";

    ghost.putt();
    EXPECT_TRUE(ghost.rolling());
    ASSERT_TRUE(spinUntil([&] { return !ghost.rolling(); }));
    EXPECT_DOUBLE_EQ(ghost.where().x(), rests.frames.back().x);
    EXPECT_TRUE(ghost.shown()) << "a ghost that did not hole stays where it rests";

    // Paused with the player's ball, and at once at its end when the player fast-forwards.
    ghost.show(&rests);
    speed = Pause;
    ghost.putt();
    EXPECT_TRUE(ghost.rolling());
    EXPECT_EQ(ghost.where(), QPointF(1.5, 1.5));
    speed = Fastest;
    ASSERT_TRUE(spinUntil([&] { return !ghost.rolling(); }));
    EXPECT_DOUBLE_EQ(ghost.where().x(), rests.frames.back().x);

    const GhostShot holed = shotAlong(5, true);
    ghost.show(&holed);
    speed = Normal;
    ghost.putt();
    ASSERT_TRUE(spinUntil([&] { return !ghost.rolling(); }));
    EXPECT_FALSE(ghost.shown()) << "in the cup";

    ghost.show(&rests);
    ghost.show(nullptr);
    EXPECT_FALSE(ghost.shown());
}

}  // namespace
}  // namespace trundlex::testing
