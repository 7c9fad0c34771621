#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "util/Clock.h"
#include "util/TaskRelay.h"

namespace trundlex::web {

// The event loop and the clock of a game that a page runs step by step: what the game posts
// (background results, balls that stopped) and its timers, on one thread, the loop's owner.
// Time is the loop's own and passes only when nothing else is left to do: then the next
// timer falls due at once. So a game runs as fast as it can and always the same way, whatever
// the speed of the computer, and a page paces what it shows by the events it gets.
class MatchLoop : public Clock, public TaskRelay, public TaskHandoff {
public:
    TimerId startTimer(int milliseconds, std::function<void()> task) override;
    void stopTimer(TimerId id) override;

    // From any thread; false once released.
    bool post(std::function<void()> task) override;
    // From another thread: waits until the owner has run `work` in one of its steps. On the
    // owner's thread: runs it at once.
    bool run(std::function<void()> work) override;
    void release() override;

    // What step() did.
    enum class Step : std::int32_t {
        RanTask = 0,   // a posted task ran
        RanTimer = 1,  // nothing was posted: time moved on to the next timer, which ran
        Idle = 2,      // nothing posted, no timer, and no work under way that could post
    };
    // Runs the next posted task, or else moves time on to the next timer and runs it. Where
    // work runs on other threads (`busy` says whether any is under way), waits for what it
    // posts before letting time pass, so that every build takes the same steps.
    Step step(const std::function<bool()>& busy);

    // The loop's time in milliseconds since it began.
    std::int64_t now() const { return now_; }
    std::size_t pendingTimers() const { return timers_.size(); }

private:
    const std::thread::id owner_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
    bool released_ = false;

    std::int64_t now_ = 0;
    TimerId last_ = 0;
    // By due time, then by start order.
    std::map<std::pair<std::int64_t, TimerId>, std::function<void()>> timers_;
};

}  // namespace trundlex::web
