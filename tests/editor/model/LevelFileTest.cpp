#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "level/LevelFile.h"
#include "level/LevelId.h"
#include "support/AsciiLevel.h"
#include "util/SafeFile.h"

namespace trundlex::testing {
namespace {

namespace fs = std::filesystem;

// 5 March 2026, 14:07:09: day 64 of the year.
std::tm marchFifth(int second) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_yday = 63;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = second;
    return t;
}

LocalClock clockAt(int second) {
    return [second] { return marchFifth(second); };
}

TEST(LevelIdentity, HashOfASmallLevelMatchesTheRuleByHand) {
    // 2 x 2, all flat grass except a flat wall at column 1, row 0. Every block adds shape,
    // back slope, front kind, back kind and front slope, column by column, so the hash is the
    // base-37 number of these twenty digits, kept to 32 bits:
    //   (0 8 0 0 8) (0 8 0 0 8) (0 8 0 1 8) (0 8 0 0 8)
    //   = 135123100003242311028670496009 = 1690074377 (mod 2^32), positive as int32.
    Level level(2, 2);
    level.block(1, 0).back() = Material(Wall, Flat);
    EXPECT_EQ(makeLevelId(level, marchFifth(9)),
              "1690074377"
              "2026"
              "03"
              "064"
              "14"
              "05"
              "09");
}

TEST(LevelIdentity, RotationDoesNotTakePartButShapeDoes) {
    Level level(2, 2);
    level.block(0, 0).fromText("T0G8W8");
    const std::string id = makeLevelId(level, marchFifth(0));
    level.block(0, 0).setRotation(3);
    EXPECT_EQ(makeLevelId(level, marchFifth(0)), id);
    level.block(0, 0).setShape(Circle);
    EXPECT_NE(makeLevelId(level, marchFifth(0)), id);
}

class LevelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One folder per test: ctest runs the tests of this file in parallel.
        dir_ = fs::temp_directory_path() /
               ("trundlex-editor-file-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }
    void writeBytes(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    Level sample() const {
        Level level = asciiLevel({"#####", "#.o.#", "#~s>#", "#####"});
        level.setName("Sample");
        level.setCreator("Tester");
        level.setStart(1.5, 1.5);
        return level;
    }

    fs::path dir_;
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

TEST_F(LevelFileTest, SameBlocksSavedAtTwoSecondsGetTwoIdsWithTheSameHash) {
    Level level = sample();
    ASSERT_TRUE(saveLevelFile(level, path("a.lev"), clockAt(9)));
    const std::string first = level.id();
    ASSERT_TRUE(saveLevelFile(level, path("a.lev"), clockAt(10)));
    const std::string second = level.id();
    ASSERT_NE(first, second);
    // The time takes the last fifteen characters; what comes before is the hash.
    ASSERT_GT(first.size(), 15u);
    EXPECT_EQ(first.substr(0, first.size() - 15), second.substr(0, second.size() - 15));
    EXPECT_EQ(first.substr(first.size() - 2), "09");
    EXPECT_EQ(second.substr(second.size() - 2), "10");
}

TEST_F(LevelFileTest, FailedSaveKeepsTheOldIdAndTheLevelModified) {
    Level level = sample();
    level.setId("old-id");
    level.setModified(false);
    std::string error;
    EXPECT_FALSE(saveLevelFile(level, path("missing-folder/level.lev"), clockAt(1), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(level.id(), "old-id");
    EXPECT_TRUE(level.isModified()) << "what is on screen is not what is on disk";
}

TEST_F(LevelFileTest, FailedSaveLeavesWhatWasAtThePathAlone) {
    // A folder stands where the file should go: the rename fails at the very end.
    fs::create_directories(dir_ / "taken.lev");
    writeBytes(path("taken.lev/keep.txt"), "kept");
    Level level = sample();
    EXPECT_FALSE(saveLevelFile(level, path("taken.lev"), clockAt(1)));
    std::string kept;
    ASSERT_TRUE(readWholeFile(path("taken.lev/keep.txt"), kept));
    EXPECT_EQ(kept, "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "no temporary file left";
}

TEST_F(LevelFileTest, ForeignOrDamagedFilesLeaveTheLevelUntouched) {
    Level level = sample();
    level.setModified(true);
    const Level before = level;

    writeBytes(path("notes.lev"), "\x0bhello world");
    EXPECT_EQ(loadLevelFile(path("notes.lev"), level), LevelLoadResult::NotALevel);
    EXPECT_EQ(level, before);

    writeBytes(path("empty.lev"), "");
    EXPECT_EQ(loadLevelFile(path("empty.lev"), level), LevelLoadResult::NotALevel);

    // A level file cut off in the middle of its cells.
    Level saved = sample();
    ASSERT_TRUE(saveLevelFile(saved, path("whole.lev"), clockAt(3)));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path("whole.lev"), bytes));
    writeBytes(path("cut.lev"), bytes.substr(0, bytes.size() - 20));
    EXPECT_EQ(loadLevelFile(path("cut.lev"), level), LevelLoadResult::NotALevel);

    EXPECT_EQ(loadLevelFile(path("nowhere.lev"), level), LevelLoadResult::Unreadable);
    EXPECT_EQ(level, before);
}

}  // namespace
}  // namespace trundlex::testing
