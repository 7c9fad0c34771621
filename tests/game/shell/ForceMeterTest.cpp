#include <gtest/gtest.h>

#include "control/ForceMeter.h"
#include "support/ScriptedRandom.h"

namespace trundlex {
namespace {

using testing::ScriptedRandom;

TEST(ForceMeter, GrowsToFullForceInTwoHundredThirtyOneTicks) {
    double force = 0.0;
    int ticks = 0;
    int firstPutt = 0;
    while (force < forcemeter::MaxForce) {
        force = forcemeter::next(force);
        ++ticks;
        if (ticks == 1) {
            EXPECT_DOUBLE_EQ(force, 0.003);
        }
        if (firstPutt == 0 && force > forcemeter::MinimumPutt) {
            firstPutt = ticks;
        }
        ASSERT_LE(force, forcemeter::MaxForce);
        ASSERT_LT(ticks, 1000);
    }
    EXPECT_EQ(firstPutt, 9) << "a click released earlier makes no putt";
    EXPECT_EQ(ticks, 231);
}

TEST(ForceMeter, AimTremblesMoreTheHarderThePutt) {
    // The first draw decides whether the aim trembles, the last one which way.
    ScriptedRandom still({40, 32767, 2});
    EXPECT_EQ(forcemeter::tremble(1.0, 80.0, still), 1.0) << "a draw divisible by 20: no tremble";
    ScriptedRandom full({1, 32767, 2});
    const double atFullForce = forcemeter::tremble(1.0, 80.0, full) - 1.0;
    ScriptedRandom other({1, 32767, 3});
    EXPECT_DOUBLE_EQ(forcemeter::tremble(1.0, 80.0, other) - 1.0, -atFullForce)
        << "odd: the other way";
    ScriptedRandom half({1, 32767, 2});
    const double atHalfForce = forcemeter::tremble(1.0, 40.0, half) - 1.0;
    EXPECT_GT(atHalfForce, 0.0);
    EXPECT_GT(atFullForce, atHalfForce);
}

}  // namespace
}  // namespace trundlex
