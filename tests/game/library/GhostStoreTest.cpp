// The best rounds kept for the ghost: which round is kept, the file to the bit, damaged and
// hostile files, and two programs saving one after the other.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "level/Archive.h"
#include "library/GhostStore.h"
#include "support/TempFolder.h"
#include "util/SafeFile.h"

namespace trundlex::testing {
namespace {

// A round of `holes` holes of two putts each, whose doubles have bits that text would lose.
GhostRound roundOf(const std::string& course, std::int32_t score, std::int64_t time,
                   int holes = 2) {
    GhostRound round{course, "Åsa", score, time, {}, {}};
    for (int h = 0; h < holes; ++h) {
        round.levelIds.push_back("level-" + std::to_string(h));
        round.holes.push_back({PuttRecord{0.1 + 0.2, std::nextafter(1.0, 2.0), h, 1, 2.5, 3.5},
                               PuttRecord{7.0 / 3.0, -1e-300, h, 2, 1.0 / 3.0, 4.25}});
    }
    return round;
}

std::string fileOf(const GhostStore& store, const TempFolder& folder) {
    const std::string path = folder / "ghosts.dat";
    GhostStore copy = store;
    EXPECT_TRUE(copy.save(path));
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes));
    return bytes;
}

TEST(GhostStoreTest, KeepsTheBestRoundOfEachCourse) {
    GhostStore store;
    EXPECT_TRUE(store.offer(roundOf("a", 10, 100)));
    EXPECT_FALSE(store.offer(roundOf("a", 11, 50))) << "more strokes";
    EXPECT_FALSE(store.offer(roundOf("a", 10, 200))) << "as many strokes, later";
    EXPECT_TRUE(store.offer(roundOf("a", 10, 99))) << "as many strokes, earlier";
    EXPECT_TRUE(store.offer(roundOf("a", 8, 300)));
    EXPECT_TRUE(store.offer(roundOf("b", 20, 300)));
    ASSERT_NE(store.find("a"), nullptr);
    EXPECT_EQ(store.find("a")->score, 8);
    EXPECT_EQ(store.find("b")->score, 20);
    EXPECT_EQ(store.find("c"), nullptr);

    GhostRound broken = roundOf("c", 10, 1);
    broken.holes[1][0].speed = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(store.offer(broken));
    broken = roundOf("c", 3, 1);
    EXPECT_FALSE(store.offer(broken)) << "four putts cannot score three";
    broken = roundOf("c", 10, 1);
    broken.holes[0][1].stroke = 5;
    EXPECT_FALSE(store.offer(broken)) << "strokes count up from one";
    broken = roundOf("c", 1000, 1, 1);
    for (int stroke = 3; stroke <= GhostStore::MaxPuttsPerHole + 1; ++stroke) {
        broken.holes[0].push_back(PuttRecord{1.0, 0.0, 0, stroke, 2.5, 3.5});
    }
    EXPECT_FALSE(store.offer(broken)) << "no hole takes that many putts";

    for (int course = 0; course < static_cast<int>(GhostStore::MaxRounds); ++course) {
        store.offer(roundOf("many-" + std::to_string(course), 10, 1000 + course));
    }
    EXPECT_EQ(store.size(), GhostStore::MaxRounds);
    EXPECT_EQ(store.find("a"), nullptr) << "the round played longest ago went first";
    EXPECT_NE(store.find("many-0"), nullptr);
}

TEST(GhostStoreTest, RoundsComeBackFromTheFileToTheBit) {
    const TempFolder folder;
    const std::string path = folder / "sub/ghosts.dat";
    GhostStore store;
    EXPECT_TRUE(store.load(path)) << "no file yet is no fault";
    ASSERT_TRUE(store.offer(roundOf("a", 10, 1765000000)));
    ASSERT_TRUE(store.offer(roundOf("b\xff", 7, 4102444800LL, 3)));
    ASSERT_TRUE(store.save(path));

    GhostStore back;
    ASSERT_TRUE(back.load(path));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(*back.find("a"), roundOf("a", 10, 1765000000));
    EXPECT_EQ(*back.find("b\xff"), roundOf("b\xff", 7, 4102444800LL, 3));
}

TEST(GhostStoreTest, DamagedAndHostileFilesAreRefusedWithoutHarm) {
    const TempFolder folder;
    GhostStore store;
    store.offer(roundOf("a", 10, 100));
    const std::string whole = fileOf(store, folder);
    const std::string path = folder / "cut.dat";
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        ASSERT_TRUE(writeFileSafely(path, whole.substr(0, cut)));
        GhostStore read;
        EXPECT_FALSE(read.load(path)) << "cut at " << cut;
        EXPECT_EQ(read.size(), 0u);
    }

    // Counts far beyond what the file holds, and a file far too large.
    for (const std::int32_t count : {std::numeric_limits<std::int32_t>::max(), -1}) {
        const std::string bytes = encodeArchiveString(GhostStore::Magic) +
                                  std::string(reinterpret_cast<const char*>(&count), 4);
        ASSERT_TRUE(writeFileSafely(path, bytes));
        GhostStore read;
        EXPECT_FALSE(read.load(path)) << count;
    }
    ASSERT_TRUE(writeFileSafely(path, std::string(GhostStore::MaxFileBytes + 1, '\0')));
    GhostStore read;
    EXPECT_FALSE(read.load(path));

    // A damaged file is replaced by a save rather than blocking every later round.
    ASSERT_TRUE(writeFileSafely(path, "not a ghost file"));
    GhostStore writer;
    writer.offer(roundOf("a", 10, 100));
    ASSERT_TRUE(writer.save(path));
    ASSERT_TRUE(read.load(path));
    EXPECT_NE(read.find("a"), nullptr);
}

TEST(GhostStoreTest, TwoProgramsSavingOneAfterTheOtherKeepEachOthersRounds) {
    const TempFolder folder;
    const std::string path = folder / "ghosts.dat";
    GhostStore first;
    GhostStore second;
    ASSERT_TRUE(first.load(path));
    ASSERT_TRUE(second.load(path));
    first.offer(roundOf("a", 10, 100));
    first.offer(roundOf("shared", 12, 100));
    ASSERT_TRUE(first.save(path));
    second.offer(roundOf("b", 9, 200));
    second.offer(roundOf("shared", 14, 200));  // worse than the first program's
    ASSERT_TRUE(second.save(path));

    GhostStore back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.size(), 3u);
    EXPECT_NE(back.find("a"), nullptr);
    EXPECT_NE(back.find("b"), nullptr);
    EXPECT_EQ(back.find("shared")->score, 12);
    EXPECT_EQ(second.find("shared")->score, 12) << "the saving program sees the file's best";
}

}  // namespace
}  // namespace trundlex::testing
