// The portable math gives the same bits on every compiler, C library and processor: a short
// list of pinned results and a digest of many more.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "support/DoubleBits.h"
#include "util/PortableMath.h"

namespace trundlex {
namespace {

using testing::Bits;
using testing::bitsOf;
using testing::fromBits;
// The results, bit for bit, of a fixed set of arguments: another compiler, C++ library or
// processor that rounds any step differently fails here. The list was written by this test's
// printing mode (TRUNDLEX_PRINT_MATH_BITS=1) once the accuracy tests passed.
struct PinnedSinCos {
    double x;
    Bits sin, cos;
};
struct PinnedAtan2 {
    double y, x;
    Bits angle;
};
const PinnedSinCos kPinnedSinCos[] = {
    {0.1, 0x3fb98eaecb8bcb2c, 0x3fefd712f9a817c1},
    {0.5, 0x3fdeaee8744b05f0, 0x3fec1528065b7d50},
    {-0.7853981633974483, 0xbfe6a09e667f3bcc, 0x3fe6a09e667f3bcd},
    {1.0, 0x3feaed548f090cee, 0x3fe14a280fb5068c},
    {1.5707963267948966, 0x3ff0000000000000, 0x3c91a62633145c07},
    {-2.0, 0xbfed18f6ead1b446, 0xbfdaa22657537205},
    {2.5, 0x3fe326af0dcfcab0, 0xbfe9a2f7ef858b7d},
    {3.141592653589793, 0x3ca1a62633145c07, 0xbff0000000000000},
    {-3.7, 0x3fe0f46aec2e1b41, 0xbfeb23a2ad7dd937},
    {4.71238898038469, 0xbff0000000000000, 0xbcaa79394c9e8a0a},
    {5.5, 0xbfe693c94e0ab057, 0x3fe6ad6c3c07d448},
    {-6.283185307179586, 0x3cb1a62633145c07, 0x3ff0000000000000},
    {7.25, 0x3fea56adb62a27b9, 0x3fe22c6f50dc3fbe},
    {-7.9, 0xbfeff753d53a5fa9, 0xbfa78d9732562aab},
    {1e-5, 0x3ee4f8b588e1e8a2, 0x3feffffffff920c8},
    {0x1p-26, 0x3e50000000000000, 0x3fefffffffffffff},
    {10.0, 0xbfe1689ef5f34f52, 0xbfead9ac890c6b1f},
    {100.5, 0xbf9fb3f833470ff1, 0x3feffc12adaecec2},
    {-1234.5678, 0xbfb3fa00084ee3dd, 0xbfefe7053dc31387},
    {65536.7, 0x3fb0761aeb70d3ed, 0xbfefef0be4ab256d},
    {823549.6, 0xbfb0858be515492b, 0x3fefeeebfee47670},
    {1e6, 0xbfd6664b2568d867, 0x3fedf9df9906d32c},
    {-3.3e9, 0xbfeea1306d505242, 0x3fd287413802b6dc},
    {1e15, 0x3feb76f88136ceba, 0xbfe06c154609d33f},
    {0x1.6ac5b262ca1ffp+849, 0x3ff0000000000000, 0xbc214ae72e6ba22f},
    {1e300, 0xbfea2c16b010e385, 0xbfe2699022adc4c1},
    {1.7976931348623157e308, 0x3f7452fc98b34e97, 0xbfefffe62ecfab75},
    {0.785398163397448, 0x3fe6a09e667f3bca, 0x3fe6a09e667f3bcf},
    {2.356194490192345, 0x3fe6a09e667f3bcd, 0xbfe6a09e667f3bcc},
    {-5.049, 0x3fee3442a2cad11e, 0x3fd52379885b3009},
};
const PinnedAtan2 kPinnedAtan2[] = {
    {1.0, 1.0, 0x3fe921fb54442d18},
    {1.0, -1.0, 0x4002d97c7f3321d2},
    {-1.0, -1.0, 0xc002d97c7f3321d2},
    {-1.0, 1.0, 0xbfe921fb54442d18},
    {0.3, 7.1, 0x3fa59ef60c134ada},
    {7.1, 0.3, 0x3ff87503a3e392c1},
    {-2.2, -5.5, 0xc00616b466d73d60},
    {5.5, -2.2, 0x3fff38892f1e0c88},
    {1e-300, 1.0, 0x01a56e1fc2f8f359},
    {1.0, 1e-300, 0x3ff921fb54442d18},
    {-1e300, 3.0, 0xbff921fb54442d18},
    {3.0, -1e300, 0x400921fb54442d18},
    {0.5, 0.9999, 0x3fddad0ece7daee9},
    {1e-320, -4e-320, 0x40072c43f4b1650a},
    {6.02e23, 6.0200006e23, 0x3fe921fb39830f28},
    {-0.001, -7.3, 0xc00921b38246bb04},
    {2.9, 2.9000000001, 0x3fe921fb5441ce78},
    {1.7, -3.2, 0x400539dfb2d9aa95},
    {-4.0, 0.0625, 0xbff8e1fca98cb633},
    {0x1p-1000, 0x1p-1010, 0x3ff91dfb5459826d},
};

TEST(PortableMath, GivesTheSameBitsAsEverywhereElse) {
    const bool print = std::getenv("TRUNDLEX_PRINT_MATH_BITS") != nullptr;
    for (const PinnedSinCos& p : kPinnedSinCos) {
        const Bits s = bitsOf(pmath::sin(p.x));
        const Bits c = bitsOf(pmath::cos(p.x));
        if (print) {
            std::printf("    {%a, 0x%016llx, 0x%016llx},\n", p.x,
                        static_cast<unsigned long long>(s), static_cast<unsigned long long>(c));
        }
        EXPECT_EQ(s, p.sin) << std::hexfloat << "sin " << p.x;
        EXPECT_EQ(c, p.cos) << std::hexfloat << "cos " << p.x;
    }
    for (const PinnedAtan2& p : kPinnedAtan2) {
        const Bits a = bitsOf(pmath::atan2(p.y, p.x));
        if (print) {
            std::printf("    {%a, %a, 0x%016llx},\n", p.y, p.x, static_cast<unsigned long long>(a));
        }
        EXPECT_EQ(a, p.angle) << std::hexfloat << "atan2 " << p.y << ", " << p.x;
    }
}

// A digest of many more results: a step that rounds differently changes only a few results in
// a thousand, too few for any short list to show. The arguments come from raw generator bits,
// which the C++ standard fixes, so every platform hashes the same angles.
TEST(PortableMath, DigestOfManyResultsIsTheSameEverywhere) {
    std::mt19937_64 random(5);
    std::uint64_t digest = 1469598103934665603u;
    const auto mix = [&](double v) { digest = (digest ^ bitsOf(v)) * 1099511628211u; };
    for (int i = 0; i < 200000; ++i) {
        const double x = static_cast<double>(random() >> 11) * 0x1p-49 - 8.0;
        const Bits b = random();  // any finite double, for every other y
        const double y = i % 2 ? static_cast<double>(b >> 11) * 0x1p-49 - 8.0
                               : fromBits((b >> 52 & 0x7ff) == 0x7ff ? b ^ Bits{1} << 62 : b);
        mix(pmath::sin(x));
        mix(pmath::cos(x));
        mix(pmath::atan2(y, x));
        mix(pmath::sin(y));
        if (i % 4 == 0) {
            mix(pmath::pow(std::fabs(x) / 8.0, 2.3));
            mix(pmath::pow(std::fabs(x) + 0.05, -0.6));
        }
    }
    if (std::getenv("TRUNDLEX_PRINT_MATH_BITS") != nullptr) {
        std::printf("digest 0x%016llx\n", static_cast<unsigned long long>(digest));
    }
    EXPECT_EQ(digest, 0xf9b5a133b1bcaa14u);
}

}  // namespace
}  // namespace trundlex
