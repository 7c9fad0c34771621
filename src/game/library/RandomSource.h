#pragma once

#include <cstdint>
#include <random>

namespace trundlex {

// Where random choices come from: draws from 0 to 32767. The program owns one generator,
// seeded once at start-up; tests hand in a scripted one.
class RandomSource {
public:
    static constexpr int Max = 32767;

    virtual ~RandomSource() = default;
    // The next draw, 0 ... Max.
    virtual int next() = 0;
};

// The program's generator. Not safe to share between threads without a lock.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    // A generator seeded from the current time, as the program does once at start-up.
    static SeededRandom fromClock();

    int next() override { return draw_(engine_); }

private:
    std::mt19937 engine_;
    std::uniform_int_distribution<int> draw_{0, Max};
};

}  // namespace trundlex
