#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/LevelRegion.h"
#include "model/LevelTransform.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {
namespace {

using Rows = std::vector<std::string>;

// A 4 x 3 piece of every shape in several rotations, with sloped and flat materials of
// several kinds, so that a region operation that forgets any rule shows up.
Level variedPiece() {
    Level piece(4, 3);
    const char* const codes[] = {"T0G0W8", "C1I2T8", "P2S7G3", "M3W5I1", "S0G6",   "T3T8G1",
                                 "P1H8G4", "M0G2S6", "S0I5",   "C2G8H8", "T1S4W2", "P3G1T8"};
    for (int i = 0; i < 12; ++i) {
        piece.block(i % 4, i / 4).fromText(codes[i]);
    }
    return piece;
}

// A 10 x 8 level of grass with `piece` at column 2, row 3.
Level levelHolding(const Level& piece) {
    Level level(10, 8);
    for (std::int32_t x = 0; x < piece.width(); ++x) {
        for (std::int32_t y = 0; y < piece.height(); ++y) {
            level.block(2 + x, 3 + y) = piece.block(x, y);
        }
    }
    level.setModified(false);
    return level;
}

std::vector<std::string> codes(const Level& level) {
    std::vector<std::string> all;
    for (std::int32_t y = 0; y < level.height(); ++y) {
        for (std::int32_t x = 0; x < level.width(); ++x) {
            all.push_back(level.block(x, y).toText());
        }
    }
    return all;
}

TEST(CellRect, SpansTwoCornersInAnyOrderAndClipsToTheLevel) {
    EXPECT_EQ(CellRect::spanning({5, 1}, {2, 3}), (CellRect{2, 1, 4, 3}));
    const Level level(10, 8);
    EXPECT_EQ(clipToLevel(level, {-2, 6, 5, 5}), (CellRect{0, 6, 3, 2}));
    EXPECT_TRUE(clipToLevel(level, {10, 0, 3, 3}).isEmpty());
    EXPECT_TRUE(clipToLevel(level, {2147483600, 0, 100, 3}).isEmpty()) << "no wrap-around";
}

TEST(LevelRegion, CopyAndPasteElsewhereKeepsEveryBlockAndTouchesNothingElse) {
    const Level piece = variedPiece();
    Level level = levelHolding(piece);
    const Level region = copyRegion(level, {2, 3, 4, 3});
    EXPECT_EQ(codes(region), codes(piece));

    const Level before = level;
    const CellRect written = pasteRegion(level, region, {5, 0});
    EXPECT_EQ(written, (CellRect{5, 0, 4, 3}));
    EXPECT_TRUE(level.isModified());
    for (std::int32_t x = 0; x < 10; ++x) {
        for (std::int32_t y = 0; y < 8; ++y) {
            const bool inPaste = x >= 5 && x < 9 && y < 3;
            const Block& expected = inPaste ? piece.block(x - 5, y) : before.block(x, y);
            EXPECT_EQ(level.block(x, y).toText(), expected.toText()) << x << "," << y;
        }
    }
}

TEST(LevelRegion, APasteOverTheEdgeDropsOnlyWhatFallsOff) {
    Level level(6, 5);
    const Level region = copyRegion(asciiLevel({"#i", "s~"}), {0, 0, 2, 2});
    EXPECT_EQ(pasteRegion(level, region, {5, -1}), (CellRect{5, 0, 1, 1}));
    EXPECT_EQ(asciiRows(level), (Rows{".....s", "......", "......", "......", "......"}));
    Level untouched(6, 5);
    untouched.setModified(false);
    EXPECT_TRUE(pasteRegion(untouched, region, {6, 0}).isEmpty());
    EXPECT_FALSE(untouched.isModified());
}

TEST(LevelRegion, FourQuarterTurnsEitherWayOrTheSameMirrorTwiceGiveTheRegionBack) {
    const Level piece = variedPiece();
    const std::pair<RegionTurn, int> cases[] = {{RegionTurn::Clockwise, 4},
                                                {RegionTurn::CounterClockwise, 4},
                                                {RegionTurn::MirrorLeftRight, 2},
                                                {RegionTurn::MirrorTopBottom, 2}};
    for (const auto& [turn, times] : cases) {
        Level region = piece;
        for (int i = 1; i <= times; ++i) {
            turnRegion(region, turn);
            EXPECT_EQ(codes(region) == codes(piece), i == times)
                << "turn " << static_cast<int>(turn) << " after " << i;
        }
    }
    Level region = piece;
    turnRegion(region, RegionTurn::Clockwise);
    turnRegion(region, RegionTurn::CounterClockwise);
    EXPECT_EQ(codes(region), codes(piece)) << "counter-clockwise undoes clockwise";
}

TEST(LevelRegion, ATurnedRegionRollsAsTheWholeLevelTurnedTheSameWay) {
    // The whole level here is just the region, so the level's own transformations say how
    // every block and slope must come out.
    const Level piece = variedPiece();
    const std::pair<RegionTurn, void (*)(Level&)> cases[] = {
        {RegionTurn::Clockwise, rotateQuarter},
        {RegionTurn::MirrorLeftRight, flipHorizontal},
        {RegionTurn::MirrorTopBottom, flipVertical}};
    for (const auto& [turn, transform] : cases) {
        Level inLevel = levelHolding(piece);
        const auto turned = turnRegionInLevel(inLevel, {2, 3, 4, 3}, turn);
        ASSERT_TRUE(turned.has_value());
        Level whole = piece;
        transform(whole);
        EXPECT_EQ(codes(copyRegion(inLevel, *turned)), codes(whole));
    }
}

TEST(LevelRegion, AQuarterTurnClockwiseMakesARightwardSlopeRunDownTheScreen) {
    Level level = asciiLevel({"....", ".>^.", "....", "...."});
    ASSERT_TRUE(turnRegionInLevel(level, {1, 1, 2, 1}, RegionTurn::Clockwise).has_value());
    // The region's middle stays: the right and up slopes now stand above each other in
    // column 1, the one from the left on top, each turned a quarter clockwise.
    EXPECT_GT(level.slopeYAt(1.5, 1.5), 0.0) << "right became down";
    EXPECT_NEAR(level.slopeXAt(1.5, 1.5), 0.0, 1e-9);
    EXPECT_GT(level.slopeXAt(1.5, 2.5), 0.0) << "up became right";
    EXPECT_NEAR(level.slopeYAt(1.5, 2.5), 0.0, 1e-9);
    EXPECT_EQ(level.slopeXAt(2.5, 1.5), 0.0) << "the cell left behind is flat grass";
    EXPECT_TRUE(level.block(2, 1).isDefault());

    ASSERT_TRUE(turnRegionInLevel(level, {1, 1, 1, 2}, RegionTurn::CounterClockwise));
    EXPECT_GT(level.slopeXAt(1.5, 1.5), 0.0);
    EXPECT_LT(level.slopeYAt(2.5, 1.5), 0.0);
    EXPECT_TRUE(level.block(1, 2).isDefault());
}

// The kinds of the blocks' back materials in the characters of asciiLevel, whatever the
// blocks' rotation (a turned square is no longer written as asciiLevel's square).
Rows kindRows(const Level& level) {
    Rows rows;
    for (std::int32_t y = 0; y < level.height(); ++y) {
        std::string row;
        for (std::int32_t x = 0; x < level.width(); ++x) {
            row += ".#iOs~"[level.block(x, y).back().kind()];  // by MaterialKind
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(LevelRegion, ATurnedRegionIsMovedOntoTheLevelOrRefusedWhenItCannotFit) {
    Level level = asciiLevel({"......", "......", "####..", "~~~~.."});
    // Four wide and two high at the bottom: turned it is two wide and four high, moved up
    // from where its middle would put it half off the level.
    const auto turned = turnRegionInLevel(level, {0, 2, 4, 2}, RegionTurn::Clockwise);
    ASSERT_TRUE(turned.has_value());
    EXPECT_EQ(*turned, (CellRect{1, 0, 2, 4}));
    EXPECT_EQ(kindRows(level), (Rows{".~#...", ".~#...", ".~#...", ".~#..."}));

    Level narrow = asciiLevel({"######", "......"});
    const Level before = narrow;
    EXPECT_FALSE(turnRegionInLevel(narrow, {0, 0, 6, 1}, RegionTurn::Clockwise).has_value());
    EXPECT_EQ(asciiRows(narrow), asciiRows(before));
}

TEST(LevelRegion, MovingARegionLeavesGrassBehindAndLosesWhatGoesOverTheEdge) {
    Level level = asciiLevel({"#i....", "s~....", "......"});
    EXPECT_EQ(moveRegion(level, {0, 0, 2, 2}, 1, 1), (CellRect{1, 1, 2, 2}));
    EXPECT_EQ(asciiRows(level), (Rows{"......", ".#i...", ".s~..."}));
    EXPECT_EQ(moveRegion(level, {1, 1, 2, 2}, 4, 0), (CellRect{5, 1, 1, 2}));
    EXPECT_EQ(asciiRows(level), (Rows{"......", ".....#", ".....s"}));
}

TEST(LevelRegion, ClearingARegionMakesItGrassAndLeavesTheRest) {
    Level level = asciiLevel({"##~", "##~", "iii"});
    clearRegion(level, {1, 0, 5, 2});
    EXPECT_EQ(asciiRows(level), (Rows{"#..", "#..", "iii"}));
}

TEST(ReplaceMaterial, ChangesOnlyThatMaterialOnlyInsideTheRectangleAndKeepsSlopes) {
    Level level = asciiLevel({"iiii", "i#si", "iiii"});
    level.block(1, 1).fromText("T2I3S1");  // ice sloping up-right in front of sand
    level.block(2, 2).fromText("S0I6");    // ice sloping down
    level.setModified(false);
    EXPECT_EQ(replaceMaterial(level, {1, 1, 3, 2}, Ice, Water), 5);
    EXPECT_TRUE(level.isModified());
    EXPECT_EQ(level.block(1, 1).toText(), "T2W3S1");
    EXPECT_EQ(level.block(2, 2).toText(), "S0W6");
    EXPECT_EQ(asciiRows(level), (Rows{"iiii", "i?s~", "i~?~"}));
}

TEST(ReplaceMaterial, TheUnseenFrontOfASquareStaysAndAShapeOfOneMaterialStaysOne) {
    Level level(3, 1);
    level.block(0, 0).front() = Material(Wall, Flat);  // as squares read from files carry
    level.block(1, 0).fromText("C0T8T8");
    level.block(2, 0).fromText("C0G8T8");
    EXPECT_EQ(replaceMaterial(level, wholeLevel(level), Wall, Sand), 2);
    EXPECT_EQ(level.block(0, 0).front().kind(), Wall) << "a square's front does not show";
    EXPECT_TRUE(level.block(1, 0).isPlain());
    EXPECT_EQ(level.block(1, 0).back().kind(), Sand);
    EXPECT_EQ(level.block(2, 0).toText(), "C0G8S8");
}

TEST(ReplaceMaterial, AMaterialThatBecomesAWallIsFlat) {
    Level level = asciiLevel({"><", "#i"});
    EXPECT_EQ(replaceMaterial(level, wholeLevel(level), Grass, Wall), 2);
    EXPECT_EQ(asciiRows(level), (Rows{"##", "#i"}));
    EXPECT_EQ(replaceMaterial(level, wholeLevel(level), Wall, Sand), 3);
    EXPECT_EQ(asciiRows(level), (Rows{"ss", "si"}));
}

TEST(ReplaceMaterial, TheSameOrAnUnknownKindChangesNothing) {
    Level level = asciiLevel({"##", "ii"});
    level.setModified(false);
    EXPECT_EQ(replaceMaterial(level, wholeLevel(level), Wall, Wall), 0);
    EXPECT_EQ(replaceMaterial(level, wholeLevel(level), Wall, 6), 0);
    EXPECT_EQ(replaceMaterial(level, wholeLevel(level), -1, Ice), 0);
    EXPECT_FALSE(level.isModified());
    EXPECT_EQ(asciiRows(level), (Rows{"##", "ii"}));
}

}  // namespace
}  // namespace trundlex::testing
