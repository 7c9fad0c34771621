#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ball/PuttSimulator.h"
#include "level/Archive.h"
#include "level/LevelFile.h"
#include "solver/ShippedPars.h"
#include "support/AsciiLevel.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"
#include "util/TextNumbers.h"

namespace trundlex::testing {
namespace {

const std::vector<std::string_view> kStraight = {"##########", "#........#", "#.......o#",
                                                 "#........#", "##########"};
const std::vector<std::string_view> kWalledIn = {"##########", "#........#", "#.....###.",
                                                 "#.....#o#.", "#.....###.", "##########"};

class SolveCommandsTest : public ::testing::Test {
protected:
    // A level file named after the file, starting at (1.5, 2.5).
    std::string write(const std::string& name, const std::vector<std::string_view>& rows,
                      const std::string& id = {}) {
        return folder.write(name, encodeArchiveString(levelOf(name, rows, id).toText()));
    }
    static Level levelOf(const std::string& name, const std::vector<std::string_view>& rows,
                         const std::string& id) {
        Level level = asciiLevel(rows);
        level.setName(std::filesystem::path(name).stem().string());
        level.setStart(1.5, 2.5);
        level.setId(id);
        return level;
    }

    TempFolder folder;
    ToolRunner tool;
};

TEST_F(SolveCommandsTest, PrintsPuttsThatReallyHoleOut) {
    const std::string file = write("straight.lev", kStraight);
    ASSERT_EQ(tool.run("solve", {file}), 0) << tool.err();
    std::istringstream lines(tool.out());
    std::string putt, speedText, headingText, strokes;
    int count = 0;
    lines >> putt >> speedText >> headingText >> strokes >> count;
    ASSERT_EQ(putt + strokes + std::to_string(count), "putt:strokes:1") << tool.out();
    // Played on the level, the printed putt sinks.
    Level level;
    ASSERT_TRUE(loadLevelFile(file, level) == LevelLoadResult::Loaded);
    EXPECT_TRUE(PuttSimulator(level)
                    .putt(1.5, 2.5, parseLeadingDouble(speedText), parseLeadingDouble(headingText))
                    .holed);
}

// Wrong arguments are tested for every command in ToolArgumentsTest.
TEST_F(SolveCommandsTest, ReportsFailure) {
    const std::string walled = write("walled.lev", kWalledIn);
    EXPECT_EQ(tool.run("solve", {walled, "--max-strokes", "2"}), 1);
    EXPECT_NE(tool.out().find("not holed out"), std::string::npos) << tool.out();
    EXPECT_EQ(tool.out().find("strokes:"), std::string::npos);

    EXPECT_EQ(tool.run("solve", {folder / "missing.lev"}), 1);
}

TEST_F(SolveCommandsTest, ParListsEveryLevelOfAFolderTree) {
    write("straight.lev", kStraight);
    write("more/walled.lev", kWalledIn);
    folder.write("notes.txt", "not a level");
    ASSERT_EQ(tool.run("par", {folder.path().string()}), 0) << tool.err();
    EXPECT_EQ(tool.out(),
              "more/walled.lev: walled: no par (not holed out in 7 strokes)\n"
              "straight.lev: straight: par 1\n");

    folder.write("broken.lev", "garbage");
    EXPECT_EQ(tool.run("par", {folder.path().string()}), 1);
    EXPECT_NE(tool.err().find("broken.lev"), std::string::npos);
    EXPECT_EQ(tool.run("par", {folder / "nowhere"}), 1);
}

// The table the game ships beside its levels: read back, it gives each level the par that
// the listing prints, and only to that level as it was.
TEST_F(SolveCommandsTest, ParTableGivesEachLevelOfAFolderItsPar) {
    write("straight.lev", kStraight, "11");
    write("more/walled.lev", kWalledIn, "22");
    ASSERT_EQ(tool.run("par", {folder.path().string(), "--table"}), 0) << tool.err();
    ShippedPars table;
    ASSERT_TRUE(table.parse(tool.out())) << tool.out();
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.lookup(levelOf("straight.lev", kStraight, "11")), 1);
    EXPECT_EQ(table.lookup(levelOf("walled.lev", kWalledIn, "22")), 0) << "no par";
    EXPECT_FALSE(table.lookup(levelOf("straight.lev", kStraight, "33")));

    // Two files of one ID cannot both be keyed by it: no table at all.
    write("copy.lev", kStraight, "11");
    EXPECT_EQ(tool.run("par", {folder.path().string(), "--table"}), 1);
    EXPECT_NE(tool.err().find("copy.lev"), std::string::npos) << tool.err();
    EXPECT_NE(tool.err().find("straight.lev"), std::string::npos) << tool.err();
    EXPECT_EQ(tool.out(), "");
}

TEST_F(SolveCommandsTest, PlayCoursePrintsEachHoleAndTheTotalAgainstPar) {
    const std::string file = write("straight.lev", kStraight);
    ASSERT_EQ(tool.run("play-course", {file, file, "--strength", "hard", "--games", "4"}), 0)
        << tool.err();
    EXPECT_EQ(tool.out(),
              "hole 1 straight par 1 mean 1.00\nhole 2 straight par 1 mean 1.00\n"
              "total par 2 mean 2.00\n");
    EXPECT_EQ(tool.run("play-course", {file, "--strength", "fair"}), tool::kUsageError);
}

TEST_F(SolveCommandsTest, ACourseThatDoesNotExistIsNotFound) {
    const std::string missing = folder / "no-such-course.cou";
    for (const auto& [command, args] :
         {std::pair<std::string, std::vector<std::string>>{"play-course", {missing, "--strength", "easy"}},
          {"serve", {"--course", missing}},
          {"serve", {"--course", "no-such-course"}}}) {
        EXPECT_EQ(tool.run(command, args), 1) << command;
        EXPECT_NE(tool.err().find(": not found"), std::string::npos) << command << tool.err();
    }
}

}  // namespace
}  // namespace trundlex::testing
