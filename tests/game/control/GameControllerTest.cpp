// The rules of a game in progress, driven without a window: mouse putting through the force
// meter, turns and holes, the end of a match, computer players.
#include <cmath>

#include "ControllerFixture.h"
#include "support/TempFolder.h"
#include "util/FileLock.h"

namespace trundlex::testing {
namespace {

const double kPi = std::acos(-1.0);

class GameControllerTest : public ControllerTest {
protected:
    void SetUp() override {
        addLevel("hole-a", kRoom, 3.5, 2.5);
        addLevel("hole-b", kRoom, 2.5, 2.5);
    }

    void startPeople(std::vector<const char*> names, const std::string& course = {}) {
        std::vector<std::pair<const char*, ComputerStrength>> players;
        for (const char* name : names) {
            players.emplace_back(name, ComputerStrength::Person);
        }
        game().startMatch(setupOf(players, {"hole-a", "hole-b"}, course));
    }

    // Holds the button until the force passes `force`, one meter tick at a time.
    void chargeTo(double force) {
        game().beginCharge();
        for (int tick = 0; tick < 300 && game().force() <= force; ++tick) {
            clock_.advance(10);
        }
    }
};

TEST_F(GameControllerTest, ChargingAndReleasingPuttsAndPassesTheTurn) {
    startPeople({"Ann", "Bob"});
    ASSERT_EQ(game().state(), Aiming);
    ASSERT_EQ(game().currentPlayer(), game().match().GetPlayer(0));
    game().aimAt(0.0);
    chargeTo(1.5);
    EXPECT_EQ(game().state(), Charging);
    EXPECT_TRUE(view_.meterShown);
    game().releaseCharge();
    EXPECT_FALSE(view_.meterShown) << "the meter goes when the putt is made";
    EXPECT_EQ(strokes(0, 0), 1) << "the stroke counts when the putt is made";
    EXPECT_EQ(view_.rolls, 1);

    ASSERT_TRUE(loop_.runUntil([&] { return game().state() == Aiming; }));
    EXPECT_EQ(game().currentPlayer(), game().match().GetPlayer(1)) << "Bob's turn";
    EXPECT_FALSE(game().match().GetPlayer(0)->IsOnHole()) << "Ann's ball dropped";
}

TEST_F(GameControllerTest, ReleasingBeforeTheForceCountsMakesNoPutt) {
    startPeople({"Ann"});
    game().beginCharge();
    clock_.advance(50);
    game().releaseCharge();
    EXPECT_EQ(game().state(), Aiming) << "aim again";
    EXPECT_EQ(strokes(0, 0), 0);
    EXPECT_EQ(view_.rolls, 0);
    EXPECT_EQ(clock_.pendingTimers(), 0u) << "the meter no longer ticks";
}

TEST_F(GameControllerTest, HoldingUntilTheMeterIsFullPuttsAtFullForce) {
    startPeople({"Ann"});
    game().beginCharge();
    clock_.advance(10'000);
    EXPECT_EQ(strokes(0, 0), 1) << "the full meter putts by itself";
    EXPECT_EQ(game().match().GetPlayer(0)->GetPutt(0)->speed, 80.0);
    game().releaseCharge();
    EXPECT_EQ(strokes(0, 0), 1) << "letting go afterwards putts nothing more";
}

TEST_F(GameControllerTest, TheAimTremblesOnlyWhileTheForceBuildsUp) {
    startPeople({"Ann"});
    game().aimAt(1.0);
    EXPECT_EQ(game().aim(), 1.0);
    chargeTo(40.0);
    EXPECT_NE(game().aim(), 1.0) << "a hard putt trembles";
    game().releaseCharge();
    const double putted = game().match().GetPlayer(0)->GetPutt(0)->heading;
    EXPECT_EQ(putted, game().aim()) << "the putt goes where the aim trembled to";
    game().aimAt(2.0);
    EXPECT_EQ(game().aim(), putted) << "no aiming while the ball rolls";
}

TEST_F(GameControllerTest, HolesFollowEachOtherAndACourseGameEntersTheHighScores) {
    startPeople({"Ann", "Bob"}, "course-7");
    EXPECT_EQ(level_.id(), "hole-a");
    game().putt(0.0, 2.0);  // Ann
    ASSERT_TRUE(loop_.runUntil([&] { return game().match().GetCurrentIndex() == 1; }));
    game().putt(kPi, 6.0);  // Bob: off the wall and back in
    ASSERT_TRUE(loop_.runUntil([&] { return level_.id() == "hole-b"; }));
    EXPECT_EQ(game().match().GetHole(), 1);
    EXPECT_EQ(game().currentPlayer(), game().match().GetPlayer(0)) << "the next hole starts with Ann";
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{"hole 1", "hole 2"}));

