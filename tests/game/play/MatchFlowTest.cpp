// The turn and hole flow a view or a host drives: local and network starts, turn cycles,
// holing out, the stroke limit, holes, putt records, the end of the match and its winners,
// and calls that arrive in the wrong phase.
#include <numbers>

#include "game/play/MatchFixture.h"

namespace trundlex::testing {
namespace {

using MatchFlowTest = MatchTest;

TEST_F(MatchFlowTest, LocalMatchPlaysEveryHoleAndEndsOver) {
    addHole("h1");
    addHole("h2");
    addPlayers({"A", "B"});

    const FlowStep first = flow.restart(true);
    ASSERT_EQ(first.outcome, FlowOutcome::Turn);
    EXPECT_TRUE(first.holeStarted);
    EXPECT_EQ(first.player->GetName(), "A");
    EXPECT_EQ(level.id(), "h1");
    EXPECT_DOUBLE_EQ(match.GetPlayer(1)->GetBall().GetX(), 1.5) << "every ball on the start";

    EXPECT_EQ(sinkPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");
    EXPECT_EQ(missPutt(), "B");
    EXPECT_EQ(advanceTo(), "B") << "A holed out and is skipped";
    EXPECT_EQ(sinkPutt(), "B");

    const FlowStep secondHole = flow.advance();
    ASSERT_EQ(secondHole.outcome, FlowOutcome::Turn);
    EXPECT_TRUE(secondHole.holeStarted);
    EXPECT_EQ(secondHole.player->GetName(), "A");
    EXPECT_EQ(level.id(), "h2");
    EXPECT_DOUBLE_EQ(match.GetPlayer(0)->GetBall().GetX(), 1.5) << "back on the start";

    EXPECT_EQ(sinkPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");
    EXPECT_EQ(sinkPutt(), "B");
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Over);
    EXPECT_EQ(flow.currentPlayer(), nullptr);
    EXPECT_EQ(match.WinnersText(), "A");
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused) << "over stays over";
}

TEST_F(MatchFlowTest, PlayersTakeTurnsInListOrderCycleAfterCycle) {
    startLocal({"h1"}, {"A", "B", "C"});
    std::string order = missPutt();
    for (int turn = 1; turn < 6; ++turn) {
        order += advanceTo();
        missPutt();
    }
    EXPECT_EQ(order, "ABCABC");
    EXPECT_EQ(match.GetPlayer(2)->StrokesOn(0), 2);
}

// Regression: a player taken off at the limit kept its pending turn, so no new turn cycle
// started and the others' hole ended while they were still on it.
TEST_F(MatchFlowTest, PlayerStoppedAtTheLimitDoesNotEndTheOthersHole) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_EQ(flow.restart(false).outcome, FlowOutcome::HoleReady);
    giveStrokes(0, Player::StrokeLimit);
    EXPECT_EQ(advanceTo(), "B") << "A leaves the hole on the way";
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), Player::LimitScore);
    EXPECT_EQ(missPutt(), "B");
    EXPECT_EQ(advanceTo(), "B");
    EXPECT_EQ(sinkPutt(), "B");
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Over);
}

TEST_F(MatchFlowTest, NetworkStartSetsTheHoleUpAndWaitsForTheFirstTurn) {
    addHole("h1");
    addPlayers({"A", "B"});

    const FlowStep ready = flow.restart(false);
    EXPECT_EQ(ready.outcome, FlowOutcome::HoleReady);
    EXPECT_TRUE(ready.holeStarted);
    EXPECT_EQ(level.id(), "h1");
    EXPECT_EQ(flow.currentPlayer(), nullptr);
    EXPECT_FALSE(flow.startPutt(1.0, 0.0)) << "no putt before the start";

    const FlowStep start = flow.advance();
    ASSERT_EQ(start.outcome, FlowOutcome::Turn);
    EXPECT_FALSE(start.holeStarted);
    EXPECT_EQ(start.player->GetName(), "A");
}

TEST_F(MatchFlowTest, CallsOutOfPhaseNeitherSkipTurnsNorCountStrokesTwiceResumeKeepsTheTurn) {
    startLocal({"h1"}, {"A", "B"});

    EXPECT_FALSE(flow.ballStopped(false)) << "nothing rolls yet";
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused) << "A has not putted";
    const FlowStep again = flow.resume();
    ASSERT_EQ(again.outcome, FlowOutcome::Turn);
    EXPECT_EQ(again.player->GetName(), "A") << "resume gives the same player the turn again";

    ASSERT_TRUE(flow.startPutt(0.6, std::numbers::pi));
    EXPECT_EQ(flow.resume().outcome, FlowOutcome::Refused) << "A's ball rolls";
    EXPECT_FALSE(flow.startPutt(0.6, std::numbers::pi)) << "a second putt while rolling";
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused) << "the ball still rolls";
    EXPECT_EQ(flow.phase(), FlowPhase::Rolling);
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 1);
    EXPECT_EQ(match.GetPlayer(0)->PuttCount(), 1);

    EXPECT_TRUE(flow.ballStopped(false));
    EXPECT_FALSE(flow.ballStopped(true)) << "a late in-cup report changes nothing";
    EXPECT_TRUE(match.GetPlayer(0)->IsOnHole());
    EXPECT_EQ(advanceTo(), "B");
}

