#include "ComputerTurn.h"

#include "solver/PuttSolver.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// Long enough for a good putt on any shipped level, short enough not to bore the others.
constexpr double kThinkingSeconds = 3.0;

}  // namespace

ComputerTurn::~ComputerTurn() {
    relay_.close();
    cancel();
}

void ComputerTurn::start(const Level& level, double x, double y, ComputerStrength strength,
                         std::uint32_t seed, std::function<void(ComputerPutt)> done) {
    cancel();
    stop_.store(false);
    thinking_ = true;
    const std::uint64_t generation = ++generation_;
    thread_ = std::thread([this, level, x, y, strength, seed, generation, done = std::move(done)] {
        const PuttSolver solver(level);
        SeededRandom random(seed);
        const ComputerPutt putt =
            chooseComputerPutt(solver, x, y, strength, random, kThinkingSeconds, &stop_);
        relay_.post([this, generation, putt, done] {
            if (generation != generation_) {
                return;  // cancelled, or overtaken by a newer start
            }
            thinking_ = false;
            done(putt);
        });
    });
}

void ComputerTurn::cancel() {
    ++generation_;
    thinking_ = false;
    stop_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace trundlex
