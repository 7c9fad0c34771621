// A game of one level file, as the game starts it from its command line.
#include <gtest/gtest.h>

#include "library/LevelLibrary.h"
#include "play/BallColours.h"
#include "play/LevelTryout.h"
#include "play/Match.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

class LevelTryoutTest : public ::testing::Test {
protected:
    LevelTryoutTest() {
        Level shipped(4, 4, "Shipped", "Team");
        shipped.setId("shipped-id");
        library.add(shipped);
    }
    // A level file in the test's folder; returns its path.
    std::string saveLevel(const char* name, const char* id, const char* levelName) {
        Level level(5, 5, levelName, "Ann");
        level.setId(id);
        const std::string path = folder / name;
        EXPECT_TRUE(writeLevelFile(level, path));
        return path;
    }
    // The level the match's hole is played on, as the game looks it up.
    Level holeLevel() const {
        Level level;
        EXPECT_EQ(setup.LoadLevel(0, library, level), LevelLoadResult::Loaded);
        return level;
    }

    TempFolder folder;
    LevelLibrary library{folder.path().string()};
    Match setup;
};

TEST_F(LevelTryoutTest, ALevelFileBecomesAOneHoleMatchForOnePlayerAndJoinsTheLibrary) {
    const std::string path = saveLevel("mine.lev", "mine-id", "Mine");
    ASSERT_EQ(setUpLevelTryout(path, "Ann", library, setup), LevelLoadResult::Loaded);
    ASSERT_EQ(setup.LevelCount(), 1);
    EXPECT_EQ(setup.GetLevelId(0), "mine-id");
    EXPECT_EQ(holeLevel().name(), "Mine");
    ASSERT_EQ(setup.PlayerCount(), 1);
    EXPECT_EQ(setup.GetPlayer(0)->GetName(), "Ann");
    EXPECT_EQ(setup.GetPlayer(0)->GetStyle().colour, ReadyMadeBallColours.front());
    EXPECT_EQ(setup.GetName(), "") << "no course, so no high scores";
    EXPECT_EQ(library.count(), 2);

    Match again;
    ASSERT_EQ(setUpLevelTryout(path, "Ann", library, again), LevelLoadResult::Loaded);
    EXPECT_EQ(library.count(), 2) << "a level the library holds is not added twice";
}

TEST_F(LevelTryoutTest, AFileWhoseIdBelongsToAnotherLevelIsPlayedAsTheFileHoldsIt) {
    const std::string path = saveLevel("edited.lev", "shipped-id", "Edited copy");
    ASSERT_EQ(setUpLevelTryout(path, "Ann", library, setup), LevelLoadResult::Loaded);
    EXPECT_NE(setup.GetLevelId(0), "shipped-id");
    EXPECT_EQ(holeLevel().name(), "Edited copy");
    EXPECT_EQ(library.at(library.findById("shipped-id")).name(), "Shipped") << "left as it was";

    const std::string noId = saveLevel("no-id.lev", "", "Without ID");
    Match other;
    ASSERT_EQ(setUpLevelTryout(noId, "Ann", library, other), LevelLoadResult::Loaded);
    EXPECT_FALSE(other.GetLevelId(0).empty());
    EXPECT_NE(other.GetLevelId(0), setup.GetLevelId(0));
}

TEST_F(LevelTryoutTest, AFileThatIsNoLevelChangesNothing) {
    writeBytes(folder / "notes.lev", "\x05hello");
    setup.AddLevel("kept");
    EXPECT_EQ(setUpLevelTryout(folder / "notes.lev", "Ann", library, setup),
              LevelLoadResult::NotALevel);
    EXPECT_EQ(setUpLevelTryout(folder / "missing.lev", "Ann", library, setup),
              LevelLoadResult::Unreadable);
    ASSERT_EQ(setup.LevelCount(), 1);
    EXPECT_EQ(setup.GetLevelId(0), "kept");
    EXPECT_EQ(library.count(), 1);
}

}  // namespace
}  // namespace trundlex::testing
