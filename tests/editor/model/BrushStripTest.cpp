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

// The centre of the material button of `kind`.
PixelPoint materialButton(const BrushStrip& strip, std::int32_t kind) {
    const PixelRect& rect = strip.materialButtons()[static_cast<std::size_t>(kind)].rect;
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Choosing Cup or Ice kept the slope set for the material before, so the brush painted
// sloped cups nobody had asked for.
TEST(BrushStrip, AChosenMaterialStartsFlat) {
    BrushStrip strip;
    for (const std::int32_t kind : {Cup, Ice, Sand, Grass}) {
        strip.rotateBackSlope();
        strip.rotateFrontSlope();
        strip.rotateFrontSlope();
        ASSERT_NE(strip.brush().back().slope(), Flat);
        ASSERT_NE(strip.brush().front().slope(), Flat);
        ASSERT_TRUE(strip.pickBackKindAt(materialButton(strip, kind)));
        ASSERT_TRUE(strip.pickFrontKindAt(materialButton(strip, kind)));
        EXPECT_EQ(strip.brush().back(), Material(kind, Flat)) << "back " << kind;
        EXPECT_EQ(strip.brush().front(), Material(kind, Flat)) << "front " << kind;
    }
}

// Picking up a square block read from a file brought its unseen front, which such a block
// carries sloping to the right; choosing a shape afterwards painted that slope.
TEST(BrushStrip, APickedUpBlockBringsOnlyWhatItShows) {
    BrushStrip strip;
    const Material ownFront = strip.brush().front();
    Block square;
    ASSERT_TRUE(square.fromText("S2I8"));
    ASSERT_NE(square.front().slope(), Flat) << "the file format's hidden front";
    strip.pickUp(square);
    EXPECT_EQ(strip.brush().shape(), Square);
    EXPECT_EQ(strip.brush().rotation(), 2);
    EXPECT_EQ(strip.brush().back(), Material(Ice, Flat));
    EXPECT_EQ(strip.brush().front(), ownFront) << "the brush keeps the front it had";

    // A shaped block shows its front: all of it comes along, slopes included.
    Block shaped;
    ASSERT_TRUE(shaped.fromText("P1I3S6"));
    strip.pickUp(shaped);
    EXPECT_EQ(strip.brush(), shaped);
    // A square picked up after it keeps the front the shaped block brought.
    strip.pickUp(square);
    EXPECT_EQ(strip.brush().front(), Material(Sand, SlopeDown));
    EXPECT_EQ(strip.brush().back(), Material(Ice, Flat));
}

// A shaped block has two materials, each with its own slope: setting one leaves the other.
TEST(BrushStrip, EachPartOfTheBrushTakesItsOwnSlope) {
    BrushStrip strip;
    EXPECT_FALSE(strip.showsFront()) << "a square shows only its back";
    for (const ToolButton& button : strip.shapeButtons()) {
        ASSERT_TRUE(strip.pickShapeAt({button.rect.left + 2, button.rect.top + 2}));
        EXPECT_EQ(strip.showsFront(), strip.brush().shape() != Square) << strip.brush().shape();
    }
    ASSERT_TRUE(strip.pickBackKindAt(materialButton(strip, Ice)));
    ASSERT_TRUE(strip.pickFrontKindAt(materialButton(strip, Sand)));
    strip.setFrontSlope(SlopeUp);
    strip.setBackSlope(SlopeDownLeft);
    EXPECT_EQ(strip.brush().front(), Material(Sand, SlopeUp));
    EXPECT_EQ(strip.brush().back(), Material(Ice, SlopeDownLeft));
    strip.setFrontSlope(Flat);
    EXPECT_EQ(strip.brush().front(), Material(Sand, Flat));
    EXPECT_EQ(strip.brush().back(), Material(Ice, SlopeDownLeft)) << "the back keeps its slope";
    strip.setFrontSlope(SlopeRight);
    strip.setFrontSlope(Flat + 1);
    strip.setFrontSlope(-1);
    EXPECT_EQ(strip.brush().front(), Material(Sand, SlopeRight)) << "no such slope";
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
