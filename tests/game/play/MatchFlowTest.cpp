// The turn and hole flow a view or a host drives: local and network starts, turns, holes,
// the end of the match, and calls that arrive in the wrong phase.
#include <numbers>

#include "game/play/MatchFixture.h"
#include "play/MatchFlow.h"

namespace trundlex::testing {
namespace {

class MatchFlowTest : public MatchTest {
protected:
    // Plays the turn of whoever has it, through the flow: a short roll that stays out of the
    // cup, or one that drops in. Returns the player's name.
    std::string putt(bool sink) {
        Player* player = flow.currentPlayer();
        if (player == nullptr) {
            ADD_FAILURE() << "nobody has the turn";
            return "";
        }
        Ball& ball = player->GetBall();
        if (sink) {
            ball.SetX(CupX);
            ball.SetY(CupY);
        }
        const double speed = sink ? 0.1 : 0.6;
        const double heading = sink ? 0.0 : std::numbers::pi;
        EXPECT_TRUE(flow.startPutt(speed, heading));
        EXPECT_TRUE(ball.PuttNow(speed, heading, &owner, Fastest));
        EXPECT_TRUE(flow.ballStopped(owner.last == BallInCup));
        return player->GetName();
    }
    std::string missPutt() { return putt(false); }
    std::string sinkPutt() { return putt(true); }
    // The name of the player the next advance hands the turn to; "" for any other outcome.
    std::string advanceTo() {
        const FlowStep step = flow.advance();
        return step.outcome == FlowOutcome::Turn ? step.player->GetName() : "";
    }

    MatchFlow flow{match, library, level};
};

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
    EXPECT_EQ(match.GetHole(), 1);
    EXPECT_EQ(level.id(), "h2");
    EXPECT_DOUBLE_EQ(match.GetPlayer(0)->GetBall().GetX(), 1.5) << "back on the start";

    EXPECT_EQ(sinkPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");
    EXPECT_EQ(sinkPutt(), "B");
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Over);
    EXPECT_EQ(flow.phase(), FlowPhase::Over);
    EXPECT_EQ(flow.currentPlayer(), nullptr);
    EXPECT_EQ(match.WinnersText(), "A");
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused) << "over stays over";
}

TEST_F(MatchFlowTest, NetworkStartSetsTheHoleUpAndWaitsForTheFirstTurn) {
    addHole("h1");
    addPlayers({"A", "B"});

    const FlowStep ready = flow.restart(false);
    EXPECT_EQ(ready.outcome, FlowOutcome::HoleReady);
    EXPECT_TRUE(ready.holeStarted);
    EXPECT_EQ(flow.phase(), FlowPhase::HoleReady);
    EXPECT_EQ(level.id(), "h1");
    EXPECT_EQ(flow.currentPlayer(), nullptr);
    EXPECT_FALSE(flow.startPutt(1.0, 0.0)) << "no putt before the start";

    const FlowStep start = flow.advance();
    ASSERT_EQ(start.outcome, FlowOutcome::Turn);
    EXPECT_FALSE(start.holeStarted);
    EXPECT_EQ(start.player->GetName(), "A");
}

TEST_F(MatchFlowTest, CallsOutOfPhaseNeitherSkipTurnsNorCountStrokesTwice) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);

    EXPECT_FALSE(flow.ballStopped(false)) << "nothing rolls yet";
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused) << "A has not putted";
    EXPECT_EQ(flow.currentPlayer()->GetName(), "A");

    ASSERT_TRUE(flow.startPutt(0.6, std::numbers::pi));
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

TEST_F(MatchFlowTest, ResumeGivesTheSamePlayerTheTurnAgain) {
    addHole("h1");
    addPlayers({"A", "B"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);

    const FlowStep again = flow.resume();
    ASSERT_EQ(again.outcome, FlowOutcome::Turn);
    EXPECT_EQ(again.player->GetName(), "A");
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 0);

    ASSERT_TRUE(flow.startPutt(0.6, std::numbers::pi));
    EXPECT_EQ(flow.resume().outcome, FlowOutcome::Refused) << "A's ball rolls";
}

