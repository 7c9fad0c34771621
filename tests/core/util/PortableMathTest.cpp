#include <gtest/gtest.h>
#ifdef TRUNDLEX_HAVE_MPFR
#include <mpfr.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/DoubleBits.h"
#include "util/PortableMath.h"

namespace trundlex {
namespace {

using testing::Bits;
using testing::bitsOf;
using testing::fromBits;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = std::numbers::pi;

// The largest error seen, and where.
struct Worst {
    double ulps = 0, a = 0, b = 0;
    void note(double e, double first, double second = 0) {
        if (e > ulps) {
            *this = {e, first, second};
        }
    }
};

// The accuracy tests need MPFR, which the Windows build lacks; there the reference table
// (below) measures the accuracy, and the pinned bits and the digest check the bits.
#ifdef TRUNDLEX_HAVE_MPFR
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
    double powUlps(double x, double y, double got) {
        mpfr_set_d(x_, x, MPFR_RNDN);
        mpfr_set_d(y_, y, MPFR_RNDN);
        mpfr_pow(r_, x_, y_, MPFR_RNDN);
        return off(got);
    }

    // The exact value of `kind` ("sin", "cos", "atan2" or "pow") at `a` (and `b`) as the
    // nearest double, the exponent of its last place and how many of those places the exact
    // value lies away from that double.
    struct Exact {
        double nearest;
        long unit;
        double places;
    };
    Exact exact(const std::string& kind, double a, double b) {
        mpfr_set_d(x_, a, MPFR_RNDN);
        mpfr_set_d(y_, b, MPFR_RNDN);
        if (kind == "sin") {
            mpfr_sin(r_, x_, MPFR_RNDN);
        } else if (kind == "cos") {
            mpfr_cos(r_, x_, MPFR_RNDN);
        } else if (kind == "atan2") {
            mpfr_atan2(r_, x_, y_, MPFR_RNDN);
        } else {
            mpfr_pow(r_, x_, y_, MPFR_RNDN);
        }
        const long unit = std::max<long>(mpfr_get_exp(r_) - 53, -1074);
        const double nearest = mpfr_get_d(r_, MPFR_RNDN);
        mpfr_sub_d(r_, r_, nearest, MPFR_RNDN);
        mpfr_mul_2si(r_, r_, -unit, MPFR_RNDN);
        return {nearest, unit, mpfr_get_d(r_, MPFR_RNDN)};
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
    Worst worstSin, worstCos;
    for (const double x : hardAngles()) {
        const pmath::SinCos both = pmath::sincos(x);
        const double s = pmath::sin(x);
        const double c = pmath::cos(x);
        ASSERT_EQ(bitsOf(both.sin), bitsOf(s)) << x;
        ASSERT_EQ(bitsOf(both.cos), bitsOf(c)) << x;
        worstSin.note(ref.ulps(mpfr_sin, x, s), x);
        worstCos.note(ref.ulps(mpfr_cos, x, c), x);
    }
    EXPECT_LE(worstSin.ulps, 1.0) << "sin of " << std::hexfloat << worstSin.a;
    EXPECT_LE(worstCos.ulps, 1.0) << "cos of " << std::hexfloat << worstCos.a;
}
#endif

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
    struct Case {
        double y, x, want;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0},       {0.0, -0.0, kPi},       {0.0, fin, 0.0},
        {0.0, -fin, kPi},      {0.0, kInf, 0.0},       {0.0, -kInf, kPi},
        {fin, 0.0, kPi / 2},   {fin, -0.0, kPi / 2},   {kInf, fin, kPi / 2},
        {kInf, -fin, kPi / 2}, {kInf, 0.0, kPi / 2},   {fin, kInf, 0.0},
        {fin, -kInf, kPi},     {kInf, kInf, kPi / 4},  {kInf, -kInf, 3 * kPi / 4},
        {5e-324, kInf, 0.0},   {1e308, -0.0, kPi / 2},
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

#ifdef TRUNDLEX_HAVE_MPFR
// Ratios all over, near k/16 and near 1, then any two magnitudes.
std::vector<std::pair<double, double>> atan2Points() {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 60000; ++i) {
        const double t = i < 20000 ? unit(random) * 8 : std::round(unit(random) * 20) / 16;
        const double x = unit(random) * 7.3;
        points.emplace_back(x * (i % 3 == 0 ? t : t + unit(random) * 1e-9), x);
    }
    for (int i = 0; i < 40000; ++i) {
        const double y = fromBits(random() >> 1) * (i % 2 ? 1 : -1);
        const double x = fromBits(random() >> 1) * (i % 4 < 2 ? 1 : -1);
        if (std::isfinite(x) && std::isfinite(y)) {
            points.emplace_back(y, x);
            points.emplace_back(y, std::ldexp(y, -(i % 130)) * (i % 3 - 1.0));
        }
    }
    return points;
}

TEST(PortableMath, Atan2IsWithinOneUlpInEveryQuadrantAndScale) {
    Reference ref;
    const auto points = atan2Points();
    Worst worst;
    for (const auto& [y, x] : points) {
        worst.note(ref.atan2Ulps(y, x, pmath::atan2(y, x)), y, x);
        worst.note(ref.atan2Ulps(x, y, pmath::atan2(x, y)), x, y);
    }
    EXPECT_LE(worst.ulps, 1.0) << std::hexfloat << worst.a << ", " << worst.b;
}
#endif

#ifdef TRUNDLEX_HAVE_MPFR
// The hand's shares and speeds, then any base with exponents up to |y log x| = 40 and 700.
std::vector<std::pair<double, double>> powPoints() {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 40000; ++i) {
        points.emplace_back(unit(random), 2.3);
        points.emplace_back(0.05 + unit(random) * 20, -0.6);
        const double x = std::ldexp(0.5 + unit(random), static_cast<int>(random() % 200) - 100);
        const double logX = std::fabs(std::log(x));
        points.emplace_back(x, (unit(random) - 0.5) * 80.0 / std::max(logX, 1.0));
        points.emplace_back(x, (unit(random) - 0.5) * 1400.0 / std::max(logX, 1e-3));
    }
    return points;
}
#endif

