// The shipped levels' par table: read strictly, trusted only for the level as it was when its
// par was worked out, and put before the per-user cache so that a shipped level is never
// solved on a player's computer.
#include "solver/ShippedPars.h"

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>

#include "solver/Par.h"
#include "support/AsciiLevel.h"
#include "support/TempFolder.h"

namespace trundlex {
namespace {

const std::vector<std::string_view> kStraight = {"##########", "#........#", "#.......o#",
                                                 "#........#", "##########"};

Level straightLevel(const std::string& id) {
    Level level = testing::asciiLevel(kStraight);
    level.setStart(1.5, 2.5);
    level.setId(id);
    return level;
}

std::string hex(std::uint64_t value) {
    char digits[17];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    return std::string(digits, end);
}

// A table line as the file holds it.
std::string line(const std::string& id, const std::string& fingerprint, const std::string& par) {
    return id + "\t" + fingerprint + "\t" + par + "\n";
}

const std::string kHeader = "trundlex shipped pars 3\n";

class ShippedParsTest : public ::testing::Test {
protected:
    const Level level_ = straightLevel("S1");
    const std::string print_ = hex(levelFingerprint(level_));
};

TEST_F(ShippedParsTest, ATableWrittenAndReadAgainGivesEachLevelItsPar) {
    const Level other = straightLevel("S2");
    ShippedPars written;
    ASSERT_TRUE(written.add(level_, 3));
    ASSERT_TRUE(written.add(other, 0)) << "no par is a par the table can hold";
    EXPECT_EQ(written.toText(), kHeader + line("S1", print_, "3") +
                                    line("S2", hex(levelFingerprint(other)), "0"))
        << "one line a level, in the order of the IDs";

    ShippedPars read;
    ASSERT_TRUE(read.parse(written.toText()));
    EXPECT_EQ(read.size(), 2u);
    EXPECT_EQ(read.lookup(level_), 3);
    EXPECT_EQ(read.lookup(other), 0);
    EXPECT_FALSE(read.lookup(straightLevel("S3"))) << "a level the table does not name";
}

TEST_F(ShippedParsTest, ALevelEditedOrSavedUnderANewIdGetsNoShippedPar) {
    ShippedPars table;
    ASSERT_TRUE(table.parse(kHeader + line("S1", print_, "3")));

    Level edited = level_;
    edited.block(5, 2).fromText("S0T8");
    EXPECT_FALSE(table.lookup(edited)) << "same ID, other blocks";

    Level copy = level_;
    copy.setId("S1-copy");
    EXPECT_FALSE(table.lookup(copy)) << "same blocks, the new ID an edited copy gets";

    Level moved = level_;
    moved.setStart(2.5, 2.5);
    EXPECT_FALSE(table.lookup(moved)) << "same ID and blocks, another start";
}

TEST_F(ShippedParsTest, ADamagedTableIsRefusedAsAWhole) {
    const std::string good = line("S1", print_, "3");
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"", "an empty file"},
        {good, "no header"},
        {"trundlex shipped pars 2\n" + good, "pars worked out another way"},
        {"trundlex par 3\n" + good, "the per-user cache's file"},
        {kHeader + line("S1", print_, "8"), "a par beyond the stroke limit"},
        {kHeader + line("S1", print_, "-1"), "a negative par"},
        {kHeader + line("S1", print_, "3x"), "junk after the par"},
        {kHeader + line("S1", print_, ""), "no par"},
        {kHeader + line("S1", print_, "99999999999999999999"), "a par beyond int"},
        {kHeader + line("S1", "zz" + print_, "3"), "a fingerprint that is not hex"},
        {kHeader + line("S1", print_ + "0000000000000000", "3"), "a fingerprint beyond 64 bits"},
        {kHeader + line("", print_, "3"), "no ID"},
        {kHeader + "S1\t" + print_ + "\n", "a field missing"},
        {kHeader + line("S1", print_, "3\t1"), "a field too many"},
        {kHeader + good + good, "an ID twice"},
        {kHeader + good + "S2\t" + print_ + "\t3", "a last line cut short"},
        {kHeader + good + "\n", "an empty line"},
    };
    for (const auto& [text, what] : damaged) {
        ShippedPars table;
        ASSERT_TRUE(table.add(level_, 5));
        EXPECT_FALSE(table.parse(text)) << what;
        EXPECT_EQ(table.size(), 0u) << what << ": nothing kept, not even what it held before";
        EXPECT_FALSE(table.lookup(level_)) << what;
    }
    // The check must be able to pass: the same line in a sound table is read, also with the
    // CR LF line ends of a Windows checkout.
    ShippedPars table;
    EXPECT_TRUE(table.parse(kHeader + good));
    EXPECT_EQ(table.lookup(level_), 3);
    EXPECT_TRUE(table.parse("trundlex shipped pars 3\r\nS1\t" + print_ + "\t2\r\n"));
    EXPECT_EQ(table.lookup(level_), 2);
}

