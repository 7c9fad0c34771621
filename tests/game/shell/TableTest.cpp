// The table around the playfield: the score board's turn mark, where the banners go and that
// they come one at a time, and the standings left on the table after the results.
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "BannerOverlay.h"
#include "GameShellFixture.h"
#include "ScoreBoard.h"
#include "StandingsPanel.h"

namespace trundlex::testing {
namespace {

class TableTest : public GameShellTest {
protected:
    TableTest() { addLevel("room", kRoom, 3.5, 2.5); }

    void start(const std::string& course = {}) {
        Match setup;
        setup.AddPlayer("Ann", 0x000080FF, 0, false, Player::LocalConnection);
        setup.AddPlayer("Bob", 0x00FF8000, 0, false, Player::LocalConnection);
        setup.AddLevel("room");
        setup.SetName(course);
        view.startMatch(setup);
    }

    // The current player putts at the cup, which a ball from the tee drops into.
    void puttAtCup() {
        ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
        const Ball* ball = view.currentBall();
        view.putt(std::atan2(2.5 - ball->GetY(), 5.5 - ball->GetX()), 2.0);
    }

    // The level's title lies in the frame's strip above the level.
    QRect titleStrip() const {
        return {view.frameLeft(), view.frameTop(), view.frameSize().width(), view.border()};
    }

    TestGameView view{context_};
};

TEST_F(TableTest, TheTurnMarkFollowsTheMatchAndNotTheMouse) {
    showQuick(view);
    start();
    ScoreBoard& board = *view.scoreBoard();
    ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming; }));
    EXPECT_EQ(board.markedPlayer(), 0) << "Ann begins";
    const QImage before = board.grab().toImage();

    // A click on Bob's row moves nothing and putts nothing.
    const QPoint onBob = board.playerRowRect(1).center();
    QTest::mouseClick(&board, Qt::LeftButton, {}, onBob);
    QTest::mouseClick(&board, Qt::LeftButton, {}, onBob);
    EXPECT_EQ(board.markedPlayer(), 0);
    EXPECT_EQ(board.grab().toImage(), before) << "the board looks as it did";
    EXPECT_EQ(view.viewState(), Aiming);
    EXPECT_EQ(view.match().GetPlayer(0)->StrokesOn(0), 0);

    // Ann's putt drops: the turn and the mark go to Bob, and the board shows her stroke.
    puttAtCup();
    ASSERT_TRUE(spinUntil([&] { return view.currentPlayer() == view.match().GetPlayer(1) &&
                                       view.viewState() == Aiming; }));
    EXPECT_EQ(board.markedPlayer(), 1);
    EXPECT_EQ(board.cellText(1, 1), QStringLiteral("1")) << "Ann's stroke on hole 1";
    const QImage after = board.grab().toImage();
    const QRect annRow = board.playerRowRect(0);
    const QRect bobRow = board.playerRowRect(1);
    EXPECT_NE(before.copy(annRow), after.copy(annRow)) << "Ann's row is no longer lit";
    EXPECT_NE(before.copy(bobRow), after.copy(bobRow)) << "Bob's row is lit now";
}

TEST_F(TableTest, TheBoardGrowsWithTheWindow) {
    start();
    view.resize(640, 480);
    view.show();
    const QSize small = view.scoreBoard()->geometry().size();
    view.resize(1600, 1000);
    QCoreApplication::processEvents();
    const QSize large = view.scoreBoard()->geometry().size();
    EXPECT_GT(large.width(), small.width());
    EXPECT_GT(large.height(), small.height());
    EXPECT_LE(view.scoreBoard()->geometry().bottom(), view.frameTop()) << "above the playfield";
}

TEST_F(TableTest, BannersNeverCoverTheScoreBoardOrTheLevelsTitle) {
    showQuick(view);
    // Not the quickest speed: a putt fast-forwarded has no banner.
    view.setSpeedMode(Quadruple);
    const QSize sizes[] = {{640, 480}, {1600, 1000}, {}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(size.isEmpty() ? std::string("full screen")
                                    : std::to_string(size.width()) + "x" +
                                          std::to_string(size.height()));
        if (size.isEmpty()) {
            view.showFullScreen();
        } else {
            view.showNormal();
            view.resize(size);
            view.show();
        }
        QCoreApplication::processEvents();
        start();
        QCoreApplication::processEvents();
        const QRect board = view.scoreBoard()->geometry();
        ASSERT_FALSE(board.isEmpty());
        ASSERT_NE(view.turnTag(), nullptr);
        ASSERT_TRUE(spinUntil([&] { return !view.turnTag()->plateGeometry().isEmpty(); }));
        EXPECT_FALSE(view.turnTag()->plateGeometry().intersects(board));
        EXPECT_FALSE(view.turnTag()->plateGeometry().intersects(titleStrip()))
            << view.turnTag()->plateGeometry().y() << " vs title " << titleStrip().y() << "+"
            << titleStrip().height() << ", overlay at " << view.turnTag()->geometry().y();
        // A hole in one: the big banner in the middle.
        puttAtCup();
        ASSERT_TRUE(spinUntil([&] {
            return view.banner() != nullptr && !view.banner()->plateGeometry().isEmpty();
        }));
        EXPECT_FALSE(view.banner()->plateGeometry().intersects(board))
            << view.banner()->plateGeometry().y() << " vs board bottom " << board.bottom();
        EXPECT_FALSE(view.banner()->plateGeometry().intersects(titleStrip()));
    }
}

