#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

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

TEST(TextNumbers, SwedishLocaleChangesNothing) {
    testing::SwedishLocale swedish;
    if (!swedish.available()) {
        GTEST_SKIP() << "sv_SE.UTF-8 is not installed";
    }
    EXPECT_EQ(formatFixed6(1.5), "1.500000");
    EXPECT_EQ(formatExact(0.1), "0.10000000000000001");
    EXPECT_EQ(parseLeadingDouble("3.25"), 3.25);
}

}  // namespace
}  // namespace trundlex
