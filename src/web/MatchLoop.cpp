#include "MatchLoop.h"

#include <chrono>

namespace trundlex::web {

MatchLoop::Step MatchLoop::step(const std::function<bool()>& busy, std::int64_t until) {
    using std::chrono::steady_clock;
    std::function<void()> task = take(steady_clock::now());
    // Work on another thread will post its result: wait for it rather than let time pass.
    while (!task && !isReleased() && busy && busy()) {
        task = take(steady_clock::now() + std::chrono::milliseconds(5));
    }
    if (task) {
        task();
        return Step::RanTask;
    }
    const std::optional<std::int64_t> due = nextDue();
    if (due && *due <= until) {
        runNext();
        return Step::RanTimer;
    }
    if (until != Forever && until > now()) {
        advance(until - now());
    }
    return Step::Idle;
}

}  // namespace trundlex::web
