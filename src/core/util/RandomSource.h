#pragma once

#include <cstdint>
#include <random>

namespace trundlex {

// Where random choices come from: draws from 0 to 32767, one at a time. A program owns one
// source, seeded once at start-up; tests hand in a scripted one. Not safe to share between
// threads without a lock.
class RandomSource {
public:
    static constexpr int Max = 32767;

    virtual ~RandomSource() = default;
    // The next draw, 0 ... Max.
    virtual int next() = 0;
};

// A seeded source. The same seed gives the same draws on every computer and with every
// standard library, since the draws are taken straight from the Mersenne Twister's bits (no
// library distribution in between): a random level made from a seed is the same everywhere.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    // A source seeded from the current time, as a program does once at start-up.
    static SeededRandom fromClock();

    int next() override { return static_cast<int>(engine_() >> 17); }

private:
    std::mt19937 engine_;
};

}  // namespace trundlex
