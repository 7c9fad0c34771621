// The ring round the ball whose turn it is stays through a change of the window's size: it
// used to vanish after a resize until the mouse moved.
#include "GameShellFixture.h"

#include <cmath>

namespace trundlex::testing {
namespace {

class TurnRingTest : public GameShellTest {
protected:
    void SetUp() override { addLevel("hole-a", kRoom, 3.5, 2.5); }

    void start() {
        Match setup;
        // A light ball on grass: its ring is the only near-white thing around it.
        setup.AddPlayer("Ann", 0x00E6E6E6, 0, false, Player::LocalConnection);
        setup.AddLevel("hole-a");
        showQuick(view);
        view.startMatch(setup);
        QCoreApplication::processEvents();
    }

    // How many of 16 points around the current ball, at the ring's distance, show the ring.
    int ringPoints() {
        const QImage shown = view.grab().toImage();
        const Ball* ball = view.currentBall();
        const double bs = view.blockSize();
        const double cx = view.frameLeft() + view.border() + ball->GetX() * bs;
        const double cy = view.frameTop() + view.border() + ball->GetY() * bs;
        const double radius = 1.7 * ball->GetRadius() * bs;
        int lit = 0;
        for (int i = 0; i < 16; ++i) {
            const double a = i * std::acos(-1.0) / 8;
            const QColor c =
                shown.pixelColor(static_cast<int>(std::lround(cx + radius * std::cos(a))),
                                 static_cast<int>(std::lround(cy + radius * std::sin(a))));
            lit += c.red() > 170 && c.green() > 170 && c.blue() > 170;
        }
        return lit;
    }

    TestGameView view{context_};
};

TEST_F(TurnRingTest, TheRingIsDrawnAgainAfterAResizeWithoutAMouseMove) {
    for (const Look look : {Look::Modern, Look::Classic}) {
        SCOPED_TRACE(look == Look::Modern ? "modern" : "classic");
        view.setLook(look);
        start();
        ASSERT_GE(ringPoints(), 12) << "the ring shows when the turn begins";
        const int before = view.blockSize();
        for (const QSize size : {QSize(1100, 800), QSize(640, 480)}) {
            view.resize(size);
            QCoreApplication::processEvents();
            EXPECT_GE(ringPoints(), 12) << size.width() << "x" << size.height();
        }
        EXPECT_NE(view.blockSize(), before) << "the level was drawn at another scale";
    }
}

TEST_F(TurnRingTest, ARollingBallLeavesNoRingBehindAfterAResize) {
    start();
    ASSERT_GE(ringPoints(), 12);
    view.setSpeedMode(Normal);
    view.controller().puttWithForce(view.controller().aim(), 0.5);
    ASSERT_TRUE(spinUntil([this] { return view.currentBall()->IsRunning(); }, 5000));
    view.resize(1000, 760);
    QCoreApplication::processEvents();
    EXPECT_LE(ringPoints(), 2) << "no ring round a ball in motion";
    view.stopBall();
}

}  // namespace
}  // namespace trundlex::testing
