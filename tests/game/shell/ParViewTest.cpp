// The holes' pars on the score board and in the levels viewer, worked out while the game goes
// on.
#include "GameShellFixture.h"
#include "LevelsViewerDialog.h"
#include "ScoreBoard.h"
#include "solver/Par.h"

namespace trundlex::testing {
namespace {

class ParViewTest : public GameShellTest {
protected:
    ParViewTest() {
        addLevel("straight", {"##########", "#........#", "#......O.#", "#........#", "##########"},
                 1.5, 2.5);
        addLevel("walled-in", {"##########", "#....###.#", "#....#O#.#", "#....###.#", "##########"},
                 1.5, 2.5);
    }

    void start(std::initializer_list<const char*> levels) {
        Match setup;
        setup.AddPlayer("Ann", 0x00E6E6E6, 0, false, Player::LocalConnection);
        for (const char* id : levels) {
            setup.AddLevel(id);
        }
        view.startMatch(setup);
    }

    QString parCell(int column) const {
        const ScoreBoard& board = *view.scoreBoard();
        return board.rowCount() > 0 ? board.cellText(board.rowCount() - 1, column)
                                    : QStringLiteral("(none)");
    }

    ParCache pars_{""};
    bool usesPars_ = (context_.pars = &pars_, true);
    TestGameView view{context_};
};

TEST_F(ParViewTest, TheScoreBoardShowsEachHolesParAndTheirSumAndCopiesWhole) {
    EXPECT_FALSE(view.action(GameCommand::Copy)->isEnabled()) << "nothing to copy yet";
    start({"straight", "straight"});
    EXPECT_TRUE(view.action(GameCommand::Copy)->isEnabled());
    EXPECT_EQ(parCell(0), QStringLiteral("Par"));
    ASSERT_TRUE(spinUntil([&] { return !parCell(3).isEmpty(); }));
    EXPECT_EQ(parCell(1), QStringLiteral("1"));
    EXPECT_EQ(parCell(2), QStringLiteral("1"));
    EXPECT_EQ(parCell(3), QStringLiteral("2"));
    // Pasted into a spreadsheet: header, Ann on the first hole, the pars and their sum.
    EXPECT_EQ(view.scoreBoard()->copyText(),
              QStringLiteral("Name\t1\t2\tTotal\r\nAnn\t0\t\t0\r\nPar\t1\t1\t2\r\n"));

    // The cache keeps them: the next game shows them at once.
    start({"straight"});
    EXPECT_EQ(parCell(1), QStringLiteral("1"));
}

TEST_F(ParViewTest, ALevelWithoutParShowsADashAndNoSum) {
    start({"straight", "walled-in"});
    ASSERT_TRUE(spinUntil([&] { return !parCell(2).isEmpty(); }));
    EXPECT_EQ(parCell(1), QStringLiteral("1"));
    EXPECT_EQ(parCell(2), QStringLiteral("\u2013"));
    EXPECT_EQ(parCell(3), QString()) << "no sum without every par";

    LevelsViewerDialog dialog(view.match(), levels_, &pars_);
    EXPECT_EQ(dialog.rows(), (QStringList{QStringLiteral("1\tstraight\ttests\t1"),
                                         QStringLiteral("2\twalled-in\ttests\t\u2013")}));
}

TEST_F(ParViewTest, TheViewerSaysWhenAParIsNotKnownYet) {
    Match match;
    match.AddLevel("straight");
    LevelsViewerDialog dialog(match, levels_, &pars_);
    EXPECT_EQ(dialog.rows(), QStringList{QStringLiteral("1\tstraight\ttests\tnot yet known")});
}

}  // namespace
}  // namespace trundlex::testing
