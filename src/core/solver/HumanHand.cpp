#include "HumanHand.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "PuttSolver.h"
#include "util/PortableMath.h"

namespace trundlex {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kFullForce = PuttSolver::MaxSpeed;

}  // namespace

double HandSpread::headingSigma(double speed) const {
    const double share = std::clamp(speed / kFullForce, 0.0, 1.0);
    const double tremble = trembleDegrees * pmath::pow(share, 2.3);
    return pmath::hypot(aimDegrees, tremble) * kDegree;
}

double HandSpread::speedSigma(double speed) const {
    const double timing = timingTicks * 0.1 * pmath::pow(std::max(speed, PuttSolver::MinSpeed), -0.6);
    return pmath::hypot(judgement, timing);
}

double HumanHand::normal() {
    // Twelve uniform draws on [0, 1) in steps of 2^-32.
    double sum = 0.0;
    for (int i = 0; i < 12; ++i) {
        sum += static_cast<double>(engine_()) * 0x1p-32;
    }
    return sum - 6.0;
}

HumanHand::Putt HumanHand::play(double speed, double heading) {
    const double headingError = spread_.headingSigma(speed) * normal();
    const double speedError = spread_.speedSigma(speed) * normal();
    return {std::clamp(speed * (1.0 + speedError), PuttSolver::MinSpeed, PuttSolver::MaxSpeed),
            std::remainder(heading + headingError, 2.0 * std::numbers::pi)};
}

}  // namespace trundlex
