#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/DoubleBits.h"
#include "support/SwedishLocale.h"
#include "util/TextNumbers.h"

namespace trundlex {
namespace {

TEST(TextNumbers, IntegersReadLikeAtoiAndSaturate) {
    EXPECT_EQ(parseLeadingInt("42"), 42);
    EXPECT_EQ(parseLeadingInt("  -17abc"), -17);
    EXPECT_EQ(parseLeadingInt("+8"), 8);
    EXPECT_EQ(parseLeadingInt(""), 0);
    EXPECT_EQ(parseLeadingInt("x9"), 0);
    EXPECT_EQ(parseLeadingInt("--9"), 0);
    EXPECT_EQ(parseLeadingInt("2147483647"), 2147483647);
    EXPECT_EQ(parseLeadingInt("2147483648"), 2147483647);
    EXPECT_EQ(parseLeadingInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseLeadingInt("-99999999999999999999999"), INT32_MIN);
    EXPECT_EQ(parseLeadingInt("99999999999999999999999"), INT32_MAX);
}

TEST(TextNumbers, FractionsReadLikeAtofWithoutNonFiniteValues) {
    // A comma ends the number; what is not finite reads as 0.
    const std::pair<const char*, double> cases[] = {
        {"5.000000", 5.0}, {" \t-2.5e1xyz", -25.0}, {"+.5", 0.5},   {"7,5", 7.0},   {"", 0.0},
        {"nan", 0.0},      {"-inf", 0.0},           {"1e999", 0.0}, {"1e-999", 0.0}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseLeadingDouble(text), value) << text;
    }
}

TEST(TextNumbers, FormatsLikePrintfInTheCLocale) {
    for (double v : {0.0, 5.0, -0.0, 1.0 / 3.0, 2.0000005, 123456789.123456789, -4.65, 1e20}) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f", v);
        EXPECT_EQ(formatFixed6(v), expected);
        std::snprintf(expected, sizeof expected, "%.17g", v);
        EXPECT_EQ(formatExact(v), expected);
    }
}

TEST(TextNumbers, FixedAndGeneralFormsRoundHalfToEven) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        int digits;
        bool fixed;  // formatFixed, else formatGeneral
        const char* text;
    };
    // 0.125 and 2.5 lie exactly halfway; 0.15 lies a little below its halfway point, 99.995
    // just above it, and the carry runs on.
    const Case cases[] = {
        {0.125, 2, true, "0.12"},
        {0.375, 2, true, "0.38"},
        {2.5, 0, true, "2"},
        {3.5, 0, true, "4"},
        {0.15, 1, true, "0.1"},
        {-0.0001, 2, true, "-0.00"},
        {99.995, 2, true, "100.00"},
        {-inf, 6, true, "-inf"},
        {9.5, 1, false, "1e+01"},
        {0.0001234, 3, false, "0.000123"},
        {0.00001234, 3, false, "1.23e-05"},
        {123456.0, 6, false, "123456"},
        {1234567.0, 6, false, "1.23457e+06"},
        {1e300, 17, false, "1.0000000000000001e+300"},
        {-0.0, 17, false, "-0"},
        {std::numeric_limits<double>::quiet_NaN(), 17, false, "nan"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.fixed ? formatFixed(c.value, c.digits) : formatGeneral(c.value, c.digits),
                  c.text)
            << c.value << " with " << c.digits << (c.fixed ? " fraction digits" : " significant");
    }
}

TEST(TextNumbers, ReadsNumbersBeyondADoubleAsOutOfRangeAndKeepsTheValue) {
    for (const char* text :
         {"1e400", "-1e400", "1e-400", "2.4703282292062327e-324", "1.7976931348623159e308"}) {
        double value = 7.0;
        const char* last = text + std::char_traits<char>::length(text);
        const auto [end, error] = readDouble(text, last, value);
        EXPECT_EQ(error, std::errc::result_out_of_range) << text;
        EXPECT_EQ(end, last) << text;
        EXPECT_EQ(value, 7.0) << text;
    }
    double smallest = 0.0;
    const std::string denormal = "4.9e-324";
    EXPECT_EQ(readDouble(denormal.data(), denormal.data() + denormal.size(), smallest).ec,
              std::errc());
    EXPECT_EQ(smallest, std::numeric_limits<double>::denorm_min());
}

// The conversions above rely on no floating-point std::to_chars or std::from_chars, which the
// WebAssembly build's standard library lacks; where the standard library has them, both must
// give the same text and the same bits for every value.
#if defined(__cpp_lib_to_chars)
class StandardConversions : public ::testing::Test {
protected:
    std::mt19937_64 random_{20261209};

