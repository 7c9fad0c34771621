#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"

namespace trundlex::tool {
namespace {

namespace fs = std::filesystem;

const std::string kPieces = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/RBites";

// A 4 x 3 level with a sloped ice block in its top-left corner and a wall in its last column.
const std::string kText =
    "{Trundlex1}\r\n{4242}\r\n{Corner}{Tester}\r\n{4}{3}\r\n{1.500000}{0.500000}\r\n"
    "{S0I0}{$}{$}{$}\r\n{$}{$}{$}{S0T8}\r\n{$}{$}{$}{$}\r\n";

class EditorCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("trundlex-editor-tool-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(input(), std::ios::binary) << encodeArchiveString(kText);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string input() const { return (dir_ / "in.lev").string(); }
    std::string output() const { return (dir_ / "out.lev").string(); }

    int run(const std::string& name, std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        for (const Command& c : editorCommands()) {
            if (name == c.name) {
                return c.run(args, out_, err_);
            }
        }
        ADD_FAILURE() << "no command " << name;
        return -1;
    }

    static Level load(const std::string& path) {
        Level level;
        EXPECT_EQ(loadLevelFile(path, level), LevelLoadResult::Loaded) << path;
        return level;
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(EditorCommandsTest, TransformAppliesTheOperationsInOrderAndGivesANewId) {
    ASSERT_EQ(run("transform", {input(), output(), "rotate", "flip-h"}), 0) << err_.str();
    const Level level = load(output());
    ASSERT_EQ(level.width(), 3);
    ASSERT_EQ(level.height(), 4);
    // Turned, the ice lands top right sloping down; mirrored, top left, still sloping down.
    EXPECT_EQ(level.block(0, 0).toText(), "S1I6");
    EXPECT_EQ(level.block(1, 3).toText(), "S1T8");
    EXPECT_EQ(level.startX(), 0.5);
    EXPECT_EQ(level.startY(), 1.5);
    EXPECT_EQ(level.name(), "Corner");
    EXPECT_NE(level.id(), "4242");
    EXPECT_FALSE(level.id().empty());
    EXPECT_NE(out_.str().find("3 x 4"), std::string::npos);
    EXPECT_EQ(load(input()).id(), "4242") << "the input file stays as it was";

    ASSERT_EQ(run("transform", {input(), output(), "flip-h", "rotate"}), 0);
    EXPECT_EQ(load(output()).block(2, 3).toText(), "S1I2") << "the other order differs";
}

TEST_F(EditorCommandsTest, TransformMakeFitCutsToTheUsedBlocks) {
    ASSERT_EQ(run("transform", {input(), output(), "make-fit", "flip-v"}), 0) << err_.str();
    const Level level = load(output());
    EXPECT_EQ(level.width(), 4);
    EXPECT_EQ(level.height(), 2);
    EXPECT_EQ(level.block(0, 1).toText(), "S0I0");
    EXPECT_EQ(level.block(3, 0).toText(), "S0T8");
}

TEST_F(EditorCommandsTest, TransformRefusesBadArgumentsWithoutWriting) {
    EXPECT_EQ(run("transform", {input(), output(), "spin"}), 2);
    EXPECT_NE(err_.str().find("spin"), std::string::npos);
    EXPECT_EQ(run("transform", {input(), output()}), 2) << "at least one operation";
    std::ofstream((dir_ / "junk.lev").string(), std::ios::binary) << "junk";
    EXPECT_EQ(run("transform", {(dir_ / "junk.lev").string(), output(), "rotate"}), 1);
    EXPECT_FALSE(fs::exists(output()));
}

TEST_F(EditorCommandsTest, RandomLevelWithASeedIsTheSameLevelEachTime) {
    const std::string second = (dir_ / "second.lev").string();
    ASSERT_EQ(run("random-level", {output(), "--seed", "11", "--pieces", kPieces}), 0)
        << err_.str();
    EXPECT_NE(out_.str().find("seed 11"), std::string::npos);
    ASSERT_EQ(run("random-level", {second, "--pieces", kPieces, "--seed", "11"}), 0);
    Level a = load(output());
    Level b = load(second);
    EXPECT_EQ(a.width(), 50);
    EXPECT_EQ(a.height(), 50);
    EXPECT_FALSE(a.id().empty());
    a.setId("");
    b.setId("");
    EXPECT_EQ(a.toText(), b.toText());

    ASSERT_EQ(run("random-level", {second, "--seed", "12", "--pieces", kPieces}), 0);
    Level c = load(second);
    c.setId("");
    EXPECT_NE(a.toText(), c.toText());
}

TEST_F(EditorCommandsTest, RandomLevelReportsMissingPiecesAndBadSeeds) {
    EXPECT_EQ(run("random-level", {output(), "--seed", "1", "--pieces", dir_.string()}), 1);
    EXPECT_NE(err_.str().find("utslag7.lev"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_EQ(run("random-level", {output(), "--seed", "-3", "--pieces", kPieces}), 2);
    EXPECT_EQ(run("random-level", {output(), "--seed", "12x", "--pieces", kPieces}), 2);
    EXPECT_EQ(run("random-level", {"--seed", "4"}), 2) << "no output file";
    EXPECT_FALSE(fs::exists(output()));
}

}  // namespace
}  // namespace trundlex::tool
