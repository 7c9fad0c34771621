// The turn flow of a match: turn cycles, holing out, the stroke limit, holes and the end of
// the match, putt records, winners, restart and clear.
#include "game/play/MatchFixture.h"

namespace trundlex::testing {
namespace {

TEST_F(MatchTest, PlayersTakeTurnsInListOrderCycleAfterCycle) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_TRUE(startHole());

    EXPECT_EQ(miss(), "A");
    EXPECT_EQ(match.GetCurrentIndex(), 0);
    EXPECT_EQ(miss(), "B");
    EXPECT_EQ(match.GetCurrentIndex(), 1);
    EXPECT_EQ(miss(), "A");
    EXPECT_EQ(miss(), "B");
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 2);
    EXPECT_EQ(match.GetPlayer(1)->StrokesOn(0), 2);
}

TEST_F(MatchTest, PlayerWhoHolesOutIsNotHandedOutAgain) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_TRUE(startHole());

    EXPECT_EQ(sink(), "A");
    EXPECT_FALSE(match.GetPlayer(0)->IsOnHole());
    EXPECT_EQ(miss(), "B");
    EXPECT_EQ(miss(), "B");
    EXPECT_EQ(sink(), "B");
    EXPECT_EQ(match.NextPlayer(), nullptr) << "everybody holed out: the hole is finished";
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 1);
    EXPECT_EQ(match.GetPlayer(1)->StrokesOn(0), 3);
}

TEST_F(MatchTest, SeventhMissEndsTheHoleWithEightStrokes) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_TRUE(startHole());

    for (int cycle = 0; cycle < 7; ++cycle) {
        EXPECT_EQ(miss(), "A");
        if (cycle < 3) {
            EXPECT_EQ(miss(), "B");
        } else if (cycle == 3) {
            EXPECT_EQ(sink(), "B");
        }
    }
    EXPECT_EQ(match.NextPlayer(), nullptr);
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 8);
    EXPECT_FALSE(match.GetPlayer(0)->IsOnHole());
    EXPECT_EQ(match.GetPlayer(0)->PuttCount(), 7) << "the added stroke is not a putt";
    EXPECT_EQ(match.GetPlayer(1)->StrokesOn(0), 4);
}

// Regression: a player taken off at the limit kept its pending turn, so no new turn cycle
// started and the others' hole ended while they were still on it.
TEST_F(MatchTest, PlayerStoppedAtTheLimitDoesNotEndTheOthersHole) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_TRUE(startHole());
    giveStrokes(0, Player::StrokeLimit);

    EXPECT_EQ(miss(), "B") << "A leaves the hole on the way";
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 8);
    EXPECT_EQ(miss(), "B");
    EXPECT_EQ(sink(), "B");
    EXPECT_EQ(match.NextPlayer(), nullptr);
}

TEST_F(MatchTest, NextHoleBringsEveryPlayerBackUntilTheMatchIsOver) {
    addHole("h1");
    addHole("h2");
    addPlayers({"A", "B"});
    EXPECT_EQ(match.GetHole(), -1);
    EXPECT_FALSE(match.IsOver());
    ASSERT_TRUE(startHole());
    EXPECT_EQ(sink(), "A");
    EXPECT_EQ(sink(), "B");
    ASSERT_EQ(match.NextPlayer(), nullptr);

    ASSERT_TRUE(startHole());
    EXPECT_EQ(match.GetHole(), 1);
    EXPECT_TRUE(match.GetPlayer(0)->IsOnHole());
    EXPECT_EQ(miss(), "A");
    EXPECT_EQ(sink(), "B");
    EXPECT_EQ(sink(), "A");

    EXPECT_FALSE(match.NextHole());
    EXPECT_TRUE(match.IsOver());
    EXPECT_FALSE(match.NextHole()) << "an ended match stays ended";
    EXPECT_EQ(match.GetHole(), match.LevelCount());
    EXPECT_EQ(match.NextPlayer(), nullptr);
    EXPECT_FALSE(match.RecordCurrentPutt(1.0, 0.0));
}

TEST_F(MatchTest, NobodyPuttsOutsideAHole) {
    addPlayers({"A"});
    EXPECT_EQ(match.NextPlayer(), nullptr) << "before the first hole";
    EXPECT_FALSE(match.RecordCurrentPutt(1.0, 0.0));
    EXPECT_EQ(match.GetPlayer(0)->PuttCount(), 0);
    EXPECT_FALSE(match.NextHole()) << "a match without levels is over at once";
    EXPECT_TRUE(match.IsOver());
}

