#pragma once

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "library/LevelLibrary.h"
#include "play/Match.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {

// Remembers how the last putt ended.
class StopRecorder : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification code) override {
        if (code != BallMoved) {
            last = code;
        }
    }
    BallNotification last = BallMoved;
};

// A match on levels held in an in-memory library, played with real synchronous putts the way
// a program without windows follows it.
class MatchTest : public ::testing::Test {
protected:
    static constexpr double CupX = 4.5;
    static constexpr double CupY = 1.5;

    // A library level with this ID: open grass with a cup, the start well away from it.
    Level libraryLevel(std::string_view id) {
        Level hole = asciiLevel({"#########", "#...O...#", "#.......#", "#########"});
        hole.setId(id);
        hole.setStart(1.5, 2.5);
        return hole;
    }
    // A hole the library knows.
    void addHole(std::string_view id) {
        library.add(libraryLevel(id));
        match.AddLevel(id);
    }
    void addPlayers(const std::vector<std::string_view>& names) {
        for (std::string_view name : names) {
            match.AddPlayer(name, 0x0000FF, 0, false, Player::LocalConnection);
        }
    }
    // Starts the next hole as the game view does; false when the match is over.
    bool startHole() {
        if (!match.NextHole()) {
            return false;
        }
        EXPECT_EQ(match.LoadCurrentLevel(library, level), LevelLoadResult::Loaded);
        match.SetLevelForAllBalls(level);
        return true;
    }
    // Hands out the turn and plays it: a short roll that stays out of the cup, or one that
    // drops in. Returns the name of the player who putted, or "" when the hole is finished.
    std::string playTurn(bool sink) {
        Player* player = match.NextPlayer();
        if (player == nullptr) {
            return "";
        }
        Ball& ball = player->GetBall();
        if (sink) {
            ball.SetX(CupX);
            ball.SetY(CupY);
        }
        EXPECT_TRUE(match.RecordCurrentPutt(sink ? 0.1 : 0.6, sink ? 0.0 : std::numbers::pi));
        EXPECT_TRUE(ball.PuttNow(sink ? 0.1 : 0.6, sink ? 0.0 : std::numbers::pi, &owner, Fastest));
        match.CurrentBallStopped(owner.last == BallInCup);
        return player->GetName();
    }
    std::string miss() { return playTurn(false); }
    std::string sink() { return playTurn(true); }
    // Gives a player strokes on hole 0 directly, for scores without playing them.
    void giveStrokes(std::int32_t playerIndex, std::int32_t strokes) {
        for (std::int32_t i = 0; i < strokes; ++i) {
            match.GetPlayer(playerIndex)->AddStroke(0);
        }
    }

    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Level level;
    StopRecorder owner;
    Match match;  // after the level and the owner: its balls go first
};

}  // namespace trundlex::testing
