#include <gtest/gtest.h>

#include <filesystem>

#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "model/RandomLevelGenerator.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"
#include "util/RandomSource.h"

namespace trundlex::testing {
namespace {

namespace fs = std::filesystem;

const std::string kPieces = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/RBites";

// A 4 x 3 level with a sloped ice block in its top-left corner and a wall in its last column.
const std::string kText =
    "{Trundlex1}\r\n{4242}\r\n{Corner}{Tester}\r\n{4}{3}\r\n{1.500000}{0.500000}\r\n"
    "{S0I0}{$}{$}{$}\r\n{$}{$}{$}{S0T8}\r\n{$}{$}{$}{$}\r\n";

class EditorCommandsTest : public ::testing::Test {
protected:
    static Level load(const std::string& path) {
        Level level;
        EXPECT_EQ(loadLevelFile(path, level), LevelLoadResult::Loaded) << path;
        return level;
    }

    TempFolder folder;
    const std::string input = folder.write("in.lev", encodeArchiveString(kText));
    const std::string output = folder / "out.lev";
    ToolRunner tool;
};

TEST_F(EditorCommandsTest, TransformAppliesTheOperationsInOrderAndGivesANewId) {
    ASSERT_EQ(tool.run("transform", {input, output, "rotate", "flip-h"}), 0) << tool.err();
    const Level level = load(output);
    ASSERT_EQ(std::pair(level.width(), level.height()), std::pair(3, 4));
    // Turned, the ice lands top right sloping down; mirrored, top left, still sloping down.
    EXPECT_EQ(level.block(0, 0).toText(), "S1I6");
    EXPECT_EQ(level.block(1, 3).toText(), "S1T8");
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(0.5, 1.5));
    EXPECT_EQ(level.name(), "Corner");
    EXPECT_TRUE(level.id() != "4242" && !level.id().empty());
    EXPECT_NE(tool.out().find("3 x 4"), std::string::npos);
    EXPECT_EQ(load(input).id(), "4242") << "the input file stays as it was";

    ASSERT_EQ(tool.run("transform", {input, output, "flip-h", "rotate"}), 0);
    EXPECT_EQ(load(output).block(2, 3).toText(), "S1I2") << "the other order differs";
}

TEST_F(EditorCommandsTest, TransformMakeFitCutsToTheUsedBlocks) {
    ASSERT_EQ(tool.run("transform", {input, output, "make-fit", "flip-v"}), 0) << tool.err();
    const Level level = load(output);
    EXPECT_EQ(std::pair(level.width(), level.height()), std::pair(4, 2));
    EXPECT_EQ(level.block(0, 1).toText(), "S0I0");
    EXPECT_EQ(level.block(3, 0).toText(), "S0T8");
}

TEST_F(EditorCommandsTest, TransformRefusesAnUnreadableLevelWithoutWriting) {
    EXPECT_EQ(tool.run("transform", {folder.write("junk.lev", "junk"), output, "rotate"}), 1);
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(EditorCommandsTest, RandomLevelIsTheLevelTheGeneratorMakesFromTheSeed) {
    ASSERT_EQ(tool.run("random-level", {output, "--seed", "11", "--pieces", kPieces}), 0)
        << tool.err();
    EXPECT_NE(tool.out().find("seed 11"), std::string::npos);
    Level written = load(output);
    EXPECT_FALSE(written.id().empty()) << "saved with an ID";

    SeededRandom draws(11);
    RandomLevelGenerator generator(kPieces, draws);
    ASSERT_TRUE(generator.Generate());
    written.setId("");
    EXPECT_EQ(written.toText(), generator.level().toText());
}

TEST_F(EditorCommandsTest, RandomLevelReportsMissingPieces) {
    EXPECT_EQ(tool.run("random-level", {output, "--seed", "1", "--pieces", folder.path().string()}),
              1);
    EXPECT_NE(tool.err().find("utslag7.lev"), std::string::npos) << tool.err();
    EXPECT_FALSE(fs::exists(output));
}

}  // namespace
}  // namespace trundlex::testing
