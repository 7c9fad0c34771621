// Files read whole are refused by their size before they are read: a huge or endless file
// must neither fill the memory nor hang the program.
#include <gtest/gtest.h>

#include <filesystem>

#include "level/Archive.h"
#include "level/LevelFile.h"
#include "solver/Par.h"
#include "support/AsciiLevel.h"
#include "support/TempFolder.h"
#include "util/SafeFile.h"

namespace trundlex {
namespace {

// A sparse file: its size costs no disk space and no time to make.
std::string sizedFile(const testing::TempFolder& folder, const char* name, std::string_view start,
                      std::uintmax_t size) {
    const std::string path = folder.write(name, start);
    std::filesystem::resize_file(path, size);
    return path;
}

TEST(FileCapsTest, ReadsUpToTheCapAndRefusesLargerFilesAndNonFiles) {
    const testing::TempFolder folder;
    const struct {
        std::string path;
        CappedRead expected;
    } cases[] = {
        {sizedFile(folder, "at-cap", "abc", 1000), CappedRead::Read},
        {sizedFile(folder, "over-cap", "abc", 1001), CappedRead::TooLarge},
        {sizedFile(folder, "huge", "abc", 300'000'000), CappedRead::TooLarge},
        {folder / "missing", CappedRead::Unreadable},
        {folder.path().string(), CappedRead::Unreadable},
        // Endless: reading it whole would never finish.
        {"/dev/zero", CappedRead::Unreadable},
    };
    for (const auto& c : cases) {
        std::string bytes = "untouched";
        EXPECT_EQ(readFileUpTo(c.path, 1000, bytes), c.expected) << c.path;
        if (c.expected == CappedRead::Read) {
            EXPECT_EQ(bytes.size(), 1000u);
            EXPECT_EQ(bytes.substr(0, 3), "abc");
        } else {
            EXPECT_EQ(bytes, "untouched") << c.path;
        }
    }
}

TEST(FileCapsTest, OversizedLevelAndParFilesAreRefusedUnread) {
    const testing::TempFolder folder;
    Level level = testing::asciiLevel({"###", "#o#", "###"});
    level.setId("kept");
    const Level before = level;
    const std::string levelBytes = encodeArchiveString(level.toText());
    EXPECT_EQ(loadLevelFile(sizedFile(folder, "huge.lev", levelBytes, MaxLevelFileBytes + 1), level),
              LevelLoadResult::TooLarge);
    EXPECT_EQ(loadLevelFile("/dev/zero", level), LevelLoadResult::Unreadable);
    EXPECT_EQ(level, before);
    // A level with room to spare in its file (trailing bytes) is still read.
    level.setId("other");
    EXPECT_EQ(loadLevelFile(sizedFile(folder, "padded.lev", levelBytes, MaxLevelFileBytes), level),
              LevelLoadResult::Loaded);
    EXPECT_EQ(level.id(), "kept");

    // A cache file as the program writes it, then grown far past any real one.
    const std::string parPath = folder / "par.txt";
    ParCache(parPath).parOf(level);
    ASSERT_TRUE(ParCache(parPath).lookup(level));
    std::filesystem::resize_file(parPath, 300'000'000);
    EXPECT_FALSE(ParCache(parPath).lookup(level));
    EXPECT_FALSE(ParCache("/dev/zero").lookup(level));
}

}  // namespace
}  // namespace trundlex