TEST(PortableMath, PowerIsWithinOneAndAHalfUlpsAndFollowsTheLimits) {
#ifdef TRUNDLEX_HAVE_MPFR
    Reference ref;
    Worst worst;
    for (const auto& [x, y] : powPoints()) {
        worst.note(ref.powUlps(x, y, pmath::pow(x, y)), x, y);
    }
    EXPECT_LE(worst.ulps, 1.5) << std::hexfloat << worst.a << " ^ " << worst.b;
#endif
    EXPECT_EQ(pmath::pow(2.0, 10.0), 1024.0);
    EXPECT_EQ(pmath::pow(0.0, 2.3), 0.0);
    EXPECT_EQ(pmath::pow(0.0, -0.6), kInf);
    EXPECT_EQ(pmath::pow(0.0, 0.0), 1.0);
    EXPECT_EQ(pmath::pow(1.0, kInf), 1.0);
    EXPECT_EQ(pmath::pow(0.5, kInf), 0.0);
    EXPECT_EQ(pmath::pow(3.0, kInf), kInf);
    EXPECT_EQ(pmath::pow(kInf, -1.0), 0.0);
    EXPECT_EQ(pmath::pow(10.0, 400.0), kInf);
    EXPECT_EQ(pmath::pow(10.0, -400.0), 0.0);
    EXPECT_GT(pmath::pow(2.0, -1070.0), 0.0);
    EXPECT_TRUE(std::isnan(pmath::pow(-2.0, 2.0)));
    EXPECT_TRUE(std::isnan(pmath::pow(2.0, std::nan(""))));
}

// The reference table: MPFR's exact values at a few thousand of the arguments above, for the
// builds without MPFR. Each row is "kind a b nearest unit places": the exact value of kind(a)
// or kind(a, b) is the double `nearest` plus `places` units of 2^unit. The doubles are written
// as their bits in hex, which every C library reads back exactly.
struct ReferenceRow {
    std::string kind;
    double a = 0, b = 0, nearest = 0, places = 0;
    long unit = 0;
};

std::vector<ReferenceRow> readReferenceTable() {
    std::vector<ReferenceRow> rows;
    std::ifstream in(TRUNDLEX_MATH_REFERENCE);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::istringstream fields(line);
        ReferenceRow row;
        std::string a, b, nearest, places;
        fields >> row.kind >> a >> b >> nearest >> row.unit >> places;
        if (!fields) {
            ADD_FAILURE() << "unreadable row: " << line;
            continue;
        }
        row.a = fromBits(std::stoull(a, nullptr, 16));
        row.b = fromBits(std::stoull(b, nullptr, 16));
        row.nearest = fromBits(std::stoull(nearest, nullptr, 16));
        row.places = std::strtod(places.c_str(), nullptr);
        rows.push_back(row);
    }
    return rows;
}

