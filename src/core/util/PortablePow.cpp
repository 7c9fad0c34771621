#include "util/PortableMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "util/BitCast.h"
#include "util/ExactSteps.h"

// Like the sine and cosine beside it: IEEE operations in the written order and exact steps.
#if defined(__clang__)
#pragma clang fp contract(off)
#endif

namespace trundlex::pmath {

using exact::fastTwoSum;
using exact::Pair;
using exact::powerOfTwo;
using exact::twoProduct;
using exact::twoSum;

// ---- Powers: e^(y log x) with both steps carried a little beyond double precision ----

namespace {

// ln 2 in two pieces; the first has 42 significant bits, so n * kLn2Hi is exact for |n| < 2^11.
constexpr double kLn2Hi = 0x1.62e42fefa3800p-1;
constexpr double kLn2Lo = 0x1.ef35793c76730p-45;

// log x for a positive normal or subnormal x, as hi + lo.
Pair logPair(double x) {
    int e = 0;
    if (x < 0x1p-1022) {
        x *= 0x1p64;
        e = -64;
    }
    const std::uint64_t bits = bitCast<std::uint64_t>(x);
    e += static_cast<int>(bits >> 52) - 1023;
    double m = bitCast<double>((bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1023} << 52));
    if (m > 1.4142135623730951) {  // m in [sqrt(1/2), sqrt(2)): the series below converges fast
        m *= 0.5;
        ++e;
    }
    // log m = 2 atanh(s), s = (m - 1) / (m + 1), |s| < 0.172. The quotient is carried as
    // hi + lo (m - 1 is exact, m + 1 and the division's error are worked out exactly), since a
    // large exponent multiplies the error of the logarithm.
    const double f = m - 1.0;
    const Pair den = twoSum(m, 1.0);
    const double s = f / den.hi;
    const Pair sd = twoProduct(s, den.hi);
    const double sLo = (((f - sd.hi) - sd.lo) - s * den.lo) / den.hi;
    // 2 atanh(s) = 2s + 2s^3/3 + 2s^5 (1/5 + s^2/7 + ...): the first two terms as pairs too.
    const Pair sq = twoProduct(s, s);
    const Pair cube = twoProduct(s, sq.hi);
    const double cubeLo = cube.lo + s * sq.lo + 3.0 * sq.hi * sLo;  // (s + sLo)^3
    const double third = cube.hi / 3.0;
    const Pair back = twoProduct(third, 3.0);
    const double thirdLo = (((cube.hi - back.hi) - back.lo) + cubeLo) / 3.0;
    double series = 1.0 / 25.0;
    for (int k = 23; k >= 5; k -= 2) {
        series = 1.0 / k + sq.hi * series;
    }
    const double rest = 2.0 * cube.hi * sq.hi * series;
    const Pair lead = twoSum(2.0 * s, 2.0 * third);
    const Pair logM = fastTwoSum(lead.hi, lead.lo + (2.0 * sLo + 2.0 * thirdLo + rest));
    const Pair whole = twoSum(e * kLn2Hi, logM.hi);
    return fastTwoSum(whole.hi, whole.lo + (logM.lo + e * kLn2Lo));
}

// e^(t.hi + t.lo) for |t.hi| below about 709 (finite, possibly subnormal, result).
double expPair(Pair t) {
    const double n = std::floor(t.hi * 1.4426950408889634 + 0.5);
    const double r = ((t.hi - n * kLn2Hi) + t.lo) - n * kLn2Lo;  // |r| < 0.35
    double sum = 1.0 / 6227020800.0;  // 1/13!
    double factorial = 6227020800.0;
    for (int k = 13; k >= 1; --k) {
        factorial /= k;  // (k-1)!, exact for these small factorials
        sum = 1.0 / factorial + r * sum;
    }
    const int power = static_cast<int>(n);
    if (power < -1021) {  // the result is subnormal: scale in two steps
        return sum * powerOfTwo(power + 600) * 0x1p-600;
    }
    if (power > 1023) {
        return sum * 2.0 * powerOfTwo(power - 1);
    }
    return sum * powerOfTwo(power);
}

}  // namespace

double pow(double x, double y) {
    if (std::isnan(x) || std::isnan(y) || x < 0.0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (y == 0.0 || x == 1.0) {
        return 1.0;
    }
    if (x == 0.0 || std::isinf(x) || std::isinf(y)) {
        // The sign of log x (x is not 1) times y says which way the result runs off.
        const double logSign = x > 1.0 ? 1.0 : -1.0;
        return logSign * y > 0.0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    const Pair l = logPair(x);
    const double guess = y * l.hi;
    if (guess > 709.8) {
        return std::numeric_limits<double>::infinity();
    }
    if (guess < -745.2) {
        return 0.0;
    }
    const Pair p = twoProduct(y, l.hi);
    const Pair t = fastTwoSum(p.hi, p.lo + y * l.lo);
    return expPair(t);
}

}  // namespace trundlex::pmath