    // Doubles of every kind: edges, halfway cases, round numbers and random bit patterns.
    std::vector<double> values(int randomCount) {
        const double inf = std::numeric_limits<double>::infinity();
        std::vector<double> v = {0.0,
                                 -0.0,
                                 0.5,
                                 0.125,
                                 0.375,
                                 2.5,
                                 3.5,
                                 1e15 + 0.5,
                                 9.9999995,
                                 0.9999999999999999,
                                 999999.9999995,
                                 99.995,
                                 0.15,
                                 1e22,
                                 1e23,
                                 5e-324,
                                 2.2250738585072014e-308,
                                 2.2250738585072009e-308,
                                 1.7976931348623157e308,
                                 inf,
                                 -inf,
                                 std::numeric_limits<double>::quiet_NaN(),
                                 -std::numeric_limits<double>::quiet_NaN()};
        for (int e = -330; e <= 310; ++e) {
            v.push_back(std::pow(10.0, e));  // only values are compared, not how they came about
            v.push_back(std::ldexp(1.0, std::min(e * 3, 1023)));
        }
        std::uniform_int_distribution<std::uint64_t> bits;
        std::uniform_int_distribution<int> digits(0, 9);
        for (int i = 0; i < randomCount; ++i) {
            v.push_back(testing::fromBits(bits(random_)));
            // Values of the size a level or a putt has, with few decimals: many ties.
            const double whole = static_cast<double>(bits(random_) % 2000000) - 1000000.0;
            v.push_back(whole / std::pow(2.0, digits(random_)));
            v.push_back(whole / std::pow(10.0, digits(random_)));
        }
        return v;
    }

    static std::string standardFixed(double value, int fraction) {
        char buffer[1024];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::fixed, fraction);
        return std::string(buffer, r.ptr);
    }
    static std::string standardGeneral(double value, int significant) {
        char buffer[1024];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::general, significant);
        return std::string(buffer, r.ptr);
    }

    // Reads `text` both ways and fails on any difference of end, error or bits.
    static void expectSameReading(const std::string& text) {
        const char* first = text.data();
        const char* last = first + text.size();
        double ours = -7.25;
        double theirs = -7.25;
        const auto a = readDouble(first, last, ours);
        const auto b = std::from_chars(first, last, theirs);
        EXPECT_EQ(a.ptr - first, b.ptr - first) << '"' << text << '"';
        EXPECT_EQ(a.ec, b.ec) << '"' << text << '"';
        EXPECT_EQ(testing::bitsOf(ours), testing::bitsOf(theirs)) << '"' << text << '"';
    }
};

TEST_F(StandardConversions, FormsAreThoseOfToChars) {
    for (double v : values(4000)) {
        for (int fraction : {0, 1, 2, 6, 17}) {
            ASSERT_EQ(formatFixed(v, fraction), standardFixed(v, fraction)) << fraction;
        }
        for (int significant : {1, 2, 6, 15, 16, 17}) {
            ASSERT_EQ(formatGeneral(v, significant), standardGeneral(v, significant))
                << significant;
        }
    }
}

TEST_F(StandardConversions, ReadingsAreThoseOfFromChars) {
    for (const char* text : {"",
                             "-",
                             ".",
                             "-.",
                             "e5",
                             ".e5",
                             "1e",
                             "1e+",
                             "1.e5",
                             ".5",
                             "00012",
                             "-0",
                             "+1",
                             "--1",
                             "1_000",
                             "0x1p3",
                             "inf",
                             "-INFINITY",
                             "infinit",
                             "nan",
                             "-nan",
                             "nan(abc)",
                             "nan(",
                             "1e-320",
                             "1e400",
                             "-1e-400",
                             "0e999999999999",
                             "1e-99999999999",
                             "0.000000000000000000000001e24"}) {
        expectSameReading(text);
    }
    for (double v : values(3000)) {
        // Every double written out reads back exactly; so do shorter forms of it.
        expectSameReading(standardGeneral(v, 17));
        expectSameReading(standardGeneral(v, 6) + "xyz");
        expectSameReading(standardFixed(v, 3));
        // The exact point halfway to the next double, and a hair either side of it.
        const double next = std::nextafter(v, std::numeric_limits<double>::infinity());
        if (std::isfinite(v) && std::isfinite(next) && v != 0.0) {
            const long double mid = (static_cast<long double>(v) + next) / 2;
            char exact[2048];
            std::snprintf(exact, sizeof exact, "%.800Le", mid);
            std::string text = exact;
            expectSameReading(text);
            const auto e = text.find('e');
            const std::string mantissa = text.substr(0, e);
            const std::string exponent = text.substr(e);
            expectSameReading(mantissa.substr(0, mantissa.find_last_not_of('0') + 1) + "1" +
                              exponent);
            expectSameReading(mantissa.substr(0, 30) + exponent);
        }
    }
    // Random strings of digits: long mantissas, points anywhere, wide exponents.
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-420, 420);
    for (int i = 0; i < 20000; ++i) {
        std::string text = (i % 3 == 0) ? "-" : "";
        const int n = length(random_);
        const int point = length(random_) % (n + 1);
        for (int k = 0; k < n; ++k) {
            text += (k == point && i % 4 != 0) ? '.' : static_cast<char>('0' + digit(random_));
        }
        if (i % 2 == 0) {
            text += "e" + std::to_string(exponent(random_));
        }
        expectSameReading(text);
    }
}
#endif

TEST(TextNumbers, SwedishLocaleChangesNothing) {
    testing::SwedishLocale swedish;
    if (!swedish.available()) {
        GTEST_SKIP() << "no Swedish locale with a decimal comma on this build";
    }
    EXPECT_EQ(formatFixed6(1.5), "1.500000");
    EXPECT_EQ(formatExact(0.1), "0.10000000000000001");
    EXPECT_EQ(parseLeadingDouble("3.25"), 3.25);
}

}  // namespace
}  // namespace trundlex
