#include "util/VirtualClock.h"

namespace trundlex {

Clock::TimerId VirtualClock::startTimer(int milliseconds, std::function<void()> task) {
    const TimerId id = ++last_;
    timers_.emplace(std::pair{now_ + milliseconds, id}, std::move(task));
    return id;
}

void VirtualClock::stopTimer(TimerId id) {
    std::erase_if(timers_, [id](const auto& timer) { return timer.first.second == id; });
}

void VirtualClock::advance(std::int64_t milliseconds) {
    const std::int64_t until = now_ + milliseconds;
    while (!timers_.empty() && timers_.begin()->first.first <= until) {
        runNext();
    }
    now_ = until;
}

std::optional<std::int64_t> VirtualClock::nextDue() const {
    if (timers_.empty()) {
        return std::nullopt;
    }
    return timers_.begin()->first.first;
}

bool VirtualClock::runNext() {
    if (timers_.empty()) {
        return false;
    }
    const auto due = timers_.begin();
    now_ = due->first.first;
    const std::function<void()> task = std::move(due->second);
    timers_.erase(due);
    task();
    return true;
}

}  // namespace trundlex
