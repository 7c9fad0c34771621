#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "ball/Ball.h"
#include "level/Archive.h"
#include "support/AsciiLevel.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {
namespace {

namespace fs = std::filesystem;

class SimulateTest : public ::testing::Test {
protected:
    void SetUp() override {
        level_ = trundlex::testing::asciiLevel({"........", "....#...", "......~.", "........"});
        path_ = (fs::temp_directory_path() /
                 ("trundlex-simulate-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                  ".lev"))
                    .string();
        std::ofstream(path_, std::ios::binary) << encodeArchiveString(level_.toText());
    }
    void TearDown() override { fs::remove(path_); }

    int run(std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        return simulateCommands().at(0).run(args, out_, err_);
    }

    Level level_;
    std::string path_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(SimulateTest, PrintsWhereTheBallStoppedToTheLastBit) {
    ASSERT_EQ(run({path_, "--speed", "6.5", "--heading", "0.3", "--x", "1.25", "--y", "1.5"}), 0)
        << err_.str();

    struct : BallOwner {
        void onBallNotification(std::int32_t, BallNotification) override {}
    } owner;
    Ball ball;
    ball.SetLevel(level_);
    ball.SetX(1.25);
    ball.SetY(1.5);
    ASSERT_TRUE(ball.PuttNow(6.5, 0.3, &owner, Normal));
    EXPECT_EQ(out_.str(), "result: stopped " + formatExact(ball.GetX()) + " " +
                              formatExact(ball.GetY()) + " " +
                              std::to_string(ball.GetSubStepCount()) + "\n");
}

TEST_F(SimulateTest, TraceListsTicksAndSounds) {
    ASSERT_EQ(run({path_, "--speed", "2.5", "--heading", "0", "--x", "2.5", "--y", "1.5", "--mode",
                   "1", "--trace"}),
              0);
    std::istringstream lines(out_.str());
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
    EXPECT_EQ(sounds, 1) << out_.str();
    EXPECT_TRUE(last.starts_with("result: stopped ")) << last;
}

TEST_F(SimulateTest, RefusesBadArguments) {
    EXPECT_EQ(run({path_, "--speed", "5"}), 2) << "heading missing";
    EXPECT_EQ(run({path_, "--speed", "5", "--heading", "x"}), 2);
    EXPECT_EQ(run({path_, "--speed", "5", "--heading", "0", "--mode", "-2"}), 2)
        << "a paused putt would never end";
    EXPECT_EQ(run({path_, "--speed", "5", "--heading", "0", "--x", "1"}), 2) << "x without y";
    EXPECT_EQ(run({path_, "--speed", "nan", "--heading", "0"}), 2);
    EXPECT_EQ(run({"/nonexistent.lev", "--speed", "5", "--heading", "0"}), 1);
    EXPECT_FALSE(err_.str().empty());
}

}  // namespace
}  // namespace trundlex::tool