    for (int putts = 0; putts < 2; ++putts) {
        ASSERT_TRUE(loop_.runUntil([&] { return game().state() == Aiming; }));
        game().putt(0.0, 3.0);
    }
    ASSERT_TRUE(loop_.runUntil([&] { return game().match().IsOver(); }));
    EXPECT_EQ(view_.endings, std::vector<std::string>{"Ann, Bob / course-7"});
    EXPECT_EQ(highScores_.entryCount("course-7"), 2);
    EXPECT_TRUE(game().isHighlightOn()) << "the winner's putts replay";
}

TEST_F(GameControllerTest, NoHighScoresWithoutACourseAndASaveThatFailsIsToldNamingTheFile) {
    const TempFolder folder;
    context_.highScorePath = folder / "highscore.dat";
    auto held = std::make_unique<FileLock>(context_.highScorePath);  // by a hung program
    for (const std::string course : {"", "course-7"}) {
        startPeople({"Ann"}, course);
        for (int hole = 0; hole < 2; ++hole) {
            ASSERT_TRUE(loop_.runUntil([&] { return game().state() == Aiming; }));
            game().putt(0.0, 2.0);
        }
        ASSERT_TRUE(loop_.runUntil([&] { return game().match().IsOver(); }));
    }
    EXPECT_EQ(view_.endings, (std::vector<std::string>{"Ann / ", "Ann / course-7"}));
    EXPECT_EQ(highScores_.courseCount(), 1);
    ASSERT_EQ(view_.unsavedScores.size(), 1u) << "told once, for the course game";
    EXPECT_EQ(view_.unsavedScores[0].first, context_.highScorePath);
    EXPECT_NE(view_.unsavedScores[0].second.find("is held by process"), std::string::npos);
    held.reset();
    ASSERT_TRUE(highScores_.save(context_.highScorePath)) << "the result waited for this save";
    HighScoreStore back;
    ASSERT_TRUE(back.load(context_.highScorePath));
    EXPECT_EQ(back.entryCount("course-7"), 1);
}

TEST_F(GameControllerTest, RestartStartsTheFirstHoleAgainWithNoStrokes) {
    startPeople({"Ann"});
    game().putt(kPi / 2, 1.0);
    ASSERT_TRUE(loop_.runUntil([&] { return game().state() == Aiming; }));
    EXPECT_TRUE(game().restartInterrupts()) << "worth asking while the match runs";
    game().restart();
    EXPECT_EQ(game().state(), Aiming);
    EXPECT_EQ(strokes(0, 0), 0);
    EXPECT_EQ(game().match().GetHole(), 0);
}

TEST_F(GameControllerTest, ACancelledLobbyLeavesNoGameButKeepsTheSetUp) {
    startPeople({"Ann"});
    game().prepareNetworkGame(setupOf({{"Ann", ComputerStrength::Person}}, {"hole-a"}), 1);
    game().lobbyEnded(false);
    EXPECT_FALSE(game().hasGame()) << "nothing is shown, so the start screen returns";
    EXPECT_FALSE(game().restartInterrupts()) << "quitting asks nothing";
    EXPECT_EQ(game().match().PlayerCount(), 1) << "the next new game starts from this set-up";
    startPeople({"Bo"});
    EXPECT_TRUE(game().hasGame());
}

// --- Computer players ---

class ComputerControllerTest : public ControllerTest {
protected:
    void SetUp() override {
        // The cup right of the start, and on the second level left of it, with water on the
        // right so that no putt to the right comes back off the wall.
        addLevel("cup-right", {"##########", "#........#", "#......O.#", "#........#", "##########"},
                 3.5, 2.5);
        addLevel("cup-left", {"##########", "#......~~#", "#.O....~~#", "#......~~#", "##########"},
                 5.5, 2.5);
    }
};

TEST_F(ComputerControllerTest, PlaysItsTurnsAmongPeopleAfterShowingItsAim) {
    game().startMatch(setupOf({{"Ann", ComputerStrength::Person}, {"Robo", ComputerStrength::Hard}},
                              {"cup-right", "cup-left"}));
    const Player& robo = *game().match().GetPlayer(1);
    for (int hole = 0; hole < 2; ++hole) {
        ASSERT_EQ(game().currentPlayer(), game().match().GetPlayer(0)) << "Ann putts herself";
        game().putt(hole == 0 ? 0.0 : kPi, 4.2);
        ASSERT_TRUE(loop_.runUntil([&] { return game().state() == ComputerThinking; }));
        game().beginCharge();
        EXPECT_EQ(game().state(), ComputerThinking) << "the mouse cannot putt for Robo";

        // The putt is worked out in the background, then shown for a moment before it is made.
        ASSERT_TRUE(loop_.runUntil([&] { return clock_.pendingTimers() > 0; }));
        clock_.advance(690);
        EXPECT_EQ(robo.PuttCount(), hole) << "still showing the aim";
        clock_.advance(10);
        EXPECT_EQ(robo.PuttCount(), hole + 1);
        ASSERT_TRUE(playUntil([&] { return game().match().GetHole() != hole || game().match().IsOver(); }));
    }
    ASSERT_TRUE(game().match().IsOver());
    EXPECT_EQ(robo.StrokesOn(0), 1) << "a straight putt on open grass";
    EXPECT_EQ(robo.StrokesOn(1), 1);
    EXPECT_LT(std::abs(robo.GetPutt(0)->heading), 0.2) << "to the right";
    EXPECT_GT(std::abs(robo.GetPutt(1)->heading), 2.9) << "to the left";
    EXPECT_TRUE(game().prepareReplay(1, 1)) << "its putts replay like anyone's";
    // Each "thinking" gives way to the hole's own line when Robo putts.
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{"hole 1", "Robo thinks", "thinking done",
                                                        "hole 2", "Robo thinks", "thinking done"}));
}

