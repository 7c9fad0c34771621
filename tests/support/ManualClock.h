#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "util/Clock.h"

namespace trundlex::testing {

// A clock that moves only when a test says so: timers fall due in advance(), in time order.
class ManualClock : public Clock {
public:
    TimerId startTimer(int milliseconds, std::function<void()> task) override {
        const TimerId id = ++last_;
        timers_.emplace(std::pair{now_ + milliseconds, id}, std::move(task));
        return id;
    }
    void stopTimer(TimerId id) override {
        std::erase_if(timers_, [id](const auto& timer) { return timer.first.second == id; });
    }

    // Moves time on by `milliseconds`, running each timer that falls due on the way, also
    // those that the tasks start.
    void advance(std::int64_t milliseconds) {
        const std::int64_t until = now_ + milliseconds;
        while (!timers_.empty() && timers_.begin()->first.first <= until) {
            const auto due = timers_.begin();
            now_ = due->first.first;
            const std::function<void()> task = std::move(due->second);
            timers_.erase(due);
            task();
        }
        now_ = until;
    }
    std::size_t pendingTimers() const { return timers_.size(); }

private:
    std::int64_t now_ = 0;
    TimerId last_ = 0;
    // By due time, then by start order.
    std::map<std::pair<std::int64_t, TimerId>, std::function<void()>> timers_;
};

}  // namespace trundlex::testing
