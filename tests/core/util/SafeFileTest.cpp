#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "util/SafeFile.h"

namespace trundlex {
namespace {

namespace fs = std::filesystem;

TEST(SafeFileTest, ReplacesContentsAndKeepsPermissions) {
    const testing::TempFolder folder;
    const std::string path = folder / "scores.dat";
    ASSERT_TRUE(writeFileSafely(path, std::string("first\0bytes", 11)));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, std::string("first\0bytes", 11));

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileSafely(path, "second"));
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second");
#ifndef _WIN32  // Windows files have a read-only flag, not these bits
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif
    EXPECT_EQ(folder.entryCount(), 1) << "no temporary file is left behind";
}

TEST(SafeFileTest, FailureLeavesTheOldFileAndNoLeftovers) {
    // The target is a folder holding a file: the rename fails, nothing may be lost.
    const testing::TempFolder folder;
    folder.write("busy/inside", "");
    std::string error;
    EXPECT_FALSE(writeFileSafely(folder / "busy", "new", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(folder / "busy/inside"));
    EXPECT_EQ(folder.entryCount(), 1);

    EXPECT_FALSE(writeFileSafely(folder / "missing/file", "x", &error));
    std::string bytes;
    EXPECT_FALSE(readWholeFile(folder / "missing/file", bytes));
}

}  // namespace
}  // namespace trundlex
