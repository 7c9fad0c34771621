// The results screen at the end of a match: places, scores against par, and its buttons.
#include <QLabel>
#include <QPushButton>

#include "GameShellFixture.h"
#include "solver/Par.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

struct Entry {
    const char* name;
    std::vector<int> strokes;  // per hole
    bool remote = false;
};

Match finishedMatch(const std::vector<Entry>& entries, int stoppedOn = 1000) {
    Match match;
    for (const Entry& entry : entries) {
        Player& player = match.AddPlayer(entry.name, 0x0000FF, 0, false,
                                         entry.remote ? 3 : Player::LocalConnection);
        for (std::size_t hole = 0; hole < entry.strokes.size(); ++hole) {
            for (int s = 0; s < entry.strokes[hole]; ++s) {
                player.AddStroke(static_cast<int>(hole));
            }
        }
        while (match.LevelCount() < static_cast<int>(entry.strokes.size())) {
            match.AddLevel("hole-" + std::to_string(match.LevelCount()));
        }
    }
    // Played through to its end, or stopped on hole `stoppedOn` (0-based).
    while (match.GetHole() < stoppedOn && match.NextHole()) {
    }
    return match;
}

TEST(MatchResults, PlacesFollowTheTotalsTiesShareAndParShowsOnlyWhenEveryParIsKnown) {
    struct Case {
        std::vector<Entry> players;
        std::vector<int> pars;
        QString headline;
        QStringList rows;
    };
    const Case cases[] = {
        {{{"Ann", {3, 2}}, {"Bob", {1, 2}}, {"Cy", {2, 2}}},
         {2, 2},
         "Bob wins!",
         {"1\tBob\t3\t\u22121", "2\tCy\t4\tPar", "3\tAnn\t5\t+1"}},
        {{{"Ann", {2, 2}}, {"Bob", {3, 3}}, {"Cy", {1, 3}}, {"Di", {4, 4}}},
         {2, 0},
         "Ann and Cy share the win!",
         {"1\tAnn\t4", "1\tCy\t4", "3\tBob\t6", "4\tDi\t8"}},
        {{{"Ann", {2}}, {"Bob", {2}}, {"Cy", {2}, true}}, {3},  // players of this computer marked
         "Ann, Bob and Cy share the win!",
         {"1\tAnn (you)\t2\t\u22121", "1\tBob (you)\t2\t\u22121", "1\tCy\t2\t\u22121"}},
        {{{"Ann", {4, 1}}}, {3}, "Well played, Ann!", {"1\tAnn\t5"}},  // a par missing
    };
    for (const Case& c : cases) {
        const MatchResultsDialog dialog(finishedMatch(c.players), c.pars, {});
        EXPECT_EQ(dialog.headline(), c.headline);
        EXPECT_EQ(dialog.rows(), c.rows) << c.headline.toStdString();
    }
}

TEST(MatchResults, AGameThatEndedEarlySaysSoAndHasNoScoreAgainstTheCoursesPar) {
    // Regression: a room's game that lost its host showed "Final standings after 9 holes"
    // and scores of 18 under par after one hole.
    const MatchResultsDialog dialog(finishedMatch({{"Ann", {3, 2, 0}}, {"Bob", {2, 0, 0}}}, 1),
                                    {2, 2, 2}, {});
    EXPECT_EQ(dialog.headline(), "The game ended early");
    EXPECT_EQ(dialog.rows(), (QStringList{"1\tBob\t2", "2\tAnn\t5"}));
    bool standing = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        standing = standing || label->text() == "Standings on hole 2 of 3";
    }
    EXPECT_TRUE(standing);
}

class MatchResultsTest : public GameShellTest {
protected:
    MatchResultsTest() { addLevel("room", kRoom, 3.5, 2.5); }

