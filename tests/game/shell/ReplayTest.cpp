#include <cmath>
#include <cstring>

#include "GameShellFixture.h"
#include "LevelsViewerDialog.h"
#include "ReplayBar.h"

namespace trundlex::testing {
namespace {

constexpr double kDown = 1.5707963267948966;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class ReplayTest : public GameShellTest {
protected:
    void SetUp() override {
        addLevel("hole-a", kRoom, 3.5, 2.5);
        addLevel("hole-b", kRoom, 2.5, 2.5);
        Match setup;
        setup.AddPlayer("Ann", 0x000080FF, 3, false, Player::LocalConnection);
        setup.AddPlayer("Bob", 0x00FF8000, 5, true, Player::LocalConnection);
        setup.AddLevel("hole-a");
        setup.AddLevel("hole-b");
        showQuick(view);
        view.startMatch(setup);
    }

    // A putt of the current player straight down: it never reaches the cup.
    void puttDown(double force) {
        ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
        view.putt(kDown, force);
        ASSERT_TRUE(spinUntil([&] { return view.viewState() != Rolling; }));
    }

    // A putt of the current player at the cup's centre.
    void puttAtCup(double force) {
        ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
        const Ball* ball = view.currentBall();
        view.putt(std::atan2(2.5 - ball->GetY(), 5.5 - ball->GetX()), force);
        ASSERT_TRUE(spinUntil([&] { return view.viewState() != Rolling; }));
    }

    // The ball replays roll on: whichever the view shows during a replay.
    Ball& replayBall() {
        EXPECT_NE(view.currentBall(), nullptr);
        return *view.currentBall();
    }

    TestGameView view{context_};
};

TEST_F(ReplayTest, ListShowsEveryPuttWithHoleAndStroke) {
    Player& ann = *view.match().GetPlayer(0);
    for (int i = 0; i < 3; ++i) {
        ann.RecordPutt(1.0, 0.0, 0);
    }
    for (int i = 0; i < 2; ++i) {
        ann.RecordPutt(1.0, 0.0, 1);
    }
    ReplayBar bar(view, levels_);
    EXPECT_EQ(bar.rows(),
              (QStringList{"Hole 1 (hole-a), stroke 1", "Hole 1 (hole-a), stroke 2",
                           "Hole 1 (hole-a), stroke 3", "Hole 2 (hole-b), stroke 1",
                           "Hole 2 (hole-b), stroke 2"}));
    bar.choosePlayer(1);
    EXPECT_TRUE(bar.rows().isEmpty()) << "Bob has not putted";
}

TEST_F(ReplayTest, SelectingAPuttSetsItUpWithoutRolling) {
    puttDown(1.0);  // Ann, from (3.5, 2.5) on hole-a
    ReplayBar bar(view, levels_);
    bar.selectRow(0);
    EXPECT_EQ(view.viewState(), ReplayWaiting);
    EXPECT_NE(view.currentBall(), &view.match().GetPlayer(0)->GetBall()) << "a ball of its own";
    EXPECT_EQ(replayBall().GetX(), 3.5);
    EXPECT_EQ(replayBall().GetY(), 2.5);
    EXPECT_EQ(view.currentStyle().colour, 0x000080FFu) << "dressed like Ann's ball";
    EXPECT_FALSE(replayBall().IsRunning());
    EXPECT_EQ(view.level().id(), "hole-a");
}

TEST_F(ReplayTest, ReplayedPuttEndsWhereTheOriginalEndedBitForBit) {
    puttDown(3.7);
    const Ball& annBall = view.match().GetPlayer(0)->GetBall();
    const double endX = annBall.GetX();
    const double endY = annBall.GetY();
    ReplayBar bar(view, levels_);
    bar.activateRow(0);
    EXPECT_EQ(view.viewState(), ReplayRolling);
    ASSERT_TRUE(spinUntil([&] { return !replayBall().IsRunning(); }));
    EXPECT_TRUE(sameBits(replayBall().GetX(), endX) && sameBits(replayBall().GetY(), endY))
        << replayBall().GetX() << "," << replayBall().GetY() << " vs " << endX << "," << endY;
}

TEST_F(ReplayTest, PauseHoldsTheBallAndPlayGoesOnToTheSameEndAndTheNextPutts) {
    puttDown(3.7);  // Ann
    puttDown(1.0);  // Bob
    puttDown(2.0);  // Ann again
    const Ball& annBall = view.match().GetPlayer(0)->GetBall();
    const double endX = annBall.GetX();
    const double endY = annBall.GetY();
    ReplayBar bar(view, levels_);
    ASSERT_EQ(bar.rows().size(), 2);
    bar.setSpeed(Half);
    bar.selectRow(0);
    bar.playPause();
    ASSERT_TRUE(bar.playing());
    ASSERT_TRUE(replayBall().IsRunning());
    bar.playPause();
    EXPECT_TRUE(bar.paused());
    EXPECT_EQ(replayBall().GetSpeedMode(), Pause);
    EXPECT_TRUE(replayBall().IsRunning()) << "held, not stopped";

    bar.setSpeed(Fastest);
    bar.playPause();
    EXPECT_EQ(replayBall().GetSpeedMode(), Fastest);
    // The first putt ends where it ended in the game, then the second follows by itself
    // (puttStopped is what the view tells an open bar).
    ASSERT_TRUE(spinUntil([&] { return !replayBall().IsRunning(); }));
    bar.puttStopped();
    ASSERT_TRUE(spinUntil([&] { return bar.currentRow() == 1; })) << "went on to the next putt";
    ASSERT_TRUE(spinUntil([&] { return !replayBall().IsRunning(); }));
    EXPECT_TRUE(sameBits(replayBall().GetX(), endX) && sameBits(replayBall().GetY(), endY));
    bar.puttStopped();
    EXPECT_FALSE(bar.playing()) << "the player's last putt ends the play";

    bar.previous();
    EXPECT_EQ(bar.currentRow(), 0);
    EXPECT_EQ(view.viewState(), ReplayWaiting) << "set up, not rolled";
}

TEST_F(ReplayTest, TheReplayPlaysOnThePlayfieldWithItsBarBelowIt) {
    puttDown(1.0);
    view.action(GameCommand::Replay)->trigger();
    ReplayBar* bar = view.replayBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->parentWidget(), &view) << "part of the table, no window of its own";
    EXPECT_EQ(view.viewState(), ReplayWaiting) << "the first putt set up at once";
    EXPECT_GE(bar->geometry().top(), view.frameTop() + view.frameSize().height())
        << "the bar covers nothing of the playfield";
    view.closeReplays();
    EXPECT_EQ(view.replayBar(), nullptr);
    EXPECT_EQ(view.viewState(), Aiming) << "the game goes on";
}

TEST_F(ReplayTest, DoubleClickDuringAReplayStartsTheNewOneFromItsStart) {
    puttDown(1.0);  // Ann
    puttDown(1.0);  // Bob, from (3.5, 2.5) too
    view.setSpeedMode(Half);
    ReplayBar bar(view, levels_);
    bar.activateRow(0);
    ASSERT_TRUE(replayBall().IsRunning());
    bar.choosePlayer(1);
    bar.activateRow(0);
    EXPECT_TRUE(replayBall().IsRunning());
    EXPECT_EQ(view.currentStyle().colour, 0x00FF8000u) << "now Bob's putt";
    EXPECT_NEAR(replayBall().GetY(), 2.5, 0.05) << "from its own start";
}

TEST_F(ReplayTest, ClosingTheReplayGivesTheTurnBackWithScoresUnchanged) {
    puttDown(1.0);  // Ann; now Bob's turn
    Player* bob = view.match().GetPlayer(1);
    ASSERT_EQ(view.currentPlayer(), bob);
    QString status;
    QObject::connect(&view, &GameView::status, [&](const QString& text) { status = text; });
    {
        ReplayBar bar(view, levels_);
        bar.activateRow(0);
    }
    // Regression: the status line kept naming the replay after the game went on.
    EXPECT_EQ(status, QStringLiteral(u"Hole 1 of 2: hole-a  –  Bob's turn"));
    EXPECT_EQ(view.viewState(), Aiming);
    EXPECT_EQ(view.currentPlayer(), bob);
    EXPECT_EQ(view.currentBall(), &bob->GetBall());
    EXPECT_EQ(view.match().GetPlayer(0)->StrokesOn(0), 1);
    EXPECT_EQ(view.match().GetPlayer(0)->PuttCount(), 1);
    EXPECT_EQ(bob->PuttCount(), 0);
}

TEST_F(ReplayTest, HighlightLoopsOverTheWinnersPutts) {
    // Every replay the view announces, in order: counted as they start, not sampled, so a
    // busy machine cannot make the test miss one.
    QStringList replays;
    QObject::connect(&view, &GameView::status, [&](const QString& text) {
        if (text.startsWith(QStringLiteral("Replay:"))) {
            replays.push_back(text);
        }
    });
    // Ann: two putts on hole-a (the second drops), one on hole-b; Bob: one each.
    puttDown(1.0);
    for (int putts = 0; putts < 4; ++putts) {
        puttAtCup(3.0);
    }
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); }));
    EXPECT_EQ(view.match().Leader(), 1) << "Bob won with two strokes";
    EXPECT_TRUE(view.controller().isHighlightOn());
    ASSERT_TRUE(spinUntil([&] { return replays.size() >= 4; })) << replays.join(" / ").toStdString();
    EXPECT_EQ(replays.mid(0, 4),
              (QStringList{"Replay: Bob, hole 1, stroke 1", "Replay: Bob, hole 2, stroke 1",
                           "Replay: Bob, hole 1, stroke 1", "Replay: Bob, hole 2, stroke 1"}))
        << "from the first again after the last";
}

TEST_F(ReplayTest, LevelsViewerListsTheHoles) {
    LevelsViewerDialog dialog(view.match(), levels_);
    EXPECT_EQ(dialog.rows(), (QStringList{"1\thole-a\ttests", "2\thole-b\ttests"}));
}

}  // namespace
}  // namespace trundlex::testing
