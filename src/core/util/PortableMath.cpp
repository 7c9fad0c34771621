#include "util/PortableMath.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "util/BitCast.h"
#include "util/ExactSteps.h"

// Every expression below is written so that its order of evaluation is the one the language
// gives it; the build keeps the compiler from fusing a multiplication into an addition. The
// exact steps (two-sum, two-product) depend on that: each result is the rounded value and the
// exact error of one operation. Coefficients and constants were worked out once with 400-bit
// arithmetic: near-minimax fits on the kernels' intervals, rounded to the nearest double.
// Clang fuses within an expression by default; the build turns that off for every file, and
// this keeps it off here even where a build forgets to.
#if defined(__clang__)
#pragma clang fp contract(off)
#endif

namespace trundlex::pmath {
namespace {

using exact::fastTwoSum;
using exact::Pair;
using exact::powerOfTwo;
using exact::split;
using exact::twoProduct;
using exact::twoSum;

// ---- Reduction of an angle to r = x - n pi/2, |r| <= about pi/4 ----

// pi/2 in four pieces; the first three have 33 significant bits, so a multiple by n < 2^20 of
// each is exact.
constexpr double kPio2A = 0x1.921fb544p+0;
constexpr double kPio2B = 0x1.0b4611a6p-34;
constexpr double kPio2C = 0x1.3198a2ep-69;
constexpr double kPio2D = 0x1.b839a252049c1p-104;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kPio2Hi = 0x1.921fb54442d18p+0;
constexpr double kPio2Lo = 0x1.1a62633145c07p-54;
// Below this, the quotient n stays under 2^20 and the four-piece subtraction is exact enough.
constexpr double kModerate = 0x1p19;
// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51 to an integer.
constexpr double kRoundShift = 0x1.8p52;

struct Reduced {
    int quadrant = 0;  // n mod 4
    Pair r;
};

// For moderate |x|: x - n*A is exact (the two are within a factor of two of each other),
// and so are n*B and n*C; the remainders are gathered with exact sums, so that an x very
// close to a multiple of pi/2 keeps its full relative precision.
Reduced reduceModerate(double x) {
    const double n = (x * kTwoOverPi + kRoundShift) - kRoundShift;
    const double head = x - n * kPio2A;
    const Pair first = twoSum(head, -(n * kPio2B));
    const Pair second = twoSum(first.hi, -(n * kPio2C));
    const double tail = (first.lo + second.lo) - n * kPio2D;
    const Pair r = fastTwoSum(second.hi, tail);
    const auto whole = static_cast<std::int64_t>(n);
    return {static_cast<int>(whole & 3), r};
}

// The binary digits of 2/pi after the point, 32 to a word, most significant first; enough for
// the largest double's exponent plus the 192 bits the product keeps.
constexpr std::array<std::uint32_t, 40> kTwoOverPiBits = {
    0xa2f9836e, 0x4e441529, 0xfc2757d1, 0xf534ddc0, 0xdb629599, 0x3c439041, 0xfe5163ab, 0xdebbc561,
    0xb7246e3a, 0x424dd2e0, 0x06492eea, 0x09d1921c, 0xfe1deb1c, 0xb129a73e, 0xe88235f5, 0x2ebb4484,
    0xe99c7026, 0xb45f7e41, 0x3991d639, 0x835339f4, 0x9c845f8b, 0xbdf9283b, 0x1ff897ff, 0xde05980f,
    0xef2f118b, 0x5a0a6d1f, 0x6d367ecf, 0x27cb09b7, 0x4f463f66, 0x9e5fea2d, 0x7527bac7, 0xebe5f17b,
    0x3d0739f7, 0x8a5292ea, 0x6bfb5fb1, 0x1f8d5d08, 0x56033046, 0xfc7b6bab, 0xf0cfbc20, 0x9af4361d};

constexpr int kLimbs = 6;  // 192 bits of x * 2/pi are kept: 2 of quadrant, 190 of fraction
using Limbs = std::array<std::uint32_t, kLimbs>;

// The 32 bits that start at bit `pos` of a digit string, most significant first; bits before
// the start or past the end of the string are zero.
template <std::size_t N>
std::uint32_t take32(const std::array<std::uint32_t, N>& words, int pos) {
    const int word = pos >= 0 ? pos / 32 : -((31 - pos) / 32);
    const int shift = pos - word * 32;  // 0..31
    const auto at = [&](int i) -> std::uint64_t {
        return i >= 0 && i < static_cast<int>(N) ? words[static_cast<std::size_t>(i)] : 0u;
    };
    const std::uint64_t both = (at(word) << 32) | at(word + 1);
    return static_cast<std::uint32_t>(both >> (32 - shift));
}

std::uint64_t take64(const Limbs& limbs, int pos) {
    return (static_cast<std::uint64_t>(take32(limbs, pos)) << 32) | take32(limbs, pos + 32);
}

// For any large finite x: x = m 2^q with m an integer of 53 bits; x * 2/pi modulo 4 only needs
// the digits of 2/pi from 2^(1-q) on, which are multiplied out exactly in integers. The
// product's fraction then holds more than 120 correct bits, enough for the closest any double
// comes to a multiple of pi/2.
Reduced reduceLarge(double ax) {
    const auto bits = bitCast<std::uint64_t>(ax);
    const int q = static_cast<int>(bits >> 52) - 1075;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    // Digit i of 2/pi (from 1) is worth 2^(q-i) here; those worth 4 or more drop out.
    const int first = q - 2;                     // zero-based position of digit q - 1
    std::array<std::uint32_t, kLimbs> window{};  // least significant limb first
    for (int i = 0; i < kLimbs; ++i) {
        window[static_cast<std::size_t>(kLimbs - 1 - i)] = take32(kTwoOverPiBits, first + 32 * i);
    }
    const std::array<std::uint64_t, 2> mLimbs = {m & 0xffffffffu, m >> 32};
    std::array<std::uint64_t, kLimbs> sum{};
    for (std::size_t j = 0; j < 2; ++j) {
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i + j < kLimbs; ++i) {
            const std::uint64_t t = sum[i + j] + mLimbs[j] * window[i] + carry;
            sum[i + j] = t & 0xffffffffu;
            carry = t >> 32;
        }
    }
    Limbs fixed{};  // most significant limb first; bit 0 is worth 2, bit 1 is worth 1
    for (int i = 0; i < kLimbs; ++i) {
        fixed[static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(sum[static_cast<std::size_t>(kLimbs - 1 - i)]);
    }
    int quadrant = static_cast<int>(fixed[0] >> 30);
    const bool negative = (fixed[0] >> 29) & 1u;
    if (negative) {  // fraction of a half or more: round n up and take 1 - fraction
        quadrant = (quadrant + 1) & 3;
        std::uint64_t borrow = 1;  // two's complement: invert and add one
        for (int i = kLimbs - 1; i >= 0; --i) {
            const std::uint64_t t =
                static_cast<std::uint64_t>(~fixed[static_cast<std::size_t>(i)]) + borrow;
            fixed[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(t);
            borrow = t >> 32;
        }
    }
    fixed[0] &= 0x3fffffffu;
    int lead = 2;
    while (lead < 32 * kLimbs && take32(fixed, lead) == 0) {
        lead += 32;
    }
    if (lead >= 32 * kLimbs) {
        return {quadrant, {0.0, 0.0}};
    }
    lead += std::countl_zero(take32(fixed, lead));
    // The bit at position p is worth 2^(1-p).
    const double hi = static_cast<double>(take64(fixed, lead) >> 11) * powerOfTwo(-51 - lead);
    const double lo = static_cast<double>(take64(fixed, lead + 53) >> 11) * powerOfTwo(-104 - lead);
    const Pair p = twoProduct(hi, kPio2Hi);
    const double tail = p.lo + (hi * kPio2Lo + lo * kPio2Hi);
    Pair r = fastTwoSum(p.hi, tail);
    if (negative) {
        r = {-r.hi, -r.lo};
    }
    return {quadrant, r};
}

// ---- Kernels on |r| <= about pi/4, r = hi + lo ----

constexpr double kS1 = -0x1.5555555555555p-3;
constexpr double kS2 = 0x1.1111111111110p-7;
constexpr double kS3 = -0x1.a01a01a01992ap-13;
constexpr double kS4 = 0x1.71de3a545ef0dp-19;
constexpr double kS5 = -0x1.ae64540feaf6dp-26;
constexpr double kS6 = 0x1.61217cc913f00p-33;
constexpr double kS7 = -0x1.ab167f4fb1867p-41;

constexpr double kC1 = 0x1.5555555555555p-5;
constexpr double kC2 = -0x1.6c16c16c16962p-10;
constexpr double kC3 = 0x1.a01a019f4d709p-16;
constexpr double kC4 = -0x1.27e4fa163c142p-22;
constexpr double kC5 = 0x1.1eeb673a2e0cap-29;
constexpr double kC6 = -0x1.907c6d159beaap-37;

// sin(hi + lo) = hi + (lo cos(hi) + hi^3 S(hi^2)); the correction is under a tenth of hi, so
// its own rounding errors stay well inside the last place.
double sinKernel(Pair r) {
    const double z = r.hi * r.hi;
    const double s = kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * (kS6 + z * kS7))));
    const double tail = r.lo * (1.0 - 0.5 * z) + (r.hi * z) * (kS1 + z * s);
    return r.hi + tail;
}

