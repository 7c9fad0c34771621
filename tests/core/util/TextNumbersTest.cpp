#include <gtest/gtest.h>

#include <cstdio>

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
    EXPECT_EQ(parseLeadingDouble("5.000000"), 5.0);
    EXPECT_EQ(parseLeadingDouble(" \t-2.5e1xyz"), -25.0);
    EXPECT_EQ(parseLeadingDouble("+.5"), 0.5);
    EXPECT_EQ(parseLeadingDouble("7,5"), 7.0) << "a comma ends the number";
    EXPECT_EQ(parseLeadingDouble(""), 0.0);
    EXPECT_EQ(parseLeadingDouble("nan"), 0.0);
    EXPECT_EQ(parseLeadingDouble("-inf"), 0.0);
    EXPECT_EQ(parseLeadingDouble("1e999"), 0.0);
    EXPECT_EQ(parseLeadingDouble("1e-999"), 0.0);
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
