// Proves the template pieces in resources/RBites make playable courses: for seeds 1 ... 30 the
// putt solver (the ball simulation itself) must find putts that hole out
// on the generated level, and those putts must hole out again on a fresh ball. Prints per
// seed how many putts were needed and how long the search took, then the spread.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "model/RandomLevelGenerator.h"
#include "solver/PuttSolver.h"
#include "support/ReplayPutts.h"

namespace trundlex::testing {
namespace {

const std::string kPieces = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/RBites";

// A route has at most 15 tiles; a corner or the post of a straight may cost a putt each.
constexpr int kMaxStrokes = 30;
constexpr std::uint32_t kSeeds = 30;

struct Outcome {
    std::uint32_t seed = 0;
    bool holed = false;
    std::size_t putts = 0;
    double seconds = 0.0;
};

Outcome searchSeed(std::uint32_t seed) {
    SeededRandom draws(seed);
    RandomLevelGenerator generator(kPieces, draws);
    Outcome outcome{seed};
    if (!generator.Generate()) {
        ADD_FAILURE() << "seed " << seed << ": " << generator.problems().front();
        return outcome;
    }
    const auto begin = std::chrono::steady_clock::now();
    const SolverResult result = PuttSolver(generator.level()).solve({.maxStrokes = kMaxStrokes});
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    outcome.holed = result.holed && replayHolesOut(generator.level(), result.putts);
    outcome.putts = result.putts.size();
    std::printf("seed %2u: %s in %zu putt%s, %.2f s, %lld putts simulated\n", seed,
                outcome.holed ? "holed out" : "NOT holed out", outcome.putts,
                outcome.putts == 1 ? "" : "s", outcome.seconds,
                static_cast<long long>(result.simulatedPutts));
    return outcome;
}

TEST(GeneratedLevels, EverySeedFromOneToThirtyHolesOut) {
    std::vector<Outcome> outcomes;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        outcomes.push_back(searchSeed(seed));
        EXPECT_TRUE(outcomes.back().holed) << "seed " << seed << " could not be holed out";
    }
    std::vector<std::size_t> putts;
    double total = 0.0;
    double slowest = 0.0;
    for (const Outcome& o : outcomes) {
        if (o.holed) {
            putts.push_back(o.putts);
        }
        total += o.seconds;
        slowest = std::max(slowest, o.seconds);
    }
    ASSERT_FALSE(putts.empty());
    std::sort(putts.begin(), putts.end());
    const double median = putts.size() % 2 == 1
                              ? static_cast<double>(putts[putts.size() / 2])
                              : (putts[putts.size() / 2 - 1] + putts[putts.size() / 2]) / 2.0;
    std::printf(
        "putts to hole out: minimum %zu, median %.1f, maximum %zu; search %.1f s in "
        "all, %.1f s at most for one level\n",
        putts.front(), median, putts.back(), total, slowest);
}

}  // namespace
}  // namespace trundlex::testing
