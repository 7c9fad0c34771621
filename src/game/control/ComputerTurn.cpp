#include "ComputerTurn.h"

#include "solver/PuttSolver.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// A person waits no longer for a computer's putt; the plan takes a fraction of it on most
// positions (a straight putt at the cup is tried first), and a cut plan is still the best
// found so far.
constexpr double kThinkingSeconds = 1.0;

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
