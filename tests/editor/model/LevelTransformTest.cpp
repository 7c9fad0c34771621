#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "LevelRows.h"
#include "model/BlockEditing.h"
#include "model/LevelTransform.h"

namespace trundlex::testing {
namespace {

using Rows = std::vector<std::string>;

// A level of every shape in every rotation, with sloped and flat materials of several kinds,
// so that a transformation that forgets any rule shows up.
Level variedLevel() {
    Level level(7, 5, "Varied", "Tests");
    const char* const shapes = "SCTPM";
    int i = 0;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x, ++i) {
            const int shape = i % 5;
            const int rotation = (i / 5) % 4;
            const int backSlope = i % 9;
            const int frontSlope = (i * 5 + 3) % 9;
            std::string code;
            code += shapes[shape];
            code += static_cast<char>('0' + rotation);
            code += "GTISWH"[i % 6];
            code += static_cast<char>('0' + backSlope);
            code += "WHSGIT"[(i / 2) % 6];
            code += static_cast<char>('0' + frontSlope);
            level.block(x, y).fromText(code);
        }
    }
    level.setStart(2.25, 3.5);
    level.setId("1234");
    level.setModified(false);
    return level;
}

std::vector<std::string> codes(const Level& level) {
    std::vector<std::string> all;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            all.push_back(level.block(x, y).toText());
        }
    }
    return all;
}

TEST(RotateLevel, FourQuarterTurnsGiveTheLevelBack) {
    const Level original = variedLevel();
    Level level = original;
    for (int i = 0; i < 4; ++i) {
        rotateQuarter(level);
        EXPECT_TRUE(level.isModified());
        if (i < 3) {
            EXPECT_NE(codes(level), codes(original)) << "after " << i + 1 << " turns";
        }
    }
    EXPECT_EQ(level.width(), 7);
    EXPECT_EQ(codes(level), codes(original));
    EXPECT_EQ(level.startX(), original.startX());
    EXPECT_EQ(level.startY(), original.startY());
    EXPECT_EQ(level.name(), "Varied");
    EXPECT_EQ(level.id(), "1234");
}

TEST(RotateLevel, WideLevelTurnsTallWithTheTopLeftBlockAtTheTopRight) {
    Level level(20, 10);
    level.block(0, 0).fromText("S0I0");  // ice sloping to the right
    level.block(19, 9).fromText("S0T8");
    level.setStart(3.0, 1.5);
    rotateQuarter(level);
    ASSERT_EQ(level.width(), 10);
    ASSERT_EQ(level.height(), 20);
    EXPECT_EQ(level.block(9, 0).toText(), "S1I6") << "slope right turns to slope down";
    EXPECT_EQ(level.block(0, 19).toText(), "S1T8");
    EXPECT_EQ(level.startX(), 8.5);
    EXPECT_EQ(level.startY(), 3.0);
}

TEST(FlipLevel, EachFlipTwiceGivesTheLevelBack) {
    const Level original = variedLevel();
    for (auto flip : {flipHorizontal, flipVertical}) {
        Level level = original;
        flip(level);
        EXPECT_NE(codes(level), codes(original));
        EXPECT_TRUE(level.isModified());
        flip(level);
        EXPECT_EQ(codes(level), codes(original));
        EXPECT_EQ(level.startX(), original.startX());
        EXPECT_EQ(level.startY(), original.startY());
    }
}

TEST(FlipLevel, StartAndOddMiddleColumnAreMirrored) {
    Level level(10, 5);
    level.setStart(2.5, 1.0);
    flipHorizontal(level);
    EXPECT_EQ(level.startX(), 7.5);
    EXPECT_EQ(level.startY(), 1.0);
    flipVertical(level);
    EXPECT_EQ(level.startY(), 4.0);

    Level odd(3, 3);
    odd.block(1, 1).fromText("T0G1T8");  // middle block: wall at the top right, slope up-right
    flipHorizontal(odd);
    EXPECT_EQ(odd.block(1, 1).toText(), "T3G3T8");
    flipVertical(odd);
    EXPECT_EQ(odd.block(1, 1).toText(), "T2G5T8");
}

TEST(FlipLevel, HalfDiscOnTheBottomEdgeKeepsItsRotationSideways) {
    Block block;
    block.fromText("M1G8T8");
    flipBlockHorizontal(block);
    EXPECT_EQ(block.rotation(), 1);
    flipBlockVertical(block);
    EXPECT_EQ(block.rotation(), 3);
}

// Where a point of the original level lands after a transformation of a W x H level.
using PointMap = std::function<void(double& x, double& y)>;
// How a slope's vector turns with it.
using VectorMap = std::function<void(double& sx, double& sy)>;