TEST(BannerOverlay, ASecondBannerWaitsUntilTheFirstHasHadItsTime) {
    QWidget field;
    field.resize(400, 300);
    BannerOverlay plate(BannerOverlay::Placement::Centre, &field);
    plate.setGeometry(field.rect());
    field.show();
    QStringList shown;
    QElapsedTimer clock;
    qint64 firstAt = -1;
    qint64 secondAt = -1;
    QObject::connect(&plate, &BannerOverlay::shown, [&](const QString& title) {
        shown << title;
        (shown.size() == 1 ? firstAt : secondAt) = clock.elapsed();
    });
    bool over = false;
    QObject::connect(&plate, &BannerOverlay::finished, [&] { over = true; });
    clock.start();
    plate.showBanner("Birdie", {}, Qt::yellow, BannerOverlay::Sign::Star, 400);
    plate.showBanner("Water", {}, Qt::blue, BannerOverlay::Sign::Ripples, 400);
    EXPECT_EQ(plate.title(), QStringLiteral("Birdie")) << "the first stays up";
    EXPECT_EQ(plate.waitingCount(), 1);

    QElapsedTimer limit;
    limit.start();
    while (!over && limit.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_TRUE(over);
    EXPECT_EQ(shown, (QStringList{"Birdie", "Water"}));
    // Qt's timers may end a little early (a coarse timer by up to 5 %): what counts is that the
    // second came after the first's time, not at once beside it.
    EXPECT_GE(secondAt - firstAt, 300) << "the second waited for the first's time";
    EXPECT_FALSE(plate.busy());
}

TEST(BannerOverlay, APlateWithoutATimeGivesWayAtOnceAndDismissForgetsTheWaiting) {
    QWidget field;
    field.resize(400, 300);
    BannerOverlay plate(BannerOverlay::Placement::Top, &field);
    plate.setGeometry(field.rect());
    field.show();
    plate.showBanner("Waiting for Bob", {}, Qt::white, BannerOverlay::Sign::None, 0);
    plate.showBanner("Ann's turn", {}, Qt::white, BannerOverlay::Sign::None, 5000);
    EXPECT_EQ(plate.title(), QStringLiteral("Ann's turn")) << "nothing to wait for";
    plate.showBanner("Bob's turn", {}, Qt::white, BannerOverlay::Sign::None, 5000);
    EXPECT_EQ(plate.waitingCount(), 1);
    plate.dismiss();
    EXPECT_FALSE(plate.busy());
    EXPECT_TRUE(plate.plateGeometry().isEmpty());
}

TEST_F(TableTest, TheNextTurnIsToldOnlyAfterTheResultOfThePutt) {
    showQuick(view);
    view.setSpeedMode(Quadruple);  // the quickest speed skips banners
    start();
    puttAtCup();
    ASSERT_TRUE(spinUntil([&] { return view.banner() != nullptr && view.banner()->isVisible(); }));
    EXPECT_EQ(view.banner()->title(), QStringLiteral("Hole in one!"));
    // Never both plates at once: Bob's turn comes when the hole in one has had its time.
    bool together = false;
    ASSERT_TRUE(spinUntil([&] {
        together = together || (view.banner()->isVisible() && view.turnTag()->isVisible());
        return view.turnTag() != nullptr && view.turnTag()->isVisible() &&
               view.turnTag()->title() == QStringLiteral("Bob's turn");
    }));
    EXPECT_FALSE(together);
}

TEST_F(TableTest, AfterTheResultsTheStandingsStayWithPlayAgainAndNewGame) {
    showQuick(view);
    start("course-1");
    ASSERT_TRUE(spinUntil([&] {
        if (!view.results.empty()) {
            return true;
        }
        if (view.viewState() == Aiming) {
            puttAtCup();
        }
        return false;
    }));
    EXPECT_TRUE(view.controller().isHighlightOn()) << "the winner's replay behind the results";
    ASSERT_FALSE(view.openResults.isNull());
    view.openResults->closeButton()->click();

    ASSERT_NE(view.standings(), nullptr);
    EXPECT_TRUE(view.standings()->isVisible());
    EXPECT_EQ(view.standings()->rows(), view.results.back()) << "the same standings";
    EXPECT_FALSE(view.controller().isHighlightOn()) << "no more looping replay";
    EXPECT_EQ(view.viewState(), GameOver);
    EXPECT_TRUE(view.scoreBoard()->isVisible());
    EXPECT_FALSE(view.standings()->geometry().intersects(view.scoreBoard()->geometry()));
    ASSERT_NE(view.standings()->newGameButton(), nullptr);
    ASSERT_NE(view.standings()->highScoresButton(), nullptr) << "the course's list was entered";
    view.standings()->highScoresButton()->click();
    EXPECT_EQ(view.highScoreDialogs, std::vector<std::string>{"course-1"});

    // The replay takes the playfield for a while; the standings come back after it.
    view.action(GameCommand::Replay)->trigger();
    ASSERT_NE(view.replayBar(), nullptr);
    EXPECT_FALSE(view.standings()->isVisible());
    view.closeReplays();
    EXPECT_TRUE(view.standings()->isVisible());

    ASSERT_NE(view.standings()->playAgainButton(), nullptr);
    view.standings()->playAgainButton()->click();
    ASSERT_TRUE(spinUntil([&] { return !view.match().IsOver(); })) << "never played again";
    EXPECT_FALSE(view.standings()->isVisible());
    EXPECT_EQ(view.match().GetPlayer(0)->TotalStrokes(), 0);
}

}  // namespace
}  // namespace trundlex::testing