TEST_F(MatchTest, PuttRecordsNumberStrokesPerHoleFromWhereTheBallLay) {
    addHole("h1");
    addHole("h2");
    addPlayers({"A"});
    const Ball& ball = match.GetPlayer(0)->GetBall();
    ASSERT_TRUE(startHole());
    miss();
    const double restX = ball.GetX();
    const double restY = ball.GetY();
    miss();
    sink();
    ASSERT_TRUE(startHole());
    miss();
    sink();

    const Player& a = *match.GetPlayer(0);
    ASSERT_EQ(a.PuttCount(), 5);
    std::string holesAndStrokes;
    for (std::int32_t i = 0; i < 5; ++i) {
        holesAndStrokes += std::to_string(a.GetPutt(i)->hole + 1) + ":" +
                           std::to_string(a.GetPutt(i)->stroke) + " ";
    }
    EXPECT_EQ(holesAndStrokes, "1:1 1:2 1:3 2:1 2:2 ");
    EXPECT_EQ(a.GetPutt(0)->x, level.startX());
    EXPECT_EQ(a.GetPutt(0)->y, level.startY());
    EXPECT_NE(restX, level.startX()) << "the first putt moved the ball";
    EXPECT_EQ(a.GetPutt(1)->x, restX);
    EXPECT_EQ(a.GetPutt(1)->y, restY);
    EXPECT_EQ(a.GetPutt(4)->speed, 0.1);
    EXPECT_EQ(a.GetPutt(5), nullptr);
}

TEST_F(MatchTest, LeaderHasFewestStrokesAndTiesAreAllWinners) {
    addPlayers({"A", "B", "C"});
    giveStrokes(0, 20);
    giveStrokes(1, 18);
    giveStrokes(2, 18);
    EXPECT_EQ(match.Leader(), 1) << "the earliest of equal totals";
    EXPECT_EQ(match.Winners(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(match.WinnersText(), "B, C");

    giveStrokes(2, 1);
    EXPECT_EQ(match.WinnersText(), "B");
    giveStrokes(1, 2);
    EXPECT_EQ(match.Leader(), 2);
    EXPECT_EQ(match.WinnersText(), "C");
}

// Regression: the winners of a match without players were read from a player that does not
// exist.
TEST_F(MatchTest, MatchWithoutPlayersHasNoWinners) {
    EXPECT_EQ(match.Leader(), 0);
    EXPECT_TRUE(match.Winners().empty());
    EXPECT_EQ(match.WinnersText(), "");
}

TEST_F(MatchTest, RestartForgetsScoresAndKeepsPlayersLevelsAndCourse) {
    addHole("h1");
    addHole("h2");
    match.SetName("4711");
    addPlayers({"A", "B"});
    ASSERT_TRUE(startHole());
    miss();
    sink();
    sink();
    ASSERT_TRUE(startHole());
    miss();

    match.Restart();
    EXPECT_EQ(match.GetHole(), -1);
    EXPECT_EQ(match.GetCurrentIndex(), 0);
    EXPECT_EQ(match.PlayerCount(), 2);
    EXPECT_EQ(match.LevelCount(), 2);
    EXPECT_EQ(match.GetName(), "4711");
    for (std::int32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(match.GetPlayer(i)->TotalStrokes(), 0);
        EXPECT_EQ(match.GetPlayer(i)->PuttCount(), 0);
    }
    ASSERT_TRUE(startHole());
    EXPECT_EQ(match.GetHole(), 0);
    EXPECT_EQ(miss(), "A");
    EXPECT_EQ(match.GetPlayer(0)->GetPutt(0)->stroke, 1);
}

TEST_F(MatchTest, ClearEmptiesTheMatch) {
    addHole("h1");
    match.SetName("4711");
    addPlayers({"A", "B"});
    ASSERT_TRUE(startHole());
    miss();
    miss();

    match.Clear();
    EXPECT_EQ(match.PlayerCount(), 0);
    EXPECT_EQ(match.LevelCount(), 0);
    EXPECT_EQ(match.GetName(), "");
    EXPECT_EQ(match.GetHole(), -1);
    EXPECT_EQ(match.GetCurrentPlayer(), nullptr);
    EXPECT_FALSE(match.IsOver());
}

}  // namespace
}  // namespace trundlex::testing
