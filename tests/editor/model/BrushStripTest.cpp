#include <gtest/gtest.h>

#include "model/BrushStrip.h"

namespace trundlex {
namespace {

PixelPoint centreOf(const PixelRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(BrushStrip, StartsAsAWallFrontSquareOfGrassWithTheSquareSelected) {
    const BrushStrip strip;
    EXPECT_EQ(strip.brush().shape(), Square);
    EXPECT_EQ(strip.brush().back(), Material(Grass, Flat));
    EXPECT_EQ(strip.brush().front(), Material(Wall, Flat));
    ASSERT_EQ(strip.shapeButtons().size(), 5u);
    EXPECT_TRUE(strip.shapeButtons()[0].selected);
    for (const ToolButton& button : strip.materialButtons()) {
        EXPECT_TRUE(button.selected) << "every material button carries the frame";
    }
}

TEST(BrushStrip, ShapeButtonsGiveTheirShapeInPaletteOrder) {
    BrushStrip strip;
    const std::vector<std::int32_t> expected = {Square, Circle, QuarterDisc, Triangle, HalfDisc};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PixelRect& rect = strip.shapeButtons()[i].rect;
        EXPECT_EQ(rect.left, 70 + 50 * static_cast<int>(i));
        ASSERT_TRUE(strip.pickShapeAt(centreOf(rect)));
        EXPECT_EQ(strip.brush().shape(), expected[i]);
        for (std::size_t j = 0; j < expected.size(); ++j) {
            EXPECT_EQ(strip.shapeButtons()[j].selected, i == j);
        }
    }
    EXPECT_FALSE(strip.pickShapeAt({65, 20})) << "the gap before the first button";
    EXPECT_EQ(strip.brush().shape(), HalfDisc);
}

TEST(BrushStrip, LeftPicksTheBackKindAndRightTheFrontKind) {
    BrushStrip strip;
    const PixelRect sand = strip.materialButtons()[Sand].rect;
    const PixelRect water = strip.materialButtons()[Water].rect;
    EXPECT_EQ(sand.left, 330 + 50 * Sand);
    ASSERT_TRUE(strip.pickBackKindAt(centreOf(sand)));
    ASSERT_TRUE(strip.pickFrontKindAt(centreOf(water)));
    EXPECT_EQ(strip.brush().back().kind(), Sand);
    EXPECT_EQ(strip.brush().front().kind(), Water);
    EXPECT_FALSE(strip.pickBackKindAt({325, 20}));
    EXPECT_FALSE(strip.pickFrontKindAt({200, 200}));
}

// The brush commands (turning, flattening, swapping) are tested through their keys with the
// editor's main window.

TEST(BrushStrip, PickingUpABlockKeepsTheShapeSelection) {
    BrushStrip strip;
    Block picked;
    picked.fromText("P2I3S8");
    strip.setBrush(picked);
    EXPECT_EQ(strip.brush(), picked);
    EXPECT_TRUE(strip.shapeButtons()[0].selected);
}

TEST(BrushStrip, SlopeMarksPointDownhill) {
    const PixelRect button = BrushStrip::BackButtonRect;  // centre (16, 16), radius 5.9
    EXPECT_TRUE(BrushStrip::slopeMark(button, Flat).empty());
    const auto right = BrushStrip::slopeMark(button, 0);
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(right[1], (PixelPoint{21, 16})) << "tip to the right";
    EXPECT_LT(right[0].x, 16);
    EXPECT_LT(right[2].x, 16);
    const auto up = BrushStrip::slopeMark(button, 2);
    EXPECT_EQ(up[1], (PixelPoint{16, 11})) << "tip upward: screen y is smaller";
    const auto left = BrushStrip::slopeMark(button, 4);
    EXPECT_EQ(left[1], (PixelPoint{11, 16})) << "mirror image of the right-hand mark";
    const auto down = BrushStrip::slopeMark(button, 6);
    EXPECT_EQ(down[1], (PixelPoint{16, 21}));
    EXPECT_GT(down[0].y, 0);
    EXPECT_LT(down[0].y, 16) << "the arrow's wings trail behind the tip";
}

}  // namespace
}  // namespace trundlex
