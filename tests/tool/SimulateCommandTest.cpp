#include <gtest/gtest.h>

#include <sstream>

#include "ball/Ball.h"
#include "level/Archive.h"
#include "support/AsciiLevel.h"
#include "support/SilentBallOwner.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"
#include "util/TextNumbers.h"

namespace trundlex::testing {
namespace {

class SimulateCommandTest : public ::testing::Test {
protected:
    const Level level_ = asciiLevel({"........", "....#...", "......~.", "........"});
    TempFolder folder;
    const std::string path_ = folder.write("level.lev", encodeArchiveString(level_.toText()));
    ToolRunner tool;
};

TEST_F(SimulateCommandTest, PrintsWhereTheBallStoppedToTheLastBit) {
    ASSERT_EQ(tool.run("simulate",
                       {path_, "--speed", "6.5", "--heading", "0.3", "--x", "1.25", "--y", "1.5"}),
              0)
        << tool.err();
    SilentBallOwner owner;
    Ball ball;
    ball.SetLevel(level_);
    ball.SetX(1.25);
    ball.SetY(1.5);
    ASSERT_TRUE(ball.PuttNow(6.5, 0.3, &owner, Normal));
    EXPECT_EQ(tool.out(), "result: stopped " + formatExact(ball.GetX()) + " " +
                              formatExact(ball.GetY()) + " " +
                              std::to_string(ball.GetSubStepCount()) + "\n");
}

TEST_F(SimulateCommandTest, TraceListsTicksAndSounds) {
    ASSERT_EQ(tool.run("simulate", {path_, "--speed", "2.5", "--heading", "0", "--x", "2.5", "--y",
                                    "1.5", "--mode", "1", "--trace"}),
              0);
    std::istringstream lines(tool.out());
    std::string line;
    int ticks = 0;
    int sounds = 0;
    std::string last;
    while (std::getline(lines, line)) {
        ticks += line.starts_with("tick: ");
        sounds += line == "sound: sounds/HitWall.wav";
        last = line;
    }
    EXPECT_GT(ticks, 10);
    EXPECT_EQ(sounds, 1) << tool.out();
    EXPECT_TRUE(last.starts_with("result: stopped ")) << last;
}

TEST_F(SimulateCommandTest, MissingLevelFileFails) {
    EXPECT_EQ(tool.run("simulate", {"/nonexistent.lev", "--speed", "5", "--heading", "0"}), 1);
    EXPECT_FALSE(tool.err().empty());
}

}  // namespace
}  // namespace trundlex::testing
