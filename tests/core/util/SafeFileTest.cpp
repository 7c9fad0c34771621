#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "util/SafeFile.h"

namespace trundlex {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One folder per test: ctest runs tests of this file in parallel.
        dir_ = fs::temp_directory_path() /
               ("trundlex-safefile-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::size_t filesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

TEST_F(SafeFileTest, ReplacesContentsAndKeepsPermissions) {
    const std::string path = (dir_ / "scores.dat").string();
    ASSERT_TRUE(writeFileSafely(path, std::string("first\0bytes", 11)));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, std::string("first\0bytes", 11));

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileSafely(path, "second"));
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesInDir(), 1u) << "no temporary file is left behind";
}

TEST_F(SafeFileTest, FailureLeavesTheOldFileAndNoLeftovers) {
    // The target is a folder holding a file: the rename fails, nothing may be lost.
    const fs::path target = dir_ / "busy";
    fs::create_directories(target / "inside");
    std::string error;
    EXPECT_FALSE(writeFileSafely(target.string(), "new", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(filesInDir(), 1u);

    EXPECT_FALSE(writeFileSafely((dir_ / "missing" / "file").string(), "x", &error));
    std::string bytes;
    EXPECT_FALSE(readWholeFile((dir_ / "missing" / "file").string(), bytes));
}

}  // namespace
}  // namespace trundlex
