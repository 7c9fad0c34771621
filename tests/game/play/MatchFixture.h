#pragma once

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "library/LevelLibrary.h"
#include "play/Match.h"
#include "play/MatchFlow.h"
#include "support/AsciiLevel.h"
#include "support/SilentBallOwner.h"

namespace trundlex::testing {

// A match on levels held in an in-memory library, played with real synchronous putts the way
// a program without windows follows it.
class MatchTest : public ::testing::Test {
protected:
    // A hole the library knows: open grass with a cup, the start well away from it.
    void addHole(std::string_view id) {
        Level hole = asciiLevel({"#########", "#...O...#", "#.......#", "#########"});
        hole.setId(id);
        hole.setStart(1.5, 2.5);
        library.add(hole);
        match.AddLevel(id);
    }
    void addPlayers(const std::vector<std::string_view>& names) {
        for (std::string_view name : names) {
            match.AddPlayer(name, 0x0000FF, 0, false, Player::LocalConnection);
        }
    }
    // Adds the holes and the players and starts a local match: the first player has the turn.
    void startLocal(const std::vector<std::string_view>& holes,
                    const std::vector<std::string_view>& players) {
        for (std::string_view id : holes) {
            addHole(id);
        }
        addPlayers(players);
        ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    }
    // Plays the turn of whoever has it, through the flow, as a view or the host does: a short
    // roll that stays out of the cup, or one that drops in. Returns the player's name.
    std::string putt(bool sink) {
        Player* player = flow.currentPlayer();
        if (player == nullptr) {
            ADD_FAILURE() << "nobody has the turn";
            return "";
        }
        Ball& ball = player->GetBall();
        if (sink) {
            ball.SetX(4.5);  // the cup
            ball.SetY(1.5);
        }
        const double speed = sink ? 0.1 : 0.6;
        const double heading = sink ? 0.0 : std::numbers::pi;
        EXPECT_TRUE(flow.startPutt(speed, heading));
        EXPECT_TRUE(ball.PuttNow(speed, heading, &owner, Fastest));
        EXPECT_EQ(ball.IsSinking(), sink);
        EXPECT_TRUE(flow.ballStopped(sink));
        return player->GetName();
    }
    std::string missPutt() { return putt(false); }
    std::string sinkPutt() { return putt(true); }
    // The name of the player the next advance hands the turn to; "" for any other outcome.
    std::string advanceTo() {
        const FlowStep step = flow.advance();
        return step.outcome == FlowOutcome::Turn ? step.player->GetName() : "";
    }
    // Gives a player strokes on hole 0 directly, for scores without playing them.
    void giveStrokes(std::int32_t playerIndex, std::int32_t strokes) {
        for (std::int32_t i = 0; i < strokes; ++i) {
            match.GetPlayer(playerIndex)->AddStroke(0);
        }
    }

    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Level level;
    SilentBallOwner owner;
    Match match;  // after the level and the owner: its balls go first
    MatchFlow flow{match, library, level};
};

}  // namespace trundlex::testing
