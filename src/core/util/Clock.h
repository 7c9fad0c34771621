#pragma once

#include <cstdint>
#include <functional>

namespace trundlex {

// Timers on the owner's thread. The game's rules wait through it (the force meter's ticks,
// the pause before a computer player putts), so tests can run them without real waiting.
class Clock {
public:
    using TimerId = std::uint64_t;

    virtual ~Clock() = default;
    // Runs `task` once, on the owner's thread, when `milliseconds` have passed. Never 0.
    virtual TimerId startTimer(int milliseconds, std::function<void()> task) = 0;
    // The task of `id` will not run; finished or unknown timers and 0 are ignored.
    virtual void stopTimer(TimerId id) = 0;
};

}  // namespace trundlex