// cos(hi + lo) = 1 - z/2 + z^2 C(z) - hi lo; 1 - z/2 is formed with its rounding error kept,
// which is what holds the error under one ulp as the result nears 0.7.
double cosKernel(Pair r) {
    const double z = r.hi * r.hi;
    const double c = z * z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    return w + (((1.0 - w) - half) + (c - r.hi * r.lo));
}

constexpr double kPiOver4 = 0x1.921fb54442d18p-1;
// Below this, sin x rounds to x and cos x to 1 (the next terms are under 2^-54 of them).
constexpr double kTinyAngle = 0x1p-27;

Reduced reduce(double x) {
    const double ax = std::fabs(x);
    if (ax < kModerate) {
        return reduceModerate(x);
    }
    Reduced red = reduceLarge(ax);
    if (x < 0) {  // -x is n' pi/2 + r' with n' = -n, r' = -r
        red.quadrant = (4 - red.quadrant) & 3;
        red.r = {-red.r.hi, -red.r.lo};
    }
    return red;
}

// x as quadrant * pi/2 + r; an x within pi/4 of zero is its own remainder.
Reduced reduceAny(double x) {
    return std::fabs(x) <= kPiOver4 ? Reduced{0, {x, 0.0}} : reduce(x);
}

// The sine of quadrant * pi/2 + r (the cosine is that of the next quadrant).
double sinInQuadrant(const Pair& r, int quadrant) {
    switch (quadrant & 3) {
        case 0:
            return sinKernel(r);
        case 1:
            return cosKernel(r);
        case 2:
            return -sinKernel(r);
        default:
            return -cosKernel(r);
    }
}

}  // namespace

