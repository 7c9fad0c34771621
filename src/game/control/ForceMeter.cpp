#include "ForceMeter.h"

#include <algorithm>
#include <cmath>

#include "util/RandomSource.h"

namespace trundlex::forcemeter {

double next(double force) {
    return std::min(MaxForce, force + 0.1 * std::pow(force, 0.4) + 0.003);
}

double tremble(double aim, double force, RandomSource& random) {
    if (random.next() % 20 == 0) {
        return aim;
    }
    const double q = random.next() / 32767.0;
    const double sign = random.next() % 2 == 0 ? 1.0 : -1.0;
    const double pi = std::acos(-1.0);
    const double strength = force / MaxForce;
    return aim + sign * (q * q / 2) * ((pi / 20) * strength * strength);
}

}  // namespace trundlex::forcemeter
