// The par of every shipped level under a person's hand (what the game works out in the
// background for a new set of levels), and how long the computer player thinks about a putt.
// Run: build/bin/par_bench (from the build tree; the levels are read from the source tree).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "level/LevelFile.h"
#include "play/ComputerPlayer.h"
#include "solver/HandTrials.h"
#include "solver/Par.h"
#include "solver/PuttPlanner.h"

namespace trundlex {
namespace {

std::vector<Level> shippedLevels() {
    std::vector<Level> levels;
    for (const auto& entry :
         std::filesystem::directory_iterator(TRUNDLEX_SOURCE_DIR "/resources/levels")) {
        Level level;
        if (entry.path().extension() == ".lev" &&
            loadLevelFile(entry.path().string(), level) == LevelLoadResult::Loaded) {
            levels.push_back(std::move(level));
        }
    }
    return levels;
}

// All pars, on both cores; counters: levels with par 1 and the sum of the pars.
void allShippedPars(benchmark::State& state) {
    const std::vector<Level> levels = shippedLevels();
    int parOne = 0;
    int sum = 0;
    for (auto _ : state) {
        parOne = 0;
        sum = 0;
        for (const Level& level : levels) {
            const int par = computePar(level);
            parOne += par == 1 ? 1 : 0;
            sum += par;
        }
    }
    state.counters["levels"] = static_cast<double>(levels.size());
    state.counters["par1"] = parOne;
    state.counters["parSum"] = sum;
}
BENCHMARK(allShippedPars)->Unit(benchmark::kSecond)->Iterations(1);

// A fresh plan from each level's start, as the computer player makes one per putt on one
// core: the median time is what a player waits.
void computerPlanFromEachStart(benchmark::State& state) {
    const std::vector<Level> levels = shippedLevels();
    std::vector<double> seconds;
    for (auto _ : state) {
        seconds.clear();
        for (const Level& level : levels) {
            const auto start = std::chrono::steady_clock::now();
            const PuttSolver solver(level);
            PuttPlanner planner(solver, {.threads = 1, .timeLimit = 1.0});
            benchmark::DoNotOptimize(planner.plan(level.startX(), level.startY()));
            seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["medianSeconds"] = seconds.empty() ? 0.0 : seconds[seconds.size() / 2];
    state.counters["maxSeconds"] = seconds.empty() ? 0.0 : seconds.back();
}
BENCHMARK(computerPlanFromEachStart)->Unit(benchmark::kSecond)->Iterations(1);

// The three strengths on every shipped level with fixed seeds, 8 games a hole (the same
// trials as `trundlex-tool play-course`): the mean strokes over par per hole of each, and
// ordered = 1 when easy scores more than medium and medium more than hard.
void computerStrengthsAgainstPar(benchmark::State& state) {
    const std::vector<Level> levels = shippedLevels();
    double over[3] = {0.0, 0.0, 0.0};
    for (auto _ : state) {
        for (double& o : over) {
            o = 0.0;
        }
        for (std::size_t i = 0; i < levels.size(); ++i) {
            const Level& level = levels[i];
            const int par = computePar(level);
            const PuttSolver solver(level);
            PuttPlanner planner(solver, {});
            int s = 0;
            for (const ComputerStrength strength :
                 {ComputerStrength::Easy, ComputerStrength::Medium, ComputerStrength::Hard}) {
                const TrialResult played = playTrials(
                    solver, planner, level.startX(), level.startY(),
                    {.trials = 8, .seed = static_cast<std::uint32_t>(i + 1),
                     .hand = handOf(strength), .strokeLimit = ParStrokeLimit});
                for (const int score : played.strokes) {
                    over[s] += (score - par) / 8.0 / static_cast<double>(levels.size());
                }
                ++s;
            }
        }
    }
    state.counters["easyOver"] = over[0];
    state.counters["mediumOver"] = over[1];
    state.counters["hardOver"] = over[2];
    state.counters["ordered"] = over[0] > over[1] && over[1] > over[2] ? 1 : 0;
}
BENCHMARK(computerStrengthsAgainstPar)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