SinCos sincos(double x) {
    const double ax = std::fabs(x);
    if (!(ax <= 0x1.fffffffffffffp+1023)) {
        const double nan = x - x;  // NaN for NaN and for either infinity
        return {nan, nan};
    }
    if (ax < kTinyAngle) {
        return {x, 1.0};
    }
    const Reduced red = reduceAny(x);
    return {sinInQuadrant(red.r, red.quadrant), sinInQuadrant(red.r, red.quadrant + 1)};
}

double sin(double x) {
    const double ax = std::fabs(x);
    if (!(ax <= 0x1.fffffffffffffp+1023)) {
        return x - x;
    }
    if (ax < kTinyAngle) {
        return x;
    }
    const Reduced red = reduceAny(x);
    return sinInQuadrant(red.r, red.quadrant);
}

double cos(double x) {
    const double ax = std::fabs(x);
    if (!(ax <= 0x1.fffffffffffffp+1023)) {
        return x - x;
    }
    if (ax < kTinyAngle) {
        return 1.0;
    }
    const Reduced red = reduceAny(x);
    return sinInQuadrant(red.r, red.quadrant + 1);
}

// ---- Arc tangent ----

namespace {

// atan(k/16) for k = 0..16, each as a pair.
constexpr std::array<Pair, 17> kAtanSixteenths = {{
    {0.0, 0.0},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.0657e94db30d0p-1, -0x1.d5b495f6349e6p-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
}};

// atan u = u + u^3 A(u^2) for |u| <= 1/32.
constexpr double kA1 = -0x1.5555555555549p-2;
constexpr double kA2 = 0x1.99999998d4599p-3;
constexpr double kA3 = -0x1.24923a085ef89p-3;
constexpr double kA4 = 0x1.c65ec244018f1p-4;

constexpr Pair kHalfPi = {kPio2Hi, kPio2Lo};
constexpr Pair kPi = {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
// Below this ratio atan t rounds to t, and base + t needs no more care.
constexpr double kTinyRatio = 0x1p-60;

// base + sign * atan(small / big), for 0 < small <= big, both in a range where products and
// their errors stay normal. t = small/big is carried with its exact remainder, then reduced
// by the nearest k/16: atan t = atan(k/16) + atan(u), u = (t - k/16) / (1 + t k/16).
double atanRatio(double small, double big, Pair base, double sign) {
    const double q = small / big;
    const Pair qb = twoProduct(q, big);
    const double e = ((small - qb.hi) - qb.lo) / big;  // t = q + e to about 2^-106
    const double kf = (q * 16.0 + kRoundShift) - kRoundShift;
    const double c = kf * 0.0625;
    Pair u{q, e};
    if (kf != 0.0) {
        const Pair num = twoSum(q - c, e);  // q - c is exact: q is within c/2 of c
        const Pair cq = twoProduct(c, q);
        const Pair one = twoSum(1.0, cq.hi);
        const double denLo = one.lo + (cq.lo + c * e);
        const Pair den = fastTwoSum(one.hi, denLo);
        const double uh = num.hi / den.hi;
        const Pair p = twoProduct(uh, den.hi);
        const double rem = (((num.hi - p.hi) - p.lo) + num.lo) - uh * den.lo;
        u = {uh, rem / den.hi};
    }
    const double z = u.hi * u.hi;
    const double poly = (u.hi * z) * (kA1 + z * (kA2 + z * (kA3 + z * kA4)));
    const double uTail = u.lo * (1.0 - z) + poly;
    const Pair a = kAtanSixteenths[static_cast<std::size_t>(kf)];
    const Pair s1 = twoSum(base.hi, sign * a.hi);
    const Pair s2 = twoSum(s1.hi, sign * u.hi);
    const double tail = (s1.lo + s2.lo) + (base.lo + sign * (a.lo + uTail));
    return s2.hi + tail;
}

}  // namespace

double atan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) {
        return x + y;
    }
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    const bool left = std::signbit(x);
    double angle = 0.0;  // the angle for |y|, in [0, pi]
    if (ay == 0.0) {
        angle = left ? kPi.hi : 0.0;
    } else if (std::isinf(ax) && std::isinf(ay)) {
        angle = left ? 0x1.2d97c7f3321d2p+1 : kPiOver4;  // 3pi/4 or pi/4
    } else if (std::isinf(ax)) {
        angle = left ? kPi.hi : 0.0;
    } else if (std::isinf(ay) || ax == 0.0) {
        angle = kHalfPi.hi;
    } else {
        const bool steep = ay > ax;
        const double small = steep ? ax : ay;
        const double big = steep ? ay : ax;
        const Pair zero{0.0, 0.0};
        const Pair base = steep ? kHalfPi : (left ? kPi : zero);
        const double sign = steep == left ? 1.0 : -1.0;
        if (small < big * kTinyRatio) {
            const double t = small / big;
            angle = base.hi == 0.0 ? t : base.hi + (base.lo + sign * t);
        } else {
            // Bring both to a middle range; a power of two changes neither the ratio nor bits.
            double scale = 1.0;
            if (big < 0x1p-500) {
                scale = 0x1p600;
            } else if (big > 0x1p500) {
                scale = 0x1p-600;
            }
            angle = atanRatio(small * scale, big * scale, base, sign);
        }
    }
    return std::copysign(angle, y);
}

}  // namespace trundlex::pmath
