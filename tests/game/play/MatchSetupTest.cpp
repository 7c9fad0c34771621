// Setting a match up: the level list and its course ID, level lookup in the library, players
// and their connections, copies, and what every ball gets from the match.
#include <functional>
#include <string>
#include <tuple>

#include "game/play/MatchFixture.h"

namespace trundlex::testing {
namespace {

class MatchLevelsTest : public MatchTest {
protected:
    void fiveHoles() {
        for (std::string_view id : {"A", "B", "C", "D", "E"}) {
            match.AddLevel(id);
        }
    }
    std::string order() const {
        std::string ids;
        for (std::int32_t i = 0; i < match.LevelCount(); ++i) {
            ids += match.GetLevelId(i);
        }
        return ids;
    }
};

TEST_F(MatchLevelsTest, EveryChangeOfTheLevelListEmptiesTheCourseId) {
    fiveHoles();
    const std::vector<std::function<void()>> changes{
        [&] { match.AddLevel("F"); },
        [&] { EXPECT_TRUE(match.RemoveLevel(0)); },
        [&] { match.MoveLevelsUp(std::vector<std::int32_t>{2}); },
        [&] { match.MoveLevelsDown(std::vector<std::int32_t>{1}); },
        [&] { match.ClearLevels(); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        match.SetName("-12345");
        changes[i]();
        EXPECT_EQ(match.GetName(), "") << "change " << i;
    }
    fiveHoles();
    match.SetName("77");
    EXPECT_FALSE(match.RemoveLevel(5)) << "no such hole: nothing changes";
    EXPECT_EQ(order(), "ABCDE");
    EXPECT_EQ(match.GetName(), "77");
}

// Regression: swapping each selected hole with its neighbour let a selection at the edge
// reshuffle itself (A B selected and moved up gave B A).
TEST_F(MatchLevelsTest, SelectedHolesMoveOnePlaceInTheirOrderAndAtTheEdgeStayInPlace) {
    fiveHoles();
    // Each move starts from the order the one before left.
    const std::tuple<bool, std::vector<std::int32_t>, const char*> moves[] = {
        {true, {3, 2}, "ACDBE"},         {false, {1, 2}, "ABCDE"},   {true, {0, 1}, "ABCDE"},
        {false, {3, 4}, "ABCDE"},        {true, {0, 1, 3}, "ABDCE"},  // only the hole away from the
                                                                      // edge moves
        {false, {2, 2, 9, -1}, "ABCDE"},  // repeated and out-of-range indices are ignored
        {true, {1, 3}, "BADCE"}};
    for (const auto& [up, selected, after] : moves) {
        up ? match.MoveLevelsUp(selected) : match.MoveLevelsDown(selected);
        EXPECT_EQ(order(), after);
    }
}

TEST_F(MatchLevelsTest, LevelsLoadByIdFromTheLibraryAndAnUnknownIdLeavesTheLevelAlone) {
    addHole("first");
    addHole("second");
    match.AddLevel("not-in-library");
    EXPECT_FALSE(match.AllLevelsAvailable(library));
    EXPECT_EQ(match.LoadCurrentLevel(library, level), LevelLoadResult::NoSuchHole)
        << "no hole before the match starts";
    ASSERT_TRUE(match.NextHole());
    EXPECT_EQ(match.LoadCurrentLevel(library, level), LevelLoadResult::Loaded);
    EXPECT_EQ(level.id(), "first");
    EXPECT_EQ(match.LoadLevel(1, library, level), LevelLoadResult::Loaded);
    EXPECT_EQ(level, library.at(1));

    EXPECT_EQ(match.LoadLevel(2, library, level), LevelLoadResult::MissingLevel);
    EXPECT_EQ(match.LoadLevel(3, library, level), LevelLoadResult::NoSuchHole);
    ASSERT_TRUE(match.NextHole());
    ASSERT_TRUE(match.NextHole());
    EXPECT_EQ(match.LoadCurrentLevel(library, level), LevelLoadResult::MissingLevel);
    EXPECT_EQ(level, library.at(1));
    match.RemoveLevel(2);
    EXPECT_TRUE(match.AllLevelsAvailable(library));
}

TEST_F(MatchTest, PlayersOfAConnectionAreRemovedOrReleasedTogether) {
    match.AddPlayer("A", 0, 0, false, 7);
    match.AddPlayer("B", 0, 0, false, Player::LocalConnection);
    match.AddPlayer("C", 0, 0, false, 7);
    match.AddPlayer("D", 0, 0, false, 9);

    Match inGame = match;
    EXPECT_EQ(inGame.ReleasePlayersOf(7), 2);
    EXPECT_TRUE(inGame.GetPlayer(2)->IsLocalPlayer());
    EXPECT_FALSE(inGame.GetPlayer(2)->IsCreatedLocal()) << "it joined through a connection";
    EXPECT_FALSE(inGame.GetPlayer(3)->IsLocalPlayer());
    inGame.MakeAllLocal();
    EXPECT_TRUE(inGame.GetPlayer(3)->IsLocalPlayer());

    EXPECT_EQ(match.RemovePlayersOf(7), 2);
    ASSERT_EQ(match.PlayerCount(), 2);
    EXPECT_EQ(match.GetPlayer(0)->GetName() + match.GetPlayer(1)->GetName(), "BD");
}

TEST_F(MatchTest, RemovingPlayersKeepsTheTurnOnAValidPlayer) {
    startLocal({"h1"}, {"A", "B", "C"});
    EXPECT_EQ(missPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");
    EXPECT_EQ(missPutt(), "B");
    ASSERT_EQ(advanceTo(), "C");

    EXPECT_TRUE(match.RemovePlayer(0));
    EXPECT_EQ(match.GetCurrentPlayer()->GetName(), "C") << "an earlier player left";
    EXPECT_TRUE(match.RemovePlayer(1));
    EXPECT_EQ(match.GetCurrentPlayer()->GetName(), "B") << "the current player left";
    EXPECT_FALSE(match.RemovePlayer(1));
    EXPECT_TRUE(match.RemovePlayer(0));
    EXPECT_EQ(match.GetCurrentPlayer(), nullptr);
}

TEST_F(MatchTest, PlayersAndBallsKeepTheirAddressesWhileOthersComeAndGo) {
    addPlayers({"A", "B"});
    const Player* b = match.GetPlayer(1);
    const Ball* ballB = &b->GetBall();
    addPlayers({"C", "D", "E", "F", "G", "H", "I"});
    ASSERT_TRUE(match.RemovePlayer(0));
    EXPECT_EQ(match.GetPlayer(0), b);

    Match moved = std::move(match);
    EXPECT_EQ(moved.GetPlayer(0), b);
    EXPECT_EQ(&moved.GetPlayer(0)->GetBall(), ballB);
}

TEST_F(MatchTest, CopyIsAnIndependentMatchWithItsOwnBalls) {
    addHole("h1");
    match.SetName("99");
    match.AddPlayer("A", 0x123456, 3, true, Player::LocalConnection);
    match.GetPlayer(0)->SetComputer(ComputerStrength::Medium);
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    missPutt();

    Match copy = match;
    Match assigned;
    assigned = match;
    const Player& original = *match.GetPlayer(0);
    const Player& copied = *copy.GetPlayer(0);
    EXPECT_EQ(copy.GetName(), "99");
    EXPECT_EQ(copy.GetHole(), 0);
    EXPECT_EQ(*copied.GetPutt(0), *original.GetPutt(0));
    EXPECT_NE(&copied.GetBall(), &original.GetBall());
    EXPECT_EQ(copied.GetStyle(), (BallStyle{0x123456u, 3, true}));
    EXPECT_EQ(copied.GetBall().GetX(), original.GetBall().GetX());
    // The wizard's set-up reaches the game as a copy: the computer must still play.
    EXPECT_EQ(copied.GetComputer(), ComputerStrength::Medium);
    EXPECT_EQ(assigned.GetPlayer(0)->GetComputer(), ComputerStrength::Medium);

    copy.AddLevel("h2");
    copy.GetPlayer(0)->AddStroke(0);
    EXPECT_EQ(match.LevelCount(), 1);
    EXPECT_EQ(original.StrokesOn(0), 1);
}

// Without the match handing its sound player to balls it creates later, players added after
// set-up (or taken over from the new-game wizard) would putt in silence.
TEST_F(MatchTest, BallsAddedLaterGetTheMatchsSoundPlayer) {
    struct Sounds : SoundPlayer {
        void play(std::string_view file) override { played.emplace_back(file); }
        std::vector<std::string> played;
    } sounds;
    addHole("h1");
    match.SetSoundPlayerForAllBalls(&sounds);

    Match wizard;
    wizard.AddLevel("h1");
    wizard.AddPlayer("A", 0, 0, false, Player::LocalConnection);
    match = wizard;
    addPlayers({"B"});
    ASSERT_EQ(flow.restart(true).outcome, FlowOutcome::Turn);
    EXPECT_EQ(sinkPutt(), "A");
    EXPECT_EQ(advanceTo(), "B");
    EXPECT_EQ(sinkPutt(), "B");
    EXPECT_EQ(sounds.played,
              (std::vector<std::string>{std::string(SoundInCup), std::string(SoundInCup)}));
    match.SetSoundPlayerForAllBalls(nullptr);
}

}  // namespace
}  // namespace trundlex::testing
