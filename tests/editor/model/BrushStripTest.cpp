#include <gtest/gtest.h>

#include "model/BrushStrip.h"

namespace trundlex {
namespace {

TEST(BrushStrip, ShapeButtonsGiveTheirShapeInPaletteOrder) {
    BrushStrip strip;
    const std::vector<std::int32_t> expected = {Square, Circle, QuarterDisc, Triangle, HalfDisc};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PixelRect& rect = strip.shapeButtons()[i].rect;
        ASSERT_TRUE(strip.pickShapeAt({(rect.left + rect.right) / 2, rect.top + 5}));
        EXPECT_EQ(strip.brush().shape(), expected[i]);
        for (std::size_t j = 0; j < expected.size(); ++j) {
            EXPECT_EQ(strip.shapeButtons()[j].selected, i == j);
        }
    }
    EXPECT_FALSE(strip.pickShapeAt({65, 20})) << "the gap before the first button";
    EXPECT_FALSE(strip.pickBackKindAt({325, 20})) << "the gap before the materials";
    EXPECT_EQ(strip.brush().shape(), HalfDisc);
}

// The brush commands (turning, flattening, swapping) are tested through their keys with the
// editor's main window.

TEST(BrushStrip, SlopeMarksPointDownhill) {
    const PixelRect button = BrushStrip::BackButtonRect;  // centre (16, 16), radius 5.9
    EXPECT_TRUE(BrushStrip::slopeMark(button, Flat).empty());
    const auto right = BrushStrip::slopeMark(button, 0);
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(right[1], (PixelPoint{21, 16})) << "tip to the right";
    EXPECT_TRUE(right[0].x < 16 && right[2].x < 16) << "the arrow's wings trail behind the tip";
    EXPECT_EQ(BrushStrip::slopeMark(button, 2)[1], (PixelPoint{16, 11})) << "up: y is smaller";
    EXPECT_EQ(BrushStrip::slopeMark(button, 4)[1], (PixelPoint{11, 16}));
    EXPECT_EQ(BrushStrip::slopeMark(button, 6)[1], (PixelPoint{16, 21}));
}

}  // namespace
}  // namespace trundlex
