#include "ComputerTurn.h"

#include "solver/PuttSolver.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// Long enough for a good putt on any shipped level, short enough not to bore the others.
constexpr double kThinkingSeconds = 3.0;

}  // namespace

void ComputerTurn::start(const Level& level, double x, double y, ComputerStrength strength,
                         std::uint32_t seed, std::function<void(ComputerPutt)> done) {
    thinking_ = true;
    job_.start([this, level, x, y, strength, seed, done = std::move(done)](
                   const std::atomic<bool>& stop, const BackgroundJob::Deliver& deliver) {
        const PuttSolver solver(level);
        SeededRandom random(seed);
        const ComputerPutt putt =
            chooseComputerPutt(solver, x, y, strength, random, kThinkingSeconds, &stop);
        deliver([this, putt, done] {
            thinking_ = false;
            done(putt);
        });
    });
}

void ComputerTurn::cancel() {
    job_.cancel();
    thinking_ = false;
}

}  // namespace trundlex
