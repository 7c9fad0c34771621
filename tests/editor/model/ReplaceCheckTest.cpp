#include <gtest/gtest.h>

#include "model/ReplaceCheck.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

using testing::asciiLevel;

// A grass level of the given size with a cup in its top-left corner, or without one.
Level grassLevel(std::int32_t width, std::int32_t height, bool cup) {
    Level level(width, height, "field", "tests");
    if (cup) {
        level.block(0, 0).fromText("S0H8");
    }
    return level;
}

TEST(ReplaceCheck, LosingTheFilesCupIsALoss) {
    const Level withCup = asciiLevel({"....", ".O..", "....", "...."});
    const Level circleCup = asciiLevel({"....", "..o.", "....", "...."});
    const Level none = asciiLevel({"....", "....", "..#.", "...."});
    EXPECT_TRUE(checkReplacement(withCup, none).cup);
    EXPECT_TRUE(checkReplacement(circleCup, none).cup) << "a cup inside a circle counts too";
    EXPECT_FALSE(checkReplacement(withCup, circleCup).cup);
    EXPECT_FALSE(checkReplacement(none, withCup).cup) << "gaining a cup loses nothing";
    EXPECT_FALSE(checkReplacement(none, none).cup) << "the file had no cup to lose";
}

TEST(ReplaceCheck, FewerThanHalfTheFilesCellsIsALoss) {
    const Level stored = grassLevel(10, 10, true);
    const struct {
        std::int32_t width, height;
        bool loss;
    } cases[] = {
        {10, 10, false}, {20, 20, false},  // as large or larger
        {10, 5, false},                    // exactly half is kept
        {7, 7, true},                      // 49 of 100
        {9, 5, true},   {2, 2, true},      //
        {25, 4, false},                    // another shape, as many cells
    };
    for (const auto& c : cases) {
        const ReplacementLoss loss = checkReplacement(stored, grassLevel(c.width, c.height, true));
        EXPECT_EQ(loss.size, c.loss) << c.width << " x " << c.height;
        EXPECT_EQ(loss.any(), c.loss) << "cups on both sides: only the size can be lost";
    }
}

TEST(ReplaceCheck, BothLossesAreReportedTogether) {
    const ReplacementLoss loss =
        checkReplacement(grassLevel(20, 20, true), grassLevel(10, 10, false));
    EXPECT_TRUE(loss.cup);
    EXPECT_TRUE(loss.size);
    EXPECT_TRUE(loss.any());
    EXPECT_FALSE(checkReplacement(grassLevel(20, 20, true), grassLevel(20, 19, true)).any());
}

}  // namespace
}  // namespace trundlex
