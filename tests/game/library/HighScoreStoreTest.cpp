#include <gtest/gtest.h>

#include <set>

#include "LibraryTestSupport.h"
#include "support/ChildProcess.h"
#include "library/HighScoreStore.h"

namespace trundlex {
namespace {

using testing::ArchiveBytes;
using testing::FileSizeLimit;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

class HighScoreStoreTest : public ::testing::Test {
protected:
    // Ten results of 40 strokes on "course", added at times 100 ... 109.
    void fillWithTen(HighScoreStore& store) {
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(store.add("course", "p" + std::to_string(i), 40, 100 + i));
        }
    }

    std::vector<HighScoreEntry> entriesOf(const HighScoreStore& store, std::string_view id) {
        std::vector<HighScoreEntry> entries;
        for (int j = 0; j < store.entryCount(id); ++j) {
            entries.push_back(store.entryAt(id, j));
        }
        return entries;
    }

    std::string path() const { return folder_ / "Trundlex/highscore.dat"; }

    TempFolder folder_;
};

TEST_F(HighScoreStoreTest, AFullListTakesOnlyALowerScoreAndDropsTheNewestOfTheLastPlaced) {
    HighScoreStore store;
    fillWithTen(store);
    const auto before = entriesOf(store, "course");
    EXPECT_FALSE(store.add("course", "late", 40, 500));
    EXPECT_EQ(entriesOf(store, "course"), before);
    EXPECT_TRUE(store.add("course", "best", 39, 500));
    const auto entries = entriesOf(store, "course");
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0], (HighScoreEntry{"best", 500, 39}));
    EXPECT_EQ(entries[9], (HighScoreEntry{"p8", 108, 40}));
    // An equal score with an older time takes a place: deciding before inserting would
    // report it refused.
    EXPECT_TRUE(store.add("course", "early", 40, 50));
    EXPECT_EQ(entriesOf(store, "course")[1].name, "early");
}

TEST_F(HighScoreStoreTest, ShortListAdmitsAnyScoreEqualScoresOldestFirstThenInTheOrderAdded) {
    HighScoreStore store;
    // Name, time, score.
    const HighScoreEntry added[] = {{"third", 300, 12},       {"worst", 1, 9999},
                                    {"first", 100, 12},       {"second", 200, 12},
                                    {"also second", 200, 12}, {"best", 400, 11}};
    for (const HighScoreEntry& e : added) {
        EXPECT_TRUE(store.add("course", e.name, e.score, e.time));
    }
    store.add("other", "d", 50, 4);
    std::string names;
    for (const HighScoreEntry& entry : entriesOf(store, "course")) {
        names += entry.name + ",";
    }
    EXPECT_EQ(names, "best,first,second,also second,third,worst,");
    EXPECT_EQ(store.entryCount("other"), 1);
    EXPECT_EQ(store.entryCount("nobody"), 0);
}

TEST_F(HighScoreStoreTest, SaveAndLoadRoundTripLeavesOutEmptyAndRemovedCourses) {
    HighScoreStore store([] { return std::int64_t{1234}; });
    fillWithTen(store);
    EXPECT_TRUE(store.addNow("now", "clocked", 7));
    store.add("-5", "\xe5sa", -3, 3000000000LL);  // after 2038: the file's 32 bits are unsigned
    store.add("gone", "g", 1, 1);
    EXPECT_EQ(store.findCourse("empty", false), -1);
    store.findCourse("empty", true);
    store.removeCourseAt(store.findCourse("gone", false));
    store.removeCourseAt(store.findCourse("now", false));
    store.addNow("now", "clocked", 7);
    ASSERT_TRUE(store.save(path()));

    const std::string bytes = readBytes(path());
    EXPECT_EQ(bytes.substr(0, 15), std::string("\x0aTrundlex 1\x03\0\0\0", 15))
        << "three courses written: the empty one and the removed one are left out";

    HighScoreStore back;
    ASSERT_TRUE(back.load(path()));
    ASSERT_EQ(back.courseCount(), 3);
    EXPECT_EQ(back.courseIdAt(0) + "," + back.courseIdAt(1) + "," + back.courseIdAt(2),
              "course,-5,now")
        << "a removed course comes back at the end";
    EXPECT_EQ(back.entryAt("now", 0).time, 1234);
    EXPECT_EQ(entriesOf(back, "course"), entriesOf(store, "course"));
    EXPECT_EQ(entriesOf(back, "-5"), entriesOf(store, "-5"));
}