TEST_F(ShippedParsTest, TooManyLinesOrBytesAreRefusedBeforeTheyAreKept) {
    std::string text = kHeader;
    for (std::size_t i = 0; i <= ShippedPars::MaxEntries; ++i) {
        text += line("L" + std::to_string(i), "1f", "2");
    }
    ShippedPars table;
    EXPECT_FALSE(table.parse(text)) << "one level more than a table may hold";
    EXPECT_EQ(table.size(), 0u);

    testing::TempFolder folder;
    const std::string path = folder / "pars.txt";
    std::string huge = kHeader + line("S1", print_, "3");
    huge.resize(ShippedPars::MaxFileBytes + 1, '#');
    testing::writeBytes(path, huge);
    EXPECT_EQ(table.load(path), ShippedPars::ReadResult::Refused);
    EXPECT_FALSE(table.lookup(level_));
}

TEST_F(ShippedParsTest, LoadTellsAMissingFileFromADamagedOne) {
    testing::TempFolder folder;
    const std::string path = folder / "pars.txt";
    ShippedPars table;
    EXPECT_EQ(table.load(path), ShippedPars::ReadResult::Missing);
    testing::writeBytes(path, kHeader + line("S1", print_, "9"));
    EXPECT_EQ(table.load(path), ShippedPars::ReadResult::Refused);
    testing::writeBytes(path, kHeader + line("S1", print_, "4"));
    EXPECT_EQ(table.load(path), ShippedPars::ReadResult::Read);
    EXPECT_EQ(table.lookup(level_), 4);
    std::filesystem::remove(path);
    EXPECT_EQ(table.load(path), ShippedPars::ReadResult::Missing);
    EXPECT_FALSE(table.lookup(level_)) << "a load empties the table first";
}

TEST_F(ShippedParsTest, AddRefusesWhatTheFileCannotHold) {
    ShippedPars table;
    EXPECT_FALSE(table.add(level_, ParStrokeLimit + 1));
    EXPECT_FALSE(table.add(level_, -1));
    EXPECT_FALSE(table.add(straightLevel(""), 2));
    EXPECT_FALSE(table.add(straightLevel("A\tB"), 2));
    EXPECT_FALSE(table.add(straightLevel(std::string(256, 'x')), 2));
    EXPECT_EQ(table.size(), 0u);
    EXPECT_TRUE(table.add(straightLevel(std::string(255, 'x')), 2));
}

// The per-user cache puts the shipped table first: its par comes at once, nothing is solved
// for it and nothing written to the user's file.
TEST_F(ShippedParsTest, TheParCacheAnswersAShippedLevelWithoutSolvingIt) {
    testing::TempFolder folder;
    const std::string path = folder / "par.txt";
    ShippedPars shipped;
    // Par 1 is what the solver finds on this straight room; a 6 shows where the answer came
    // from.
    ASSERT_TRUE(shipped.add(level_, 6));
    ParCache cache(path, shipped);
    EXPECT_EQ(cache.lookup(level_), 6);
    EXPECT_EQ(cache.parOf(level_), 6);
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing solved, nothing saved";

    // Another level, and the shipped one edited, are solved and kept per user as before.
    const Level own = straightLevel("U1");
    Level edited = level_;
    edited.setStart(2.5, 2.5);
    EXPECT_FALSE(cache.lookup(own));
    EXPECT_EQ(cache.parOf(own), 1);
    EXPECT_EQ(cache.parOf(edited), 1) << "the edited level's own par, not the shipped 6";
    const ParCache later(path);
    EXPECT_EQ(later.lookup(own), 1);
    EXPECT_EQ(later.lookup(edited), 1);
    EXPECT_FALSE(later.lookup(level_)) << "the shipped par is not copied to the user's file";
}

}  // namespace
}  // namespace trundlex
