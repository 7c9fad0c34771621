// The par of every shipped level under a person's hand (what the game works out in the
// background for a new set of levels), and how long the computer player thinks about a putt.
// Run: build/bin/par_bench (from the build tree; the levels are read from the source tree).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "level/LevelFile.h"
#include "library/Course.h"
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

// The three strengths on each shipped course with fixed seeds, 10 games a hole (what
// `trundlex-tool play-course COURSE --games 10 --seed 1` prints as each strength's total):
// for each course its par and the three mean totals, and ok = 1 when easy scores more than
// medium and medium more than hard, hard at or under par and easy at least a stroke a hole
// over it. allOk = 1 when every course is ok.
void computerStrengthsOnEachCourse(benchmark::State& state) {
    const std::vector<Level> levels = shippedLevels();
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(TRUNDLEX_SOURCE_DIR "/resources/courses")) {
        if (entry.path().extension() == ".cou") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    constexpr int kGames = 10;
    bool allOk = true;
    for (auto _ : state) {
        for (const std::filesystem::path& file : files) {
            Course course;
            if (!course.load(file.string())) {
                state.SkipWithError("a shipped course cannot be read");
                return;
            }
            int par = 0;
            double total[3] = {0.0, 0.0, 0.0};
            for (int hole = 0; hole < course.levelCount(); ++hole) {
                const auto level = std::find_if(levels.begin(), levels.end(), [&](const Level& l) {
                    return l.id() == course.levelId(hole);
                });
                if (level == levels.end()) {
                    state.SkipWithError("a course names a level that is not shipped");
                    return;
                }
                par += computePar(*level);
                const PuttSolver solver(*level);
                int s = 0;
                for (const ComputerStrength strength :
                     {ComputerStrength::Easy, ComputerStrength::Medium, ComputerStrength::Hard}) {
                    PuttPlanner planner(solver, {});  // each strength plans afresh, as alone
                    const TrialResult played = playTrials(
                        solver, planner, level->startX(), level->startY(),
                        {.trials = kGames, .seed = 1 + static_cast<std::uint32_t>(hole),
                         .hand = handOf(strength), .strokeLimit = ParStrokeLimit});
                    for (const int score : played.strokes) {
                        total[s] += score / static_cast<double>(kGames);
                    }
                    ++s;
                }
            }
            const std::string name = file.stem().string();
            const bool ok = total[0] > total[1] && total[1] > total[2] && total[2] <= par &&
                            total[0] >= par + course.levelCount();
            allOk = allOk && ok;
            state.counters[name + "Par"] = par;
            state.counters[name + "Easy"] = total[0];
            state.counters[name + "Medium"] = total[1];
            state.counters[name + "Hard"] = total[2];
            state.counters[name + "Ok"] = ok ? 1 : 0;
        }
    }
    state.counters["allOk"] = allOk ? 1 : 0;
}
BENCHMARK(computerStrengthsOnEachCourse)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