TEST_F(MatchFlowTest, ResetForgetsTheTurnAndLeavesTheMatchAlone) {
    startLocal({"h1", "h2"}, {"A", "B"});
    EXPECT_EQ(missPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");

    flow.reset();
    EXPECT_EQ(flow.phase(), FlowPhase::Idle);
    EXPECT_EQ(flow.currentPlayer(), nullptr);
    EXPECT_EQ(flow.resume().outcome, FlowOutcome::Refused);
    EXPECT_FALSE(flow.startPutt(0.6, std::numbers::pi)) << "nobody has the turn";
    EXPECT_EQ(match.GetHole(), 0);
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 1);
    EXPECT_EQ(match.GetPlayer(1)->StrokesOn(0), 0) << "B's turn was forgotten, not played";
}

TEST_F(MatchFlowTest, MissingLevelStopsTheMatchAtThatHole) {
    startLocal({"h1"}, {"A"});
    match.AddLevel("not-in-library");
    EXPECT_EQ(sinkPutt(), "A");

    EXPECT_EQ(flow.advance().outcome, FlowOutcome::MissingLevel);
    EXPECT_EQ(flow.phase(), FlowPhase::Broken);
    EXPECT_EQ(level.id(), "h1") << "the level is left as it was";
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused);
}

TEST_F(MatchFlowTest, MatchWithoutLevelsOrPlayersIsOverAtOnce) {
    startLocal({"h1"}, {"A"});
    match.SetName("4711");
    missPutt();
    match.Clear();
    EXPECT_EQ(match.PlayerCount() + match.LevelCount(), 0);
    EXPECT_EQ(match.GetName(), "");
    EXPECT_EQ(match.GetHole(), -1);
    EXPECT_EQ(match.GetCurrentPlayer(), nullptr);
    EXPECT_FALSE(match.IsOver());
    addPlayers({"A"});
    EXPECT_EQ(flow.restart(true).outcome, FlowOutcome::Over) << "no levels";

    match.Clear();
    addHole("h1");
    addHole("h2");
    EXPECT_EQ(flow.restart(true).outcome, FlowOutcome::Over) << "nobody to hand a turn to";
    EXPECT_EQ(match.GetHole(), 2);
}

TEST_F(MatchFlowTest, SeventhMissEndsTheHoleWithEightStrokes) {
    startLocal({"h1", "h2"}, {"A"});
    for (int stroke = 1; stroke < Player::StrokeLimit; ++stroke) {
        EXPECT_EQ(missPutt(), "A");
        EXPECT_EQ(advanceTo(), "A");
    }
    EXPECT_EQ(missPutt(), "A");

    EXPECT_TRUE(flow.advance().holeStarted);
    EXPECT_EQ(match.GetHole(), 1);
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), Player::LimitScore);
    EXPECT_EQ(match.GetPlayer(0)->PuttCount(), Player::StrokeLimit)
        << "the added stroke is not a putt";
}

TEST_F(MatchFlowTest, PuttRecordsNumberStrokesPerHoleFromWhereTheBallLay) {
    startLocal({"h1", "h2"}, {"A"});
    const Ball& ball = match.GetPlayer(0)->GetBall();
    missPutt();
    const double restX = ball.GetX();
    const double restY = ball.GetY();
    for (bool sink : {false, true, false, true}) {
        flow.advance();
        putt(sink);
    }

    const Player& a = *match.GetPlayer(0);
    ASSERT_EQ(a.PuttCount(), 5);
    std::string holesAndStrokes;
    for (std::int32_t i = 0; i < 5; ++i) {
        holesAndStrokes += std::to_string(a.GetPutt(i)->hole * 10 + a.GetPutt(i)->stroke) + " ";
    }
    EXPECT_EQ(holesAndStrokes, "1 2 3 11 12 ");
    EXPECT_EQ(std::pair(a.GetPutt(0)->x, a.GetPutt(0)->y), std::pair(1.5, 2.5));
    EXPECT_NE(restX, 1.5) << "the first putt moved the ball";
    EXPECT_EQ(std::pair(a.GetPutt(1)->x, a.GetPutt(1)->y), std::pair(restX, restY));
    EXPECT_EQ(a.GetPutt(4)->speed, 0.1);
    EXPECT_EQ(a.GetPutt(5), nullptr);
}

TEST_F(MatchFlowTest, LeaderHasFewestStrokesAndTiesAreAllWinners) {
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
TEST_F(MatchFlowTest, MatchWithoutPlayersHasNoWinners) {
    EXPECT_EQ(match.Leader(), 0);
    EXPECT_TRUE(match.Winners().empty());
    EXPECT_EQ(match.WinnersText(), "");
}

TEST_F(MatchFlowTest, RestartPlaysFromTheFirstHoleWithNoStrokesAndKeepsTheSetUp) {
    startLocal({"h1", "h2"}, {"A", "B"});
    match.SetName("4711");
    sinkPutt();
    advanceTo();
    sinkPutt();
    ASSERT_TRUE(flow.advance().holeStarted);
    ASSERT_EQ(match.GetHole(), 1);

    const FlowStep again = flow.restart(true);
    ASSERT_EQ(again.outcome, FlowOutcome::Turn);
    EXPECT_EQ(again.player->GetName(), "A");
    EXPECT_EQ(level.id(), "h1");
    EXPECT_EQ(match.GetPlayer(0)->TotalStrokes() + match.GetPlayer(1)->PuttCount(), 0);
    EXPECT_EQ(match.PlayerCount() + match.LevelCount(), 4);
    EXPECT_EQ(match.GetName(), "4711") << "the course is kept";
}

}  // namespace
}  // namespace trundlex::testing
