#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "util/Clock.h"

namespace trundlex {

// A clock whose time moves only when its owner moves it: timers fall due in advance() or
// runNext(), in time order (those due at the same time in the order started). For running a
// game as fast as it can and the same way every time (tests, the page's module).
class VirtualClock : public Clock {
public:
    TimerId startTimer(int milliseconds, std::function<void()> task) override;
    void stopTimer(TimerId id) override;

    // Moves time on by `milliseconds`, running each timer that falls due on the way, also
    // those that the tasks start.
    void advance(std::int64_t milliseconds);
    // Moves time on to the next timer and runs it; false (time stands) when there is none.
    bool runNext();

    // Milliseconds since the clock began.
    std::int64_t now() const { return now_; }
    std::size_t pendingTimers() const { return timers_.size(); }
    // When the next timer falls due; nothing when none is running.
    std::optional<std::int64_t> nextDue() const;

private:
    std::int64_t now_ = 0;
    TimerId last_ = 0;
    // By due time, then by start order.
    std::map<std::pair<std::int64_t, TimerId>, std::function<void()>> timers_;
};

}  // namespace trundlex
