#include <gtest/gtest.h>

#include "level/LevelFile.h"
#include "level/LevelId.h"
#include "support/AsciiLevel.h"
#include "support/FixedTime.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

// 5 March 2026, 14:07 and `second`.
std::tm marchFifth(int second) {
    return marchFifthAt(7, second);
}

LocalClock clockAt(int second) {
    return [second] { return marchFifth(second); };
}

class LevelFileTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return folder / name; }

    Level sample() const {
        Level level = asciiLevel({"#####", "#.o.#", "#~s>#", "#####"});
        level.setName("Sample");
        level.setCreator("Tester");
        level.setStart(1.5, 1.5);
        return level;
    }

    TempFolder folder;
};

TEST_F(LevelFileTest, SavingStampsANewIdAndOpeningGivesTheSameLevelBack) {
    Level level = sample();
    level.setModified(true);
    ASSERT_TRUE(saveLevelFile(level, path("sample.lev"), clockAt(9)));
    EXPECT_FALSE(level.isModified());
    EXPECT_EQ(level.id(), makeLevelId(level, marchFifth(9)));

    Level opened;
    ASSERT_EQ(loadLevelFile(path("sample.lev"), opened), LevelLoadResult::Loaded);
    EXPECT_EQ(opened.toText(), level.toText());
    EXPECT_FALSE(opened.isModified());
}

TEST_F(LevelFileTest, WritingAsItIsKeepsTheIdAndAFailureKeepsWhatWasThere) {
    Level level = sample();
    level.setId("kept-id");
    ASSERT_TRUE(writeLevelFile(level, path("kept.lev")));
    Level opened;
    ASSERT_EQ(loadLevelFile(path("kept.lev"), opened), LevelLoadResult::Loaded);
    EXPECT_EQ(opened.id(), "kept-id");
    EXPECT_EQ(opened.toText(), level.toText());

    folder.write("taken.lev/keep.txt", "kept");
    std::string error;
    EXPECT_FALSE(writeLevelFile(level, path("taken.lev"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readBytes(path("taken.lev/keep.txt")), "kept");
}

TEST_F(LevelFileTest, FailedSaveKeepsTheOldIdTheLevelModifiedAndWhatWasAtThePath) {
    Level level = sample();
    level.setId("old-id");
    level.setModified(false);
    std::string error;
    EXPECT_FALSE(saveLevelFile(level, path("missing-folder/level.lev"), clockAt(1), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(level.id(), "old-id");
    EXPECT_TRUE(level.isModified()) << "what is on screen is not what is on disk";

    // A folder stands where the file should go: the rename fails at the very end.
    folder.write("taken.lev/keep.txt", "kept");
    EXPECT_FALSE(saveLevelFile(level, path("taken.lev"), clockAt(1)));
    EXPECT_EQ(readBytes(path("taken.lev/keep.txt")), "kept");
    EXPECT_EQ(folder.entryCount(), 1) << "no temporary file left";
}

}  // namespace
}  // namespace trundlex::testing
