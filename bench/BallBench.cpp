// Ball simulation speed: sub-steps per second in typical situations, and one whole putt.
// Run: build/bin/ball_bench
#include <benchmark/benchmark.h>

#include <numbers>

#include "ball/Ball.h"
#include "ball/PuttSimulator.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

class NullOwner : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification) override {}
};

// Putts again and again from the same place; the number of sub-steps run.
std::int64_t repeatPutt(benchmark::State& state, const Level& level, double x, double y,
                        double speed, double heading, SpeedMode mode) {
    Ball ball;
    NullOwner owner;
    std::int64_t subSteps = 0;
    for (auto _ : state) {
        ball.SetLevel(level);
        ball.SetX(x);
        ball.SetY(y);
        ball.PuttNow(speed, heading, &owner, mode);
        subSteps += ball.GetSubStepCount();
    }
    return subSteps;
}

// Sub-steps per second with the probes everywhere (range 0, what the animated ball does) or
// skipped where they cannot find anything (range 1, synchronous putts and searches).
void runPutts(benchmark::State& state, const Level& level, double x, double y, double speed,
              double heading) {
    const PuttSimulator sim(level, state.range(0) == 0 ? PuttSimulator::Probing::Everywhere
                                                       : PuttSimulator::Probing::WhereNeeded);
    std::int64_t subSteps = 0;
    for (auto _ : state) {
        const PuttOutcome end = sim.putt(x, y, speed, heading);
        benchmark::DoNotOptimize(end);
        subSteps += end.subSteps;
    }
    state.SetLabel(state.range(0) == 0 ? "probing everywhere" : "probing where needed");
    state.counters["substeps/s"] =
        benchmark::Counter(static_cast<double>(subSteps), benchmark::Counter::kIsRate);
}

void OpenFlatGrass(benchmark::State& state) {
    const Level level = testing::asciiLevel(std::vector<std::string_view>(30, std::string_view(
        "..............................")));
    runPutts(state, level, 3.0, 15.0, 5.0, 0.05);
}
BENCHMARK(OpenFlatGrass)->Arg(0)->Arg(1);

void AlongAWall(benchmark::State& state) {
    // Slope pressing the ball against the wall below it while it rolls along.
    const Level level = testing::asciiLevel({
        "..............................",
        "vvvvvvvvvvvvvvvvvvvvvvvvvvvvvv",
        "##############################",
    });
    runPutts(state, level, 1.0, 1.64, 8.0, 0.0);
}
BENCHMARK(AlongAWall)->Arg(0)->Arg(1);

void CirclingTheCup(benchmark::State& state) {
    // Fast past the cup: it pulls the ball round for up to 40 sub-steps, probing the ring.
    const Level level = testing::asciiLevel({
        "...........",
        "...........",
        ".....o.....",
        "...........",
        "...........",
    });
    runPutts(state, level, 1.0, 2.95, 12.0, 0.0);
}
BENCHMARK(CirclingTheCup)->Arg(0)->Arg(1);

void FullPuttForce80(benchmark::State& state) {
    // A 20 x 20 course with walls, sand, ice and slopes; one putt in Fastest to its end.
    const Level level = testing::asciiLevel({
        "####################", "#..................#", "#..ss......>>>>....#",
        "#..ss......>>>>....#", "#.......##.........#", "#.......##....iii..#",
        "#..............iii.#", "#....^^^...........#", "#....^^^.....ss....#",
        "#.............ss....", "#..~~..............#", "#..~~......vvv.....#",
        "#..........vvv.....#", "#...iiii...........#", "#...iiii......##...#",
        "#.............##...#", "#.......<<<<.......#", "#..............o...#",
        "#..................#", "####################",
    });
    const std::int64_t subSteps = repeatPutt(state, level, 2.0, 2.0, 80.0, 0.1, Fastest);
    state.counters["substeps/putt"] = benchmark::Counter(
        static_cast<double>(subSteps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(FullPuttForce80)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
