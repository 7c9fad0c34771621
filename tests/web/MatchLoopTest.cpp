#include "web/MatchLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace trundlex::web {
namespace {

using Step = MatchLoop::Step;

TEST(MatchLoop, PostedTasksRunFirstThenTimeJumpsToEachTimerInTurn) {
    MatchLoop loop;
    std::vector<std::string> ran;
    loop.startTimer(300, [&] { ran.push_back("300"); });
    const auto dropped = loop.startTimer(200, [&] { ran.push_back("200"); });
    loop.startTimer(100, [&] {
        ran.push_back("100");
        loop.post([&] { ran.push_back("posted by 100"); });
    });
    loop.post([&] { ran.push_back("posted"); });
    loop.stopTimer(dropped);

    EXPECT_EQ(loop.step({}), Step::RanTask);
    EXPECT_EQ(loop.now(), 0);
    EXPECT_EQ(loop.step({}), Step::RanTimer);
    EXPECT_EQ(loop.now(), 100);
    EXPECT_EQ(loop.step({}), Step::RanTask);
    EXPECT_EQ(loop.step({}), Step::RanTimer);
    EXPECT_EQ(loop.now(), 300);
    EXPECT_EQ(loop.step({}), Step::Idle);
    EXPECT_EQ(ran, (std::vector<std::string>{"posted", "100", "posted by 100", "300"}));
}

TEST(MatchLoop, APageClockHoldsTimeBackAndTimersFallDueWhenItGetsThere) {
    MatchLoop loop;
    std::vector<int> ran;
    loop.startTimer(40, [&] { ran.push_back(40); });
    loop.startTimer(100, [&] { ran.push_back(100); });
    EXPECT_EQ(loop.step({}, 30), Step::Idle);
    EXPECT_EQ(loop.now(), 30) << "time follows the page's clock while nothing is due";
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(loop.step({}, 60), Step::RanTimer);
    EXPECT_EQ(loop.now(), 40);
    EXPECT_EQ(loop.step({}, 60), Step::Idle);
    EXPECT_EQ(loop.now(), 60);
    EXPECT_EQ(loop.step({}, 50), Step::Idle);
    EXPECT_EQ(loop.now(), 60) << "a clock behind the game's moves nothing back";
    EXPECT_EQ(loop.step({}, 100), Step::RanTimer);
    EXPECT_EQ(ran, (std::vector<int>{40, 100}));
}

TEST(MatchLoop, WaitsForBusyWorkToPostBeforeLettingTimePass) {
    MatchLoop loop;
    bool timerRan = false;
    loop.startTimer(50, [&] { timerRan = true; });
    std::atomic<bool> working{true};
    std::atomic<int> spins{0};
    std::thread worker([&] {
        // However long this takes, the loop must take its result before the timer.
        for (int i = 0; i < 1000000; ++i) {
            spins.fetch_add(1);
        }
        loop.post([] {});
        working = false;
    });
    EXPECT_EQ(loop.step([&] { return working.load(); }), Step::RanTask);
    EXPECT_FALSE(timerRan);
    worker.join();
    EXPECT_EQ(loop.step([&] { return working.load(); }), Step::RanTimer);
    EXPECT_TRUE(timerRan);
}

TEST(MatchLoop, HandsOffWorkFromAnotherThreadAndLetsItGoWhenReleased) {
    MatchLoop loop;
    int value = 0;
    EXPECT_TRUE(loop.run([&] { value = 1; })) << "on the owner's thread it runs at once";
    EXPECT_EQ(value, 1);
    std::atomic<bool> handedOff{false};
    std::thread worker([&] { handedOff = loop.run([&] { value = 2; }); });
    while (loop.step({}) != Step::RanTask) {
    }
    worker.join();
    EXPECT_TRUE(handedOff);
    EXPECT_EQ(value, 2);

    std::atomic<bool> ranAfterRelease{true};
    std::thread waiter([&] { ranAfterRelease = loop.run([&] { value = 3; }); });
    loop.release();
    waiter.join();
    EXPECT_EQ(value, 2);
    EXPECT_FALSE(loop.post([] {}));
}

}  // namespace
}  // namespace trundlex::web
