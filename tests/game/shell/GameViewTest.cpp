#include <QTest>

#include "GameShellFixture.h"
#include "ScoreBoard.h"

namespace trundlex::testing {
namespace {

// A closed room with a cup block two blocks right of the start: a putt to the right drops,
// and so does one to the left, off the wall and back.
const std::vector<std::string_view> kRoom = {
    "########", "#......#", "#....O.#", "#......#", "########",
};

class GameViewTest : public GameShellTest {
protected:
    void SetUp() override {
        addLevel("hole-a", kRoom, 3.5, 2.5);
        addLevel("hole-b", kRoom, 2.5, 2.5);
    }

    // Starts a game of the players on both holes, quick balls, shown on screen.
    void start(std::initializer_list<const char*> players, const std::string& courseId = {}) {
        Match setup;
        for (const char* name : players) {
            setup.AddPlayer(name, 0x00E6E6E6, 0, false, Player::LocalConnection);
        }
        setup.AddLevel("hole-a");
        setup.AddLevel("hole-b");
        setup.SetName(courseId);
        view.resize(700, 520);
        view.show();
        view.action(GameCommand::LockSpeed)->trigger();
        view.setSpeedMode(Fastest);
        view.startMatch(setup);
    }

    // Where the current ball is on screen, and a point left of it to aim from.
    QPoint ballOnScreen() const {
        const Ball* ball = view.currentBall();
        return QPoint(
            static_cast<int>(view.frameLeft() + view.border() + ball->GetX() * view.blockSize()),
            static_cast<int>(view.frameTop() + view.border() + ball->GetY() * view.blockSize()));
    }
    QPoint aimFromLeft() const { return ballOnScreen() - QPoint(60, 0); }

    int strokes(int player, int hole) const {
        return view.match().GetPlayer(player)->StrokesOn(hole);
    }

    TestGameView view{context_};
};

TEST_F(GameViewTest, PressHoldAndReleasePuttsAndPassesTheTurn) {
    start({"Ann", "Bob"});
    ASSERT_EQ(view.viewState(), Aiming);
    ASSERT_EQ(view.currentPlayer(), view.match().GetPlayer(0));

    const QPoint from = aimFromLeft();
    QTest::mouseMove(&view, from);
    EXPECT_NEAR(view.aim(), 0.0, 0.05) << "aiming from the left putts to the right";
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.viewState(), Charging);
    ASSERT_TRUE(spinUntil([&] { return view.force() > 1.5; }));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(strokes(0, 0), 1) << "the stroke counts when the putt is made";

    ASSERT_TRUE(spinUntil(
        [&] { return view.viewState() == Aiming && view.currentPlayer() != view.match().GetPlayer(0); }));
    EXPECT_EQ(view.currentPlayer(), view.match().GetPlayer(1)) << "Bob's turn";
    EXPECT_FALSE(view.match().GetPlayer(0)->IsOnHole()) << "Ann's ball dropped";
    EXPECT_TRUE(view.scoreBoard()->copyText().startsWith(QStringLiteral("Ann\t1\t\t1\r\n")))
        << view.scoreBoard()->copyText().toStdString();
}

TEST_F(GameViewTest, ClickReleasedTooSoonMakesNoPutt) {
    start({"Ann"});
    const QPoint from = aimFromLeft();
    QTest::mouseMove(&view, from);
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.viewState(), Aiming);
    EXPECT_EQ(strokes(0, 0), 0);
    EXPECT_FALSE(view.currentBall()->IsRunning());
}

TEST_F(GameViewTest, HoldingUntilTheMeterIsFullPuttsAtFullForce) {
    start({"Ann"});
    const QPoint from = aimFromLeft();
    QTest::mouseMove(&view, from);
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    ASSERT_TRUE(spinUntil([&] { return strokes(0, 0) == 1; }));
    EXPECT_EQ(view.force(), 80.0);
    EXPECT_EQ(view.match().GetPlayer(0)->GetPutt(0)->speed, 80.0);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
}

TEST_F(GameViewTest, HolesFollowEachOtherAndACourseGameEntersTheHighScores) {
    start({"Ann", "Bob"}, "course-7");
    EXPECT_EQ(view.level().id(), "hole-a");
    ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
    view.putt(0.0, 2.0);  // Ann
    ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming && view.match().GetCurrentIndex() == 1; }));
    view.putt(3.141592653589793, 6.0);  // Bob: off the wall and back in
    ASSERT_TRUE(spinUntil([&] { return view.level().id() == "hole-b"; }));
    EXPECT_EQ(view.match().GetHole(), 1);
    EXPECT_EQ(view.currentPlayer(), view.match().GetPlayer(0)) << "the next hole starts with Ann";

    for (int putts = 0; putts < 2; ++putts) {
        ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
        view.putt(0.0, 3.0);
    }
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); }));
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_EQ(view.messages[0], QStringLiteral("Congratulations Ann, Bob you won!"));
    EXPECT_EQ(highScores_.entryCount("course-7"), 2);
    EXPECT_EQ(view.highScoreDialogs, std::vector<std::string>{"course-7"});
}

TEST_F(GameViewTest, GameWithoutACourseEntersNoHighScores) {
    start({"Ann"});
    for (int hole = 0; hole < 2; ++hole) {
        ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
        view.putt(0.0, 2.0);
        ASSERT_TRUE(spinUntil([&] { return view.viewState() != Rolling; }));
    }
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); }));
    EXPECT_EQ(highScores_.courseCount(), 0);
    EXPECT_TRUE(view.highScoreDialogs.empty());
}

TEST_F(GameViewTest, SpeedCommandsWrapAround) {
    start({"Ann"});
    view.setSpeedMode(Pause);
    view.action(GameCommand::DecreaseSpeed)->trigger();
    EXPECT_EQ(view.lockedSpeedMode(), Quadruple) << "from 'Stop ball' down to four times";
    view.setSpeedMode(NextPosition);
    view.action(GameCommand::IncreaseSpeed)->trigger();
    EXPECT_EQ(view.lockedSpeedMode(), Pause) << "from 'next position' up to 'Stop ball'";
    view.action(GameCommand::DecreaseSpeed)->trigger();
    EXPECT_EQ(view.lockedSpeedMode(), Quadruple);
    view.action(GameCommand::DecreaseSpeed)->trigger();
    EXPECT_EQ(view.lockedSpeedMode(), Triple);
    EXPECT_TRUE(view.speedAction(Triple)->isChecked());
}

TEST_F(GameViewTest, UnlockedSpeedGoesBackToNormalWhenTheBallStops) {
    start({"Ann", "Bob"});
    view.action(GameCommand::LockSpeed)->trigger();
    ASSERT_FALSE(view.isSpeedLocked());
    view.setSpeedMode(Fastest);
    view.putt(0.0, 2.0);
    ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
    EXPECT_EQ(view.lockedSpeedMode(), Normal);
}

}  // namespace
}  // namespace trundlex::testing