TEST_F(ComputerControllerTest, APuttWorkedOutBeforeANewGameIsNeverPlayedInIt) {
    game().startMatch(setupOf({{"Robo", ComputerStrength::Hard}}, {"cup-right"}));
    ASSERT_EQ(game().state(), ComputerThinking);
    // Worked out and shown, not yet putted: then a new game on a level with the cup on the left.
    ASSERT_TRUE(loop_.runUntil([&] { return clock_.pendingTimers() > 0; }));
    game().startMatch(setupOf({{"Robo", ComputerStrength::Hard}}, {"cup-left"}));
    ASSERT_TRUE(playUntil([&] { return game().match().IsOver(); }));
    const Player& robo = *game().match().GetPlayer(0);
    ASSERT_GE(robo.PuttCount(), 1);
    EXPECT_GT(std::abs(robo.GetPutt(0)->heading), 2.9)
        << "the first putt of the new game goes left, to its own cup";
}

TEST_F(ComputerControllerTest, ThinkingThatOutlivesTheControllerIsDropped) {
    game().startMatch(setupOf({{"Robo", ComputerStrength::Hard}}, {"cup-right"}));
    ASSERT_TRUE(loop_.waitForTask()) << "the putt is worked out and on its way";
    controller_.reset();
    loop_.runPending();
    EXPECT_EQ(clock_.pendingTimers(), 0u) << "nothing of the thinking reached the loop";
}

}  // namespace
}  // namespace trundlex::testing
