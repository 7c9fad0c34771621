#include "util/RandomSource.h"

#include <chrono>

namespace trundlex {

SeededRandom SeededRandom::fromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return SeededRandom(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

}  // namespace trundlex
