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
    EXPECT_EQ(block.toText(), "M1S3W8") << "half disc, turned once, sand keeps its slope";
}

TEST(BlockEquality, PlainLeftOperandIgnoresTheFrontShapeRotationAndBackAlwaysCount) {
    // The left triangle's layers are alike: it is plain, and the right one's front is ignored.
    const std::pair<const char*, const char*> cases[] = {
        {"T0G8W8", "T0G8W8"}, {"T0G8G8", "T0G8W8"}, {"T0G8W8", "T0G8G8"}, {"T0G8G8", "T1G8G8"},
        {"T0G8G8", "C0G8G8"}, {"T0G8G8", "T0G2G8"}, {"T0G8G8", "T0I8G8"}};
    std::string equal;
    for (const auto& [left, right] : cases) {
        equal += blockEquals(blockOf(left), blockOf(right)) ? '1' : '0';
    }
    EXPECT_EQ(equal, "1100000");
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
    std::vector<std::int32_t> seen{3};
    for (int i = 0; i < 9; ++i) {
        seen.push_back(nextSlopeClockwise(seen.back()));
    }
    seen.erase(seen.begin());
    EXPECT_EQ(seen, (std::vector<std::int32_t>{2, 1, 0, 8, 7, 6, 5, 4, 3}));
}

}  // namespace
}  // namespace trundlex
