#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "util/PortableMath.h"

namespace trundlex {
namespace {

using Bits = std::uint64_t;
double fromBits(Bits b) { return std::bit_cast<double>(b); }
Bits bitsOf(double d) { return std::bit_cast<Bits>(d); }
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = std::numbers::pi;

// How far `got` lies from the exact value, in units of the last place of the exact value.
class Reference {
public:
    Reference() { mpfr_inits2(256, x_, y_, r_, static_cast<mpfr_ptr>(nullptr)); }
    ~Reference() { mpfr_clears(x_, y_, r_, static_cast<mpfr_ptr>(nullptr)); }
    double ulps(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x, double got) {
        mpfr_set_d(x_, x, MPFR_RNDN);
        f(r_, x_, MPFR_RNDN);
        return off(got);
    }
    double atan2Ulps(double y, double x, double got) {
        mpfr_set_d(y_, y, MPFR_RNDN);
        mpfr_set_d(x_, x, MPFR_RNDN);
        mpfr_atan2(r_, y_, x_, MPFR_RNDN);
        return off(got);
    }

private:
    double off(double got) {
        if (mpfr_zero_p(r_)) {
            return got == 0.0 ? 0.0 : kInf;
        }
        const long unit = std::max<long>(mpfr_get_exp(r_) - 53, -1074);
        mpfr_sub_d(r_, r_, got, MPFR_RNDN);
        mpfr_mul_2si(r_, r_, -unit, MPFR_RNDN);
        return std::fabs(mpfr_get_d(r_, MPFR_RNDN));
    }
    mpfr_t x_, y_, r_;
};

// Angles where sine and cosine are hardest: dense over the simulation's range, the doubles
// around multiples of pi/4 (where reduction cancels and quadrants change), a classic hard
// case for reduction, tiny and huge values and random bit patterns of every exponent.
std::vector<double> hardAngles() {
    std::vector<double> xs;
    for (int i = -80000; i <= 80000; ++i) {
        xs.push_back(i * 0.0001 + 1e-9);
    }
    for (double k = 1; k < 1e7; k = k < 600 ? k + 1 : k * 1.37) {
        double x = std::round(k) * (kPi / 4);
        for (int j = 0; j < 12; ++j) {
            xs.insert(xs.end(), {x, -x});
            x = std::nextafter(x, j < 5 ? 0.0 : kInf);
        }
    }
    xs.insert(xs.end(), {std::ldexp(6381956970095103.0, 797), 0x1p-27, 0x1.fffffffffffffp-28,
                         kPi / 4, 5e-324, 2.2250738585072014e-308, 1e-300, 1e300, 1e22,
                         std::numeric_limits<double>::max(), 0x1p19, 0x1.fffffffffffffp18});
    std::mt19937_64 random(23);
    for (int i = 0; i < 40000; ++i) {
        const double x = fromBits(random() & ~(Bits{1} << 63));
        if (std::isfinite(x)) {
            xs.insert(xs.end(), {x, -x});
        }
    }
    return xs;
}

TEST(PortableMath, SineAndCosineAreWithinOneUlpForEveryKindOfArgument) {
    Reference ref;
    double worstSin = 0, worstCos = 0, atSin = 0, atCos = 0;
    for (const double x : hardAngles()) {
        const pmath::SinCos both = pmath::sincos(x);
        const double s = pmath::sin(x);
        const double c = pmath::cos(x);
        ASSERT_EQ(bitsOf(both.sin), bitsOf(s)) << x;
        ASSERT_EQ(bitsOf(both.cos), bitsOf(c)) << x;
        if (const double e = ref.ulps(mpfr_sin, x, s); e > worstSin) { worstSin = e; atSin = x; }
        if (const double e = ref.ulps(mpfr_cos, x, c); e > worstCos) { worstCos = e; atCos = x; }
    }
    EXPECT_LE(worstSin, 1.0) << "sin of " << std::hexfloat << atSin;
    EXPECT_LE(worstCos, 1.0) << "cos of " << std::hexfloat << atCos;
}

TEST(PortableMath, SineAndCosineOfZerosInfinitiesAndNaN) {
    EXPECT_EQ(bitsOf(pmath::sin(-0.0)), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(pmath::sin(0.0)), bitsOf(0.0));
    EXPECT_EQ(pmath::cos(-0.0), 1.0);
    EXPECT_EQ(bitsOf(pmath::sincos(-0.0).sin), bitsOf(-0.0));
    for (const double x : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(pmath::sin(x))) << x;
        EXPECT_TRUE(std::isnan(pmath::cos(x))) << x;
        EXPECT_TRUE(std::isnan(pmath::sincos(x).cos)) << x;
    }
}

// Zeros and infinities in every quadrant, as C defines them; the sign of a zero result counts.
TEST(PortableMath, Atan2OfZerosAndInfinities) {
    const double fin = 2.5;
    struct Case { double y, x, want; };
    const Case cases[] = {
        {0.0, 0.0, 0.0},          {0.0, -0.0, kPi},        {0.0, fin, 0.0},
        {0.0, -fin, kPi},         {0.0, kInf, 0.0},        {0.0, -kInf, kPi},
        {fin, 0.0, kPi / 2},      {fin, -0.0, kPi / 2},    {kInf, fin, kPi / 2},
        {kInf, -fin, kPi / 2},    {kInf, 0.0, kPi / 2},    {fin, kInf, 0.0},
        {fin, -kInf, kPi},        {kInf, kInf, kPi / 4},   {kInf, -kInf, 3 * kPi / 4},
        {5e-324, kInf, 0.0},      {1e308, -0.0, kPi / 2},
    };
    for (const Case& c : cases) {
        for (const double sign : {1.0, -1.0}) {
            const double got = pmath::atan2(sign * c.y, c.x);
            EXPECT_EQ(bitsOf(got), bitsOf(sign * c.want)) << sign * c.y << ", " << c.x;
        }
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(pmath::atan2(nan, 1.0)));
    EXPECT_TRUE(std::isnan(pmath::atan2(0.0, nan)));
}

TEST(PortableMath, Atan2IsWithinOneUlpInEveryQuadrantAndScale) {
    Reference ref;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 60000; ++i) {  // ratios all over, near k/16 and near 1
        const double t = i < 20000 ? unit(random) * 8 : std::round(unit(random) * 20) / 16;
        const double x = unit(random) * 7.3;
        points.emplace_back(x * (i % 3 == 0 ? t : t + unit(random) * 1e-9), x);
    }
    for (int i = 0; i < 40000; ++i) {  // any two magnitudes
        const double y = fromBits(random() >> 1) * (i % 2 ? 1 : -1);
        const double x = fromBits(random() >> 1) * (i % 4 < 2 ? 1 : -1);
        if (std::isfinite(x) && std::isfinite(y)) {
            points.emplace_back(y, x);
            points.emplace_back(y, std::ldexp(y, -(i % 130)) * (i % 3 - 1.0));
        }
    }
    double worst = 0;
    std::pair<double, double> at;
    for (const auto& [y, x] : points) {
        for (const auto& [yy, xx] : {std::pair{y, x}, std::pair{x, y}}) {
            if (const double e = ref.atan2Ulps(yy, xx, pmath::atan2(yy, xx)); e > worst) {
                worst = e;
                at = {yy, xx};
            }
        }
    }
    EXPECT_LE(worst, 1.0) << std::hexfloat << at.first << ", " << at.second;
}

}  // namespace
}  // namespace trundlex