TEST_F(HighScoreStoreTest, LoadSortsAndCutsAFileOfMoreThanTenEntries) {
    ArchiveBytes file;
    file.string("Trundlex 1").integer(2).string("c1").integer(12);
    for (int score = 11; score >= 0; --score) {  // worst first
        file.string("n" + std::to_string(score)).integer(score).integer(1000 - score);
    }
    file.string("no entries").integer(-4);
    writeBytes(path(), file.bytes());

    HighScoreStore store;
    ASSERT_TRUE(store.load(path()));
    EXPECT_EQ(store.courseCount(), 1) << "a record without entries adds no course";
    std::vector<int> scores;
    for (const HighScoreEntry& entry : entriesOf(store, "c1")) {
        scores.push_back(entry.score);
    }
    EXPECT_EQ(scores, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(HighScoreStoreTest, ManyCoursesKeepFileOrderAndARepeatedIdJoinsItsFirstRecord) {
    constexpr int kCourses = 60000;
    ArchiveBytes file;
    file.string("Trundlex 1").integer(kCourses + 1);
    for (int c = 0; c < kCourses; ++c) {
        file.string("c" + std::to_string(c)).integer(1).string("p").integer(c).integer(c);
    }
    file.string("c7").integer(1).string("again").integer(3).integer(1);
    writeBytes(path(), file.bytes());

    HighScoreStore store;
    ASSERT_TRUE(store.load(path()));
    ASSERT_EQ(store.courseCount(), kCourses);
    EXPECT_EQ(store.courseIdAt(kCourses - 1), "c" + std::to_string(kCourses - 1));
    EXPECT_EQ(store.entryAt("c54321", 0).score, 54321);
    EXPECT_EQ(entriesOf(store, "c7"),
              (std::vector<HighScoreEntry>{{"again", 1, 3}, {"p", 7, 7}}));
    // Removing moves the later courses down; each is still found under its own ID.
    store.removeCourseAt(store.findCourse("c10", false));
    EXPECT_EQ(store.findCourse("c11", false), 10);
    EXPECT_EQ(store.findCourse("c10", false), -1);
    EXPECT_EQ(store.entryAt("c59999", 0).score, 59999);
    store.clear();
    EXPECT_EQ(store.entryCount("c5"), 0);
}

TEST_F(HighScoreStoreTest, DamagedOrMissingFileEmptiesTheStoreAForeignOneLeavesItAlone) {
    // Course records (ID, entry count) of entries (name, score, time), written by hand.
    ArchiveBytes file;
    file.string("Trundlex 1").integer(2).string("first").integer(1);
    file.string("ann").integer(10).integer(77).string("second").integer(2);
    file.string("bob").integer(20).integer(88).string("cid").integer(21).integer(89);
    const std::string whole = file.bytes();
    ArchiveBytes manyCourses;
    manyCourses.string("Trundlex 1").integer(2147483647);
    ArchiveBytes manyEntries;
    manyEntries.string("Trundlex 1").integer(1).string("c").integer(2147483647);
    manyEntries.string("only one").integer(1).integer(1);
    // Cut short, and counts of two billion that must fail without allocating.
    for (const std::string& damaged :
         {whole.substr(0, whole.size() - 6), manyCourses.bytes(), manyEntries.bytes()}) {
        writeBytes(path(), damaged);
        HighScoreStore store;
        store.add("already", "there", 1, 1);
        EXPECT_FALSE(store.load(path()));
        EXPECT_EQ(store.courseCount(), 0);
    }
    HighScoreStore store;
    writeBytes(path(), whole);
    ASSERT_TRUE(store.load(path()));
    EXPECT_EQ(store.entryCount("second"), 2);

    for (const std::string& foreign :
         {ArchiveBytes().string("Trundlex 2").integer(0).bytes(), std::string("\xff\xff\xff")}) {
        writeBytes(path(), foreign);
        EXPECT_FALSE(store.load(path()));
    }
    EXPECT_EQ(store.entryCount("second"), 2);
    EXPECT_FALSE(store.load(folder_ / "missing.dat"));
    EXPECT_EQ(store.courseCount(), 0) << "a missing file is an empty store";
}

TEST_F(HighScoreStoreTest, TwoProgramsFinishingGamesAtOnceLoseNoResult) {
    constexpr int kRounds = 20;
    HighScoreStore before;
    before.add("course 0", "earlier", 99, 1);
    ASSERT_TRUE(before.save(path()));
    // Both read the file before either writes, then finish their games at the same moment.
    testing::ChildProcess ann;
    testing::ChildProcess bob;
    ASSERT_TRUE(ann.start(HIGHSCORE_WRITER_PATH, {path(), "ann", std::to_string(kRounds)}));
    ASSERT_TRUE(bob.start(HIGHSCORE_WRITER_PATH, {path(), "bob", std::to_string(kRounds)}));
    ASSERT_TRUE(ann.waitForLine("ready"));
    ASSERT_TRUE(bob.waitForLine("ready"));
    ann.send('g');
    bob.send('g');
    EXPECT_EQ(ann.waitForExit(), 0);
    EXPECT_EQ(bob.waitForExit(), 0);

    HighScoreStore after;
    ASSERT_TRUE(after.load(path()));
    EXPECT_EQ(after.courseCount(), kRounds);
    for (int round = 0; round < kRounds; ++round) {
        std::multiset<std::string> names;
        for (const HighScoreEntry& entry : entriesOf(after, "course " + std::to_string(round))) {
            names.insert(entry.name);
        }
        std::multiset<std::string> expected{"ann", "bob"};
        if (round == 0) {
            expected.insert("earlier");
        }
        EXPECT_EQ(names, expected) << "round " << round;
    }
}

TEST_F(HighScoreStoreTest, SaveMergesWithTheFileAndKeepsRemovalsButNotAnotherProgramsCourses) {
    HighScoreStore mine;
    mine.add("shared", "mine", 5, 1);
    mine.add("dropped", "mine", 5, 1);
    mine.add("cleared later", "mine", 5, 1);
    ASSERT_TRUE(mine.save(path()));
    HighScoreStore other;
    ASSERT_TRUE(other.load(path()));
    for (int i = 0; i < 10; ++i) {
        other.add("shared", "other", 4, 10 + i);
    }
    other.add("theirs", "other", 1, 1);
    other.removeCourseAt(other.findCourse("dropped", false));
    ASSERT_TRUE(other.save(path()));

    mine.add("shared", "mine again", 3, 2);
    mine.removeCourseAt(mine.findCourse("cleared later", false));
    ASSERT_TRUE(mine.save(path()));
    HighScoreStore back;
    ASSERT_TRUE(back.load(path()));
    ASSERT_EQ(back.entryCount("shared"), 10) << "the union, cut to the ten best";
    EXPECT_EQ(back.entryAt("shared", 0).name, "mine again");
    EXPECT_EQ(back.entryAt("shared", 9).time, 18);
    EXPECT_EQ(back.entryCount("theirs"), 1);
    EXPECT_EQ(back.entryCount("dropped"), 0) << "the other program's removal holds";
    EXPECT_EQ(back.entryCount("cleared later"), 0);
    EXPECT_EQ(mine.entryCount("theirs"), 1) << "the saving store sees the merged lists";

    // Emptying the whole list is done to the file too; results added afterwards stay.
    other.clear();
    other.add("new", "other", 7, 7);
    ASSERT_TRUE(other.save(path()));
    HighScoreStore afterClear;
    ASSERT_TRUE(afterClear.load(path()));
    ASSERT_EQ(afterClear.courseCount(), 1);
    EXPECT_EQ(afterClear.courseIdAt(0), "new");
}

TEST_F(HighScoreStoreTest, FailedSaveKeepsThePreviousFile) {
    HighScoreStore store;
    store.add("course", "first", 1, 1);
    ASSERT_TRUE(store.save(path()));
    const std::string previous = readBytes(path());

    store.add("course", std::string(200000, 'n'), 2, 2);
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(store.save(path()));
    }
    EXPECT_EQ(readBytes(path()), previous);
    HighScoreStore back;
    ASSERT_TRUE(back.load(path()));
    EXPECT_EQ(back.entryCount("course"), 1);
}

}  // namespace
}  // namespace trundlex