double evaluate(const std::string& kind, double a, double b) {
    if (kind == "sin") {
        return pmath::sin(a);
    }
    if (kind == "cos") {
        return pmath::cos(a);
    }
    return kind == "atan2" ? pmath::atan2(a, b) : pmath::pow(a, b);
}

TEST(PortableMath, KeepsItsAccuracyOnTheReferenceTable) {
    const std::vector<ReferenceRow> rows = readReferenceTable();
    ASSERT_GE(rows.size(), 3000u) << "the table " << TRUNDLEX_MATH_REFERENCE << " is missing";
    Worst worst[2];
    for (const ReferenceRow& row : rows) {
        const double got = evaluate(row.kind, row.a, row.b);
        // Both lie within a few units of each other, so the difference is exact.
        const double off = std::fabs(std::ldexp(got - row.nearest, -row.unit) - row.places);
        worst[row.kind == "pow" ? 1 : 0].note(off, row.a, row.b);
    }
    EXPECT_LE(worst[0].ulps, 1.0) << std::hexfloat << worst[0].a << ", " << worst[0].b;
    EXPECT_LE(worst[1].ulps, 1.5) << std::hexfloat << worst[1].a << " ^ " << worst[1].b;
}

#ifdef TRUNDLEX_HAVE_MPFR
// Every row is MPFR's. With TRUNDLEX_WRITE_MATH_REFERENCE=1 (scripts/math-reference.sh) the
// table is written anew instead: per function the arguments where this code comes closest to
// its bound, and an even spread of the rest.
TEST(PortableMath, ReferenceTableHoldsMpfrsValues) {
    Reference ref;
    if (std::getenv("TRUNDLEX_WRITE_MATH_REFERENCE") != nullptr) {
        std::vector<std::pair<std::string, std::vector<std::pair<double, double>>>> families;
        std::vector<std::pair<double, double>> angles;
        for (const double x : hardAngles()) {
            angles.emplace_back(x, 0.0);
        }
        families = {{"sin", angles}, {"cos", angles}, {"atan2", atan2Points()},
                    {"pow", powPoints()}};
        std::ofstream out(TRUNDLEX_MATH_REFERENCE);
        out << "# MPFR's exact values for the portable math's accuracy test (PortableMathTest.cpp),\n"
               "# written by scripts/math-reference.sh: kind a b nearest unit places.\n";
        for (const auto& [kind, points] : families) {
            std::vector<std::pair<double, std::size_t>> byError;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const auto [a, b] = points[i];
                const Reference::Exact exact = ref.exact(kind, a, b);
                if (std::isfinite(exact.nearest) && exact.nearest != 0.0) {
                    const double got = evaluate(kind, a, b);
                    byError.emplace_back(
                        std::fabs(std::ldexp(got - exact.nearest, -exact.unit) - exact.places), i);
                }
            }
            std::ranges::sort(byError, std::greater<>());
            std::vector<std::size_t> chosen;
            for (std::size_t i = 0; i < byError.size(); ++i) {
                if (i < 600 || i % (byError.size() / 300) == 0) {
                    chosen.push_back(byError[i].second);
                }
            }
            std::ranges::sort(chosen);
            for (const std::size_t i : chosen) {
                const auto [a, b] = points[i];
                const Reference::Exact exact = ref.exact(kind, a, b);
                char line[200];
                std::snprintf(line, sizeof line, "%s %016llx %016llx %016llx %ld %+.5f\n",
                              kind.c_str(), static_cast<unsigned long long>(bitsOf(a)),
                              static_cast<unsigned long long>(bitsOf(b)),
                              static_cast<unsigned long long>(bitsOf(exact.nearest)), exact.unit,
                              exact.places);
                out << line;
            }
        }
        return;
    }
    const std::vector<ReferenceRow> rows = readReferenceTable();
    ASSERT_FALSE(rows.empty());
    for (const ReferenceRow& row : rows) {
        const Reference::Exact exact = ref.exact(row.kind, row.a, row.b);
        ASSERT_EQ(bitsOf(exact.nearest), bitsOf(row.nearest)) << row.kind << " " << row.a;
        ASSERT_EQ(exact.unit, row.unit) << row.kind << " " << row.a;
        ASSERT_NEAR(exact.places, row.places, 1e-5) << row.kind << " " << row.a;
    }
}
#endif

}  // namespace
}  // namespace trundlex
