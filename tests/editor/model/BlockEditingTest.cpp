#include <gtest/gtest.h>

#include "model/BlockEditing.h"

namespace trundlex {
namespace {

Block blockOf(const char* code) {
    Block block;
    block.fromText(code);
    return block;
}

TEST(BlockSetRule, MinusOneAndOutOfRangeValuesKeepTheirFields) {
    Block block = blockOf("T2I3W5");
    setBlockValues(block, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(block.toText(), "T2I3W5");

    setBlockValues(block, 5, 4, 6, 9, -1, 0);
    EXPECT_EQ(block.toText(), "T2I3W0") << "only the front slope 0 was valid";

    setBlockValues(block, HalfDisc, 1, Sand, -1, -1, Flat);
    EXPECT_EQ(block.shape(), HalfDisc);
    EXPECT_EQ(block.rotation(), 1);
    EXPECT_EQ(block.back(), Material(Sand, 3));
    EXPECT_EQ(block.front(), Material(Water, Flat));
}

TEST(BlockEquality, PlainLeftOperandIgnoresTheFront) {
    const Block plain = blockOf("T0G8G8");   // triangle whose layers are alike: plain
    const Block shaped = blockOf("T0G8W8");  // the same triangle with a water front
    EXPECT_TRUE(blockEquals(plain, shaped));
    EXPECT_FALSE(blockEquals(shaped, plain)) << "a shaped left operand compares fronts";
    EXPECT_TRUE(blockEquals(shaped, blockOf("T0G8W8")));
}

TEST(BlockEquality, ShapeRotationAndBackAlwaysCount) {
    const Block block = blockOf("T0G8G8");
    EXPECT_FALSE(blockEquals(block, blockOf("T1G8G8")));
    EXPECT_FALSE(blockEquals(block, blockOf("C0G8G8")));
    EXPECT_FALSE(blockEquals(block, blockOf("T0G2G8")));
    EXPECT_FALSE(blockEquals(block, blockOf("T0I8G8")));
}

TEST(BlockEditing, SwapExchangesKindAndSlopeOfBothLayers) {
    Block block = blockOf("P3I2S6");
    swapMaterials(block);
    EXPECT_EQ(block.toText(), "P3S6I2");
}

TEST(BlockEditing, RotationTurnsShapeAndOnlySlopedMaterialsWhenAsked) {
    Block block = blockOf("T3G0W8");
    rotateBlock(block, false);
    EXPECT_EQ(block.toText(), "T0G0W8") << "rotation wraps from 3 to 0, slopes stay";

    rotateBlock(block, true);
    EXPECT_EQ(block.rotation(), 1);
    EXPECT_EQ(block.back().slope(), 6) << "downhill right turns to downhill down";
    EXPECT_EQ(block.front().slope(), Flat) << "a flat material stays flat";

    Block up = blockOf("S0G2");
    rotateBlock(up, true);
    EXPECT_EQ(up.back().slope(), 0) << "up turns to right";
}

TEST(BlockEditing, NineSlopeStepsComeBackPassingFlatOnce) {
    std::int32_t slope = 3;
    int flats = 0;
    std::vector<std::int32_t> seen;
    for (int i = 0; i < 9; ++i) {
        slope = nextSlopeClockwise(slope);
        seen.push_back(slope);
        flats += slope == Flat ? 1 : 0;
    }
    EXPECT_EQ(slope, 3);
    EXPECT_EQ(flats, 1);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{2, 1, 0, 8, 7, 6, 5, 4, 3}));
}

}  // namespace
}  // namespace trundlex
