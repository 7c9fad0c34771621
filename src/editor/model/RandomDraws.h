#pragma once

#include <cstdint>
#include <random>

namespace trundlex {

// Where the editor's random choices come from: draws from 0 to 32767, one at a time. The
// editor owns one source, seeded once; tests hand in a scripted one.
class RandomDraws {
public:
    static constexpr int Max = 32767;

    virtual ~RandomDraws() = default;
    // The next draw, 0 ... Max.
    virtual int next() = 0;
};

// A seeded source: the same seed gives the same draws on every computer, since the draws
// are taken straight from the Mersenne Twister's bits (no library distribution in between).
class SeededDraws final : public RandomDraws {
public:
    explicit SeededDraws(std::uint32_t seed) : engine_(seed) {}

    int next() override { return static_cast<int>(engine_() >> 17); }

private:
    std::mt19937 engine_;
};

}  // namespace trundlex