    // Ann and Bob play the room, each putting until holed out.
    void play(const std::string& course) {
        Match setup;
        setup.AddPlayer("Ann", 0x0000FF, 0, false, Player::LocalConnection);
        setup.AddPlayer("Bob", 0x00FF00, 0, false, Player::LocalConnection);
        setup.AddLevel("room");
        setup.SetName(course);
        view.startMatch(setup);
        ASSERT_TRUE(spinUntil([&] { return !view.controller().pars().empty() &&
                                           view.controller().pars()[0] > 0; }));
        const std::size_t shown = view.results.size();
        ASSERT_TRUE(spinUntil([&] {
            if (view.results.size() > shown) {
                return true;
            }
            if (view.controller().state() == Aiming) {
                const Ball* ball = view.currentBall();
                view.putt(std::atan2(2.5 - ball->GetY(), 5.5 - ball->GetX()), 2.0);
            }
            return false;
        }));
    }

    ParCache pars_{""};
    bool usesPars_ = (context_.pars = &pars_, true);
    TestGameView view{context_};
};

TEST_F(MatchResultsTest, PlayAgainRestartsTheSameMatchAndHighScoresAndWarningsBelongToACourse) {
    const TempFolder folder;
    writeBytes(folder / "file", "");
    context_.highScorePath = folder / "file/highscore.dat";  // in no folder: the save fails
    showQuick(view);
    bool highScoresOffered = false;
    bool again = true;
    view.onResults = [&](MatchResultsDialog& dialog) {
        highScoresOffered = dialog.highScoresButton() != nullptr;
        if (highScoresOffered) {
            dialog.highScoresButton()->click();
        }
        ASSERT_NE(dialog.playAgainButton(), nullptr);
        if (again) {
            dialog.playAgainButton()->click();
        }
    };
    play("course-7");
    EXPECT_EQ(view.results.back(), (QStringList{"1\tAnn\t1\tPar", "1\tBob\t1\tPar"}));
    EXPECT_TRUE(highScoresOffered);
    EXPECT_EQ(view.highScoreDialogs, std::vector<std::string>{"course-7"});
    EXPECT_EQ(view.resultsHighScoreNote, QStringLiteral("New high score!"));
    EXPECT_TRUE(view.resultsWarning.contains(QString::fromStdString(context_.highScorePath)))
        << view.resultsWarning.toStdString();

    ASSERT_TRUE(spinUntil([&] { return !view.match().IsOver(); })) << "never played again";
    EXPECT_EQ(view.match().GetHole(), 0);
    EXPECT_EQ(view.match().PlayerCount(), 2);
    EXPECT_EQ(view.match().GetPlayer(1)->GetName(), "Bob");
    EXPECT_EQ(view.match().GetPlayer(0)->TotalStrokes(), 0);
    EXPECT_EQ(view.match().GetName(), "course-7");

    again = false;  // left open
    play("");
    EXPECT_FALSE(highScoresOffered);
    EXPECT_TRUE(view.resultsHighScoreNote.isEmpty()) << "no course, no list entered";
    EXPECT_TRUE(view.resultsWarning.isEmpty());
    EXPECT_TRUE(view.match().IsOver()) << "the results alone start nothing";
    view.restart(false);  // as a network game's server does
    EXPECT_TRUE(spinUntil([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return view.openResults.isNull();
    })) << "the last match's results stay open";
}

TEST_F(MatchResultsTest, ACourseOfTheDayShowsTheDaysBestOnThisComputer) {
    showQuick(view);
    // Played earlier today on this computer, as well as Ann and Bob will, and before them.
    highScores_.add("daily-2026-12-09", "Di", 1, 0);
    play("daily-2026-12-09");
    // (The plural's English forms come with the game's translation, which tests do not load.)
    EXPECT_TRUE(view.resultsDayBest.startsWith("Today's best on this computer: Di, 1 stroke"))
        << view.resultsDayBest.toStdString();
    play("course-7");
    EXPECT_TRUE(view.resultsDayBest.isEmpty()) << "not a course of a day";
    highScores_.add("daily-2026-12-10", "Ed", 3, 0);
    play("daily-2026-12-10");
    EXPECT_TRUE(view.resultsDayBest.startsWith("Today's best on this computer: Ann, 1 stroke"))
        << "this game beat the day's earlier best: " << view.resultsDayBest.toStdString();
}

}  // namespace
}  // namespace trundlex::testing