// Every shape in every rotation with every slope, one block to a level: after the
// transformation the material at each mapped point must be the material at the original
// point, and its slope vector the mapped vector. Points sit off every shape's boundary.
void expectImageOfEveryShape(const std::function<void(Level&)>& transform, const PointMap& point,
                             const VectorMap& vector) {
    const char* const shapes = "SCTPM";
    for (int shape = 0; shape < 5; ++shape) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (int slope = 0; slope <= 8; ++slope) {
                Level level(3, 2);
                std::string code{shapes[shape], static_cast<char>('0' + rotation),
                                 'I',           static_cast<char>('0' + slope),
                                 'T',           '8'};
                level.block(1, 0).fromText(code);
                Level after = level;
                transform(after);
                for (int i = 0; i < 16; ++i) {
                    for (int j = 0; j < 16; ++j) {
                        const double x = 1.0 + (i + 0.3) / 16.0;
                        const double y = (j + 0.6) / 16.0;
                        double mx = x;
                        double my = y;
                        point(mx, my);
                        ASSERT_EQ(after.materialKindAt(mx, my), level.materialKindAt(x, y))
                            << code << " at (" << x << ", " << y << ")";
                        double sx = level.slopeXAt(x, y);
                        double sy = level.slopeYAt(x, y);
                        vector(sx, sy);
                        ASSERT_NEAR(after.slopeXAt(mx, my), sx, 1e-9) << code;
                        ASSERT_NEAR(after.slopeYAt(mx, my), sy, 1e-9) << code;
                    }
                }
            }
        }
    }
}

TEST(TransformedRegions, QuarterTurnTurnsEveryFrontRegionAndSlope) {
    // A 3 x 2 level turns into 2 x 3: (x, y) goes to (2 - y, x); a vector turns clockwise.
    expectImageOfEveryShape(
        rotateQuarter,
        [](double& x, double& y) {
            const double oldX = x;
            x = 2.0 - y;
            y = oldX;
        },
        [](double& sx, double& sy) {
            const double oldX = sx;
            sx = -sy;
            sy = oldX;
        });
}

TEST(TransformedRegions, HorizontalFlipMirrorsEveryFrontRegionAndSlope) {
    expectImageOfEveryShape(
        flipHorizontal, [](double& x, double&) { x = 3.0 - x; },
        [](double& sx, double&) { sx = -sx; });
}

TEST(TransformedRegions, VerticalFlipMirrorsEveryFrontRegionAndSlope) {
    expectImageOfEveryShape(
        flipVertical, [](double&, double& y) { y = 2.0 - y; },
        [](double&, double& sy) { sy = -sy; });
}

// --- Make fit ---

TEST(MakeFit, CutsToTheUsedBlocksAndKeepsTheStartOnThem) {
    Level level(10, 8, "Pond", "Ann");
    level.block(2, 3).fromText("S0T8");
    level.block(5, 5).fromText("S0W8");
    level.setStart(3.5, 4.5);
    level.setId("99");
    level.setModified(false);
    ASSERT_TRUE(makeFit(level));
    EXPECT_EQ(levelRows(level), (Rows{"#...", "....", "...~"}));
    EXPECT_EQ(level.startX(), 1.5);
    EXPECT_EQ(level.startY(), 1.5);
    EXPECT_EQ(level.name(), "Pond");
    EXPECT_EQ(level.creator(), "Ann");
    EXPECT_EQ(level.id(), "") << "a new ID is made at the next save";
    EXPECT_TRUE(level.isModified());
}

TEST(MakeFit, KeepsABlockUsedOnlyInTheLastColumnOrRow) {
    // Guards against losing work: a scan that stops short of the last column cut this away.
    Level level(10, 6);
    level.block(9, 2).fromText("S0T8");
    level.block(9, 4).fromText("S0S8");
    ASSERT_TRUE(makeFit(level));
    EXPECT_EQ(levelRows(level), (Rows{".#", "..", ".s"}))
        << "a single column is widened toward the level's extent";

    Level bottom(6, 6);
    bottom.block(3, 5).fromText("S0W8");
    ASSERT_TRUE(makeFit(bottom));
    EXPECT_EQ(levelRows(bottom), (Rows{"..", "~."}));
}

TEST(MakeFit, NeverCutsBelowTwoByTwo) {
    Level level(10, 10);
    level.block(0, 9).fromText("S0T8");
    level.setStart(0.5, 9.5);
    ASSERT_TRUE(makeFit(level));
    ASSERT_EQ(level.width(), 2);
    ASSERT_EQ(level.height(), 2);
    EXPECT_EQ(levelRows(level), (Rows{"..", "#."}))
        << "at the bottom edge the rectangle grows upward";
    EXPECT_EQ(level.startX(), 0.5);
    EXPECT_EQ(level.startY(), 1.5);
}

TEST(MakeFit, LevelWithoutUsedBlocksOrAlreadyFullStaysAsItIs) {
    Level empty(8, 5);
    empty.setId("7");
    empty.setModified(false);
    EXPECT_FALSE(makeFit(empty));
    EXPECT_EQ(empty.width(), 8);
    EXPECT_EQ(empty.id(), "7");
    EXPECT_FALSE(empty.isModified());

    Level full(3, 2);
    full.block(0, 0).fromText("S0T8");
    full.block(2, 1).fromText("S0T8");
    full.setModified(false);
    EXPECT_FALSE(makeFit(full));
    EXPECT_FALSE(full.isModified());
}

}  // namespace
}  // namespace trundlex::testing
