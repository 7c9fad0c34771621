// The dedicated host's main thread sleeps on StopOrWake: network threads wake it, and a stop
// (a signal, or a console event on Windows) ends it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "StopOrWake.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

namespace trundlex::tool {
namespace {

using namespace std::chrono_literals;

// Sends the process the request to stop that a user's Ctrl+C makes.
void askToStop() {
#ifdef _WIN32
    ASSERT_TRUE(StopOrWake::consoleEvent(CTRL_C_EVENT));
#else
    ASSERT_EQ(::raise(SIGINT), 0);
#endif
}

TEST(StopOrWake, WakeUpsFromManyThreadsNeverBlockAndWakeTheSleeper) {
    StopOrWake signals;
    ASSERT_TRUE(signals.ok());
    // Far more wake-ups than any pipe holds, while nobody sleeps: none of them may block.
    auto flood = std::async(std::launch::async, [&signals] {
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&signals] {
                for (int i = 0; i < 20000; ++i) {
                    signals.wake();
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    });
    ASSERT_EQ(flood.wait_for(20s), std::future_status::ready) << "a wake-up blocked";
    EXPECT_FALSE(signals.waitForStop());
    // A sleeper is woken by a later wake-up from another thread.
    std::thread later([&signals] { signals.wake(); });
    EXPECT_FALSE(signals.waitForStop());
    later.join();
}

TEST(StopOrWake, AStopIsReportedBeforeWakeUpsThatCameWithIt) {
    StopOrWake signals;
    ASSERT_TRUE(signals.ok());
    signals.wake();
    askToStop();
    signals.wake();
    EXPECT_TRUE(signals.waitForStop());
}

TEST(StopOrWake, AStopFromAnotherThreadEndsTheSleep) {
    StopOrWake signals;
    ASSERT_TRUE(signals.ok());
    std::thread user([] { askToStop(); });
    EXPECT_TRUE(signals.waitForStop());
    user.join();
}

#ifdef _WIN32
// Windows ends the process as soon as the handler of a console close returns: the handler
// must hold on until the host has said goodbye to its clients, that is until the object goes.
TEST(StopOrWake, ClosingTheConsoleWaitsUntilTheHostHasEnded) {
    for (const unsigned long event : {CTRL_CLOSE_EVENT, CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT}) {
        auto signals = std::make_unique<StopOrWake>();
        std::atomic<bool> returned{false};
        auto handler = std::async(std::launch::async, [&] {
            const bool handled = StopOrWake::consoleEvent(event);
            returned = true;
            return handled;
        });
        EXPECT_TRUE(signals->waitForStop()) << event;
        EXPECT_FALSE(returned) << "the handler let Windows end a host still running: " << event;
        signals.reset();
        ASSERT_EQ(handler.wait_for(20s), std::future_status::ready) << event;
        EXPECT_TRUE(handler.get()) << event;
    }
}

TEST(StopOrWake, ConsoleEventsWithoutAHostAreLeftToWindows) {
    { StopOrWake signals; }
    EXPECT_FALSE(StopOrWake::consoleEvent(CTRL_C_EVENT));
    EXPECT_FALSE(StopOrWake::consoleEvent(CTRL_CLOSE_EVENT));
}
#else
TEST(StopOrWake, TheSignalHandlersBeforeItComeBackWhenItGoes) {
    static std::atomic<int> earlier{0};
    struct sigaction mine {};
    mine.sa_handler = [](int) { earlier.fetch_add(1); };
    sigemptyset(&mine.sa_mask);
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGTERM, &mine, &before), 0);
    {
        StopOrWake signals;
        ASSERT_EQ(::raise(SIGTERM), 0);
        EXPECT_TRUE(signals.waitForStop());
        EXPECT_EQ(earlier.load(), 0);
    }
    ASSERT_EQ(::raise(SIGTERM), 0);
    EXPECT_EQ(earlier.load(), 1);
    ::sigaction(SIGTERM, &before, nullptr);
}
#endif

}  // namespace
}  // namespace trundlex::tool