TEST_F(MatchFlowTest, ResetForgetsTheTurnAndLeavesTheMatchAlone) {
    addHole("h1");
    addHole("h2");
    addPlayers({"A", "B"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    EXPECT_EQ(missPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");

    flow.reset();
    EXPECT_EQ(flow.phase(), FlowPhase::Idle);
    EXPECT_EQ(flow.currentPlayer(), nullptr);
    EXPECT_EQ(flow.resume().outcome, FlowOutcome::Refused);
    EXPECT_FALSE(flow.startPutt(0.6, std::numbers::pi)) << "nobody has the turn";
    EXPECT_FALSE(flow.ballStopped(false));
    EXPECT_EQ(match.GetHole(), 0);
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 1);
    EXPECT_EQ(match.GetPlayer(1)->StrokesOn(0), 0) << "B's turn was forgotten, not played";

    const FlowStep again = flow.restart(true);
    ASSERT_EQ(again.outcome, FlowOutcome::Turn);
    EXPECT_EQ(again.player->GetName(), "A");
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), 0);
}

TEST_F(MatchFlowTest, MissingLevelStopsTheMatchAtThatHole) {
    addHole("h1");
    match.AddLevel("not-in-library");
    addPlayers({"A"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    EXPECT_EQ(sinkPutt(), "A");

    EXPECT_EQ(flow.advance().outcome, FlowOutcome::MissingLevel);
    EXPECT_EQ(flow.phase(), FlowPhase::Broken);
    EXPECT_EQ(level.id(), "h1") << "the level is left as it was";
    EXPECT_EQ(flow.advance().outcome, FlowOutcome::Refused);
}

TEST_F(MatchFlowTest, MatchWithoutLevelsOrPlayersIsOverAtOnce) {
    addPlayers({"A"});
    EXPECT_EQ(flow.restart(true).outcome, FlowOutcome::Over);

    match.Clear();
    addHole("h1");
    addHole("h2");
    EXPECT_EQ(flow.restart(true).outcome, FlowOutcome::Over) << "nobody to hand a turn to";
    EXPECT_EQ(match.GetHole(), 2);
}

TEST_F(MatchFlowTest, SeventhMissEndsTheHoleWithEightStrokes) {
    addHole("h1");
    addHole("h2");
    addPlayers({"A"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    for (int stroke = 1; stroke < Player::StrokeLimit; ++stroke) {
        EXPECT_EQ(missPutt(), "A");
        EXPECT_EQ(advanceTo(), "A");
    }
    EXPECT_EQ(missPutt(), "A");

    const FlowStep next = flow.advance();
    EXPECT_TRUE(next.holeStarted);
    EXPECT_EQ(match.GetHole(), 1);
    EXPECT_EQ(match.GetPlayer(0)->StrokesOn(0), Player::LimitScore);
}

TEST_F(MatchFlowTest, RestartPlaysFromTheFirstHoleWithNoStrokes) {
    addHole("h1");
    addHole("h2");
    addPlayers({"A", "B"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    sinkPutt();
    advanceTo();
    sinkPutt();
    ASSERT_TRUE(flow.advance().holeStarted);
    ASSERT_EQ(match.GetHole(), 1);

    const FlowStep again = flow.restart(true);
    ASSERT_EQ(again.outcome, FlowOutcome::Turn);
    EXPECT_EQ(again.player->GetName(), "A");
    EXPECT_EQ(match.GetHole(), 0);
    EXPECT_EQ(level.id(), "h1");
    EXPECT_EQ(match.GetPlayer(0)->TotalStrokes(), 0);
    EXPECT_EQ(match.GetPlayer(1)->PuttCount(), 0);
}

}  // namespace
}  // namespace trundlex::testing
