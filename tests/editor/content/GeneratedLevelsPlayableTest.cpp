// The pieces in resources/RBites make playable levels: for seeds 1 ... 30 the solver's putts
// hole out, and again on a fresh ball.
#include <gtest/gtest.h>

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
    const SolverResult result = PuttSolver(generator.level()).solve({.maxStrokes = kMaxStrokes});
    std::printf("seed %2u: %zu putts\n", seed, result.putts.size());
    return result.holed && replayHolesOut(generator.level(), result.putts);
}

TEST(GeneratedLevels, EverySeedFromOneToThirtyHolesOut) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        EXPECT_TRUE(holesOut(seed)) << "seed " << seed << " could not be holed out";
    }
}

}  // namespace
}  // namespace trundlex::testing
