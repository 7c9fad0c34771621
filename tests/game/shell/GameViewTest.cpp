// The game view's own part: the mouse and the commands reach the game, and the speed rules.
// The rules of the game are tested through the controller (tests/game/control).
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "GameShellFixture.h"
#include "ScoreBoard.h"
#include "level/LevelFile.h"

namespace trundlex::testing {
namespace {

class GameViewTest : public GameShellTest {
protected:
    void SetUp() override { addLevel("hole-a", kRoom, 3.5, 2.5); }

    // Starts a game of the players on the room, quick balls, shown on screen.
    void start(std::initializer_list<const char*> players) {
        Match setup;
        for (const char* name : players) {
            setup.AddPlayer(name, 0x00E6E6E6, 0, false, Player::LocalConnection);
        }
        setup.AddLevel("hole-a");
        showQuick(view);
        view.startMatch(setup);
    }

    // A point left of the current ball on screen, to aim from.
    QPoint aimFromLeft() const {
        const Ball* ball = view.currentBall();
        return QPoint(
            static_cast<int>(view.frameLeft() + view.border() + ball->GetX() * view.blockSize()),
            static_cast<int>(view.frameTop() + view.border() + ball->GetY() * view.blockSize())) -
               QPoint(60, 0);
    }

    TestGameView view{context_};
};

TEST_F(GameViewTest, TheMouseAimsAwayFromThePointerAndPutts) {
    start({"Ann", "Bob"});
    ASSERT_EQ(view.viewState(), Aiming);
    const QPoint from = aimFromLeft();
    QTest::mouseMove(&view, from);
    // An angle just below a full turn is as good as zero: the pointer's pixel may lie a hair
    // above the ball's centre, wherever the layout puts the level.
    EXPECT_NEAR(std::remainder(view.controller().aim(), 2 * std::acos(-1.0)), 0.0, 0.05)
        << "aiming from the left putts to the right";
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.viewState(), Charging);
    ASSERT_TRUE(spinUntil([&] { return view.controller().force() > 1.5; }));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.match().GetPlayer(0)->StrokesOn(0), 1);

    ASSERT_TRUE(spinUntil([&] {
        return view.viewState() == Aiming && view.currentPlayer() == view.match().GetPlayer(1);
    }));
    EXPECT_EQ(view.currentBall(), &view.match().GetPlayer(1)->GetBall()) << "Bob's ball shown";
    EXPECT_TRUE(view.scoreBoard()->copyText().contains(QStringLiteral("\r\nAnn\t1\t1\r\n")))
        << view.scoreBoard()->copyText().toStdString();
}

TEST_F(GameViewTest, APuttIsCalledOffByTheRightButtonOrEscWhileTheForceBuildsUp) {
    start({"Ann"});
    ASSERT_EQ(view.viewState(), Aiming);
    const QPoint from = aimFromLeft();
    QTest::mouseMove(&view, from);
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    ASSERT_TRUE(spinUntil([&] { return view.controller().force() > 1.5; }));
    QTest::mousePress(&view, Qt::RightButton, {}, from);
    EXPECT_EQ(view.viewState(), Aiming);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.match().GetPlayer(0)->StrokesOn(0), 0) << "the release putted after all";
    EXPECT_EQ(view.viewState(), Aiming);

    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    ASSERT_TRUE(spinUntil([&] { return view.controller().force() > 1.5; }));
    view.action(GameCommand::NextPosition)->trigger();
    EXPECT_EQ(view.viewState(), Aiming);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.match().GetPlayer(0)->StrokesOn(0), 0);

    // Called off, the next press putts as ever.
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    ASSERT_TRUE(spinUntil([&] { return view.controller().force() > 1.5; }));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(view.match().GetPlayer(0)->StrokesOn(0), 1);
}

TEST_F(GameViewTest, AGameInProgressIsAbandonedOnlyWhenTheUserAgrees) {
    EXPECT_TRUE(view.mayAbandonGame()) << "no game";
    start({"Ann"});
    view.answer = false;
    EXPECT_FALSE(view.mayAbandonGame());
    view.answer = true;
    EXPECT_TRUE(view.mayAbandonGame());
    EXPECT_EQ(view.questions.size(), 2);
    // Restarting asks too, and says where the game starts again.
    view.answer = false;
    view.restart(true);
    ASSERT_EQ(view.questions.size(), 3);
    EXPECT_TRUE(view.questions.back().contains(QStringLiteral("hole 1")))
        << view.questions.back().toStdString();
    EXPECT_TRUE(view.action(GameCommand::Restart)->text().contains(QStringLiteral("hole 1")));
    view.questions.removeLast();
    view.answer = true;
    view.putt(0.0, 1.2);  // straight into the cup: the match is over
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); }));
    EXPECT_TRUE(view.mayAbandonGame());
    EXPECT_EQ(view.questions.size(), 2) << "a finished game is left without asking";
}

TEST_F(GameViewTest, ALevelFileIsPlayedAtOnceAndOneThatIsNoLevelIsReported) {
    QTemporaryDir folder;
    Level level = asciiLevel(kRoom);
    level.setName("From the editor");
    level.setId("editor-id");
    level.setStart(3.5, 2.5);
    const QString path = folder.filePath(QStringLiteral("mine.lev"));
    ASSERT_TRUE(writeLevelFile(level, path.toStdString()));
    showQuick(view);
    ASSERT_TRUE(view.playLevelFile(path));
    EXPECT_EQ(view.viewState(), Aiming);
    ASSERT_EQ(view.match().PlayerCount(), 1);
    ASSERT_EQ(view.match().LevelCount(), 1);
    EXPECT_EQ(view.match().GetLevelId(0), "editor-id");
    view.putt(0.0, 1.2);
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); })) << "the file's level is played";
    EXPECT_TRUE(view.messages.isEmpty());

    EXPECT_FALSE(view.playLevelFile(folder.filePath(QStringLiteral("missing.lev"))));
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_TRUE(view.messages.front().contains(QStringLiteral("missing.lev")));
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
    view.action(GameCommand::DecreaseSpeed)->trigger();
    EXPECT_EQ(view.lockedSpeedMode(), Triple);
    EXPECT_TRUE(view.speedAction(Triple)->isChecked());
}

TEST_F(GameViewTest, UnlockedSpeedGoesBackToNormalWhenTheBallStops) {
    start({"Ann", "Bob"});
    view.action(GameCommand::LockSpeed)->trigger();
    ASSERT_FALSE(view.isSpeedLocked());
    view.setSpeedMode(Fastest);
    view.putt(1.5707963267948966, 0.5);  // a short roll, at normal speed
    ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
    EXPECT_EQ(view.lockedSpeedMode(), Normal);
}

}  // namespace
}  // namespace trundlex::testing
