#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "ball/PuttSimulator.h"
#include "level/Archive.h"
#include "level/LevelFile.h"
#include "support/AsciiLevel.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {
namespace {

namespace fs = std::filesystem;

class SolveCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("trundlex-solve-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "more");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::vector<std::string_view>& rows,
                      double x, double y) {
        Level level = trundlex::testing::asciiLevel(rows);
        level.setName(fs::path(name).stem().string());
        level.setStart(x, y);
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << encodeArchiveString(level.toText());
        return path.string();
    }

    int run(const char* command, std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        for (const Command& c : solveCommands()) {
            if (std::string_view(c.name) == command) {
                return c.run(args, out_, err_);
            }
        }
        ADD_FAILURE() << "no command " << command;
        return -1;
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

const std::vector<std::string_view> kStraight = {
    "##########", "#........#", "#.......o#", "#........#", "##########"};
const std::vector<std::string_view> kWalledIn = {
    "##########", "#........#", "#.....###.", "#.....#o#.", "#.....###.", "##########"};

TEST_F(SolveCommandsTest, PrintsPuttsThatReallyHoleOut) {
    const std::string file = write("straight.lev", kStraight, 1.5, 2.5);
    ASSERT_EQ(run("solve", {file}), 0) << err_.str();
    std::istringstream lines(out_.str());
    std::string word;
    std::string speedText;
    std::string headingText;
    lines >> word >> speedText >> headingText;
    ASSERT_EQ(word, "putt:");
    const double speed = parseLeadingDouble(speedText);
    const double heading = parseLeadingDouble(headingText);
    lines >> word;
    EXPECT_EQ(word, "strokes:");
    int strokes = 0;
    lines >> strokes;
    EXPECT_EQ(strokes, 1);
    // Played on the level, the printed putt sinks.
    Level level;
    ASSERT_EQ(loadLevelFile(file, level), LevelLoadResult::Loaded);
    EXPECT_TRUE(PuttSimulator(level).putt(1.5, 2.5, speed, heading).holed);
}

TEST_F(SolveCommandsTest, ReportsFailureAndRefusesBadArguments) {
    const std::string walled = write("walled.lev", kWalledIn, 1.5, 2.5);
    EXPECT_EQ(run("solve", {walled, "--max-strokes", "2"}), 1);
    EXPECT_NE(out_.str().find("not holed out"), std::string::npos) << out_.str();
    EXPECT_EQ(out_.str().find("strokes:"), std::string::npos);

    EXPECT_EQ(run("solve", {(dir_ / "missing.lev").string()}), 1);
    EXPECT_EQ(run("solve", {}), 2);
    EXPECT_EQ(run("solve", {walled, "--max-strokes", "0"}), 2);
    EXPECT_EQ(run("solve", {walled, "--max-strokes", "2.5"}), 2);
    EXPECT_EQ(run("solve", {walled, "--time-limit", "nan"}), 2);
    EXPECT_EQ(run("solve", {walled, "--time-limit"}), 2);
}

TEST_F(SolveCommandsTest, ParListsEveryLevelOfAFolderTree) {
    write("straight.lev", kStraight, 1.5, 2.5);
    write("more/walled.lev", kWalledIn, 1.5, 2.5);
    std::ofstream(dir_ / "notes.txt") << "not a level";
    ASSERT_EQ(run("par", {dir_.string()}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "more/walled.lev: walled: no par (not holed out in 7 strokes)\n"
              "straight.lev: straight: par 1\n");

    std::ofstream(dir_ / "broken.lev") << "garbage";
    EXPECT_EQ(run("par", {dir_.string()}), 1);
    EXPECT_NE(err_.str().find("broken.lev"), std::string::npos);
    EXPECT_EQ(run("par", {(dir_ / "nowhere").string()}), 1);
}

}  // namespace
}  // namespace trundlex::tool
