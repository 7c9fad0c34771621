#include "solver/Par.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/AsciiLevel.h"
#include "support/TempFolder.h"

namespace trundlex {
namespace {

namespace fs = std::filesystem;

Level levelWithId(const std::vector<std::string_view>& rows, const std::string& id) {
    Level level = testing::asciiLevel(rows);
    level.setStart(1.5, 2.5);
    level.setId(id);
    return level;
}

const std::vector<std::string_view> kStraight = {"##########", "#........#", "#.......o#",
                                                 "#........#", "##########"};
const std::vector<std::string_view> kWalledIn = {"##########", "#........#", "#.....###.",
                                                 "#.....#o#.", "#.....###.", "##########"};

class ParCacheTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    // In a folder that does not exist yet, as on a first run.
    const std::string path_ = folder / "Trundlex/par.txt";
};

TEST_F(ParCacheTest, SolvesALevelOnceAndRemembersItAcrossRuns) {
    const Level straight = levelWithId(kStraight, "A1");
    const Level walled = levelWithId(kWalledIn, "B2");
    {
        ParCache cache(path_);
        EXPECT_FALSE(cache.lookup(straight));
        EXPECT_EQ(cache.parOf(straight), 1);
        EXPECT_EQ(cache.parOf(walled), 0) << "no way into the cup: no par";
        EXPECT_EQ(cache.lookup(straight), 1);
    }
    const ParCache again(path_);
    EXPECT_EQ(again.lookup(straight), 1);
    EXPECT_EQ(again.lookup(walled), 0);

    // The same ID with other blocks (the level was edited): solved again, not taken from the
    // table.
    Level edited = straight;
    edited.block(5, 2).fromText("S0T8");
    EXPECT_FALSE(again.lookup(edited));
}

TEST_F(ParCacheTest, DropsLinesItCannotReadAndIgnoresForeignFiles) {
    const Level straight = levelWithId(kStraight, "A1");
    {
        ParCache cache(path_);
        cache.parOf(straight);
    }
    const std::string good = testing::readBytes(path_);
    const std::string header = good.substr(0, good.find('\n') + 1);
    const std::string goodLine = good.substr(header.size());
    const std::string hash = goodLine.substr(3, goodLine.rfind('\t') - 3);
    std::ofstream(path_, std::ios::binary)
        << header
        << "C3\tzz\t1\n"               // fingerprint not hex
        << "D4\t" << hash << "\t99\n"  // par beyond the stroke limit
        << "E5\t" << hash << "\n"      // field missing
        << "F6\t" << hash << "\t-1\n"
        << goodLine;
    EXPECT_EQ(ParCache(path_).lookup(straight), 1) << "the good line survives its neighbours";
    Level other = straight;
    for (const char* id : {"C3", "D4", "E5", "F6"}) {
        other.setId(id);
        EXPECT_FALSE(ParCache(path_).lookup(other)) << id;
    }

    std::ofstream(path_, std::ios::binary) << "something else\n" << goodLine;
    EXPECT_FALSE(ParCache(path_).lookup(straight)) << "not a par file";
}

TEST_F(ParCacheTest, AStoppedSearchGivesNoParAndStoresNothing) {
    const Level straight = levelWithId(kStraight, "A1");
    const std::atomic<bool> stop{true};
    ParCache cache(path_);
    EXPECT_FALSE(cache.parOf(straight, 1, &stop));
    EXPECT_FALSE(cache.lookup(straight));
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_EQ(cache.parOf(straight, 1, nullptr), 1) << "and works it out when let";
}

}  // namespace
}  // namespace trundlex
