// Proves the template pieces in resources/RBites make playable courses: for seeds 1 ... 30 the
// putt solver (the ball simulation itself) must find putts that hole out on the generated
// level, and those putts must hole out again on a fresh ball. Prints per seed how many putts
// were needed and how long the search took.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "model/RandomLevelGenerator.h"
#include "solver/PuttSolver.h"
#include "support/ReplayPutts.h"

namespace trundlex::testing {
namespace {

const std::string kPieces = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/RBites";

// A route has at most 15 tiles; a corner or the post of a straight may cost a putt each.
constexpr int kMaxStrokes = 30;

bool holesOut(std::uint32_t seed) {
    SeededRandom draws(seed);
    RandomLevelGenerator generator(kPieces, draws);
    if (!generator.Generate()) {
        ADD_FAILURE() << "seed " << seed << ": " << generator.problems().front();
        return false;
    }
    const auto begin = std::chrono::steady_clock::now();
    const SolverResult result = PuttSolver(generator.level()).solve({.maxStrokes = kMaxStrokes});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const bool holed = result.holed && replayHolesOut(generator.level(), result.putts);
    std::printf("seed %2u: %s in %zu putts, %.2f s, %lld putts simulated\n", seed,
                holed ? "holed out" : "NOT holed out", result.putts.size(), seconds,
                static_cast<long long>(result.simulatedPutts));
    return holed;
}

TEST(GeneratedLevels, EverySeedFromOneToThirtyHolesOut) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        EXPECT_TRUE(holesOut(seed)) << "seed " << seed << " could not be holed out";
    }
}

}  // namespace
}  // namespace trundlex::testing
