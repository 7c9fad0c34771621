#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <utility>

#include "model/LevelTransform.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {
namespace {

using Rows = std::vector<std::string>;

// A level of every shape in every rotation, with sloped and flat materials of several kinds,
// so that a transformation that forgets any rule shows up.
Level variedLevel() {
    Level level(7, 5, "Varied", "Tests");
    for (int i = 0; i < 35; ++i) {
        const char code[] = {"SCTPM"[i % 5],
                             char('0' + i / 5 % 4),
                             "GTISWH"[i % 6],
                             char('0' + i % 9),
                             "WHSGIT"[i / 2 % 6],
                             char('0' + (i * 5 + 3) % 9),
                             '\0'};
        level.block(i % 7, i / 7).fromText(code);
    }
    level.setStart(2.25, 3.5);
    level.setId("1234");
    level.setModified(false);
    return level;
}

TEST(TransformLevel, FourQuarterTurnsOrTheSameFlipTwiceGiveTheLevelBack) {
    const Level original = variedLevel();
    const std::pair<void (*)(Level&), int> cases[] = {
        {rotateQuarter, 4}, {flipHorizontal, 2}, {flipVertical, 2}};
    for (const auto& [transform, times] : cases) {
        Level level = original;
        for (int i = 1; i <= times; ++i) {
            transform(level);
            EXPECT_TRUE(level.isModified());
            EXPECT_EQ(level.toText() == original.toText(), i == times) << "after " << i;
        }
    }
}

TEST(TransformLevel, TheSizeAndTheStartGoWhereTheLevelGoes) {
    // The blocks themselves are the next test's.
    Level level(20, 10);
    level.setStart(3.0, 1.5);
    rotateQuarter(level);
    EXPECT_EQ(std::pair(level.width(), level.height()), std::pair(10, 20));
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(8.5, 3.0));
    flipHorizontal(level);
    flipVertical(level);
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(1.5, 17.0));
}

// Every shape in every rotation with every slope, one block in the middle of a 3 x 2 level:
// after the transformation the material at each mapped point must be the material at the
// original point, and its slope vector the mapped vector. Points sit off every boundary. Each
// case maps a point p to m p + t and a slope's vector v to m v, m = (a b; c d).
TEST(TransformedRegions, EveryRegionAndSlopeGoesWhereTheLevelGoes) {
    const std::tuple<void (*)(Level&), int, int, int, int, int, int> cases[] = {
        {rotateQuarter, 0, -1, 1, 0, 2, 0},  // turned into 2 x 3, clockwise
        {flipHorizontal, -1, 0, 0, 1, 3, 0},
        {flipVertical, 1, 0, 0, -1, 0, 2},
    };
    for (const auto& [transform, a, b, c, d, tx, ty] : cases) {
        for (const char shape : std::string_view("SCTPM")) {
            for (char rotation = '0'; rotation <= '3'; ++rotation) {
                for (char slope = '0'; slope <= '8'; ++slope) {
                    const std::string code{shape, rotation, 'I', slope, 'T', '8'};
                    Level level(3, 2);
                    level.block(1, 0).fromText(code);
                    Level after = level;
                    transform(after);
                    for (int i = 0; i < 256; ++i) {
                        const double x = 1.0 + (i % 16 + 0.3) / 16.0;
                        const double y = (i / 16 + 0.6) / 16.0;
                        const double mx = a * x + b * y + tx;
                        const double my = c * x + d * y + ty;
                        ASSERT_EQ(after.materialKindAt(mx, my), level.materialKindAt(x, y))
                            << code << " at (" << x << ", " << y << ")";
                        const double sx = level.slopeXAt(x, y);
                        const double sy = level.slopeYAt(x, y);
                        ASSERT_NEAR(after.slopeXAt(mx, my), a * sx + b * sy, 1e-9) << code;
                        ASSERT_NEAR(after.slopeYAt(mx, my), c * sx + d * sy, 1e-9) << code;
                    }
                }
            }
        }
    }
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
    EXPECT_EQ(asciiRows(level), (Rows{"#...", "....", "...~"}));
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(1.5, 1.5));
    EXPECT_EQ(level.name() + level.creator(), "PondAnn");
    EXPECT_EQ(level.id(), "") << "a new ID is made at the next save";
    EXPECT_TRUE(level.isModified());
}

TEST(MakeFit, KeepsABlockUsedOnlyInTheLastColumnOrRow) {
    // Guards against losing work: a scan that stops short of the last column cut this away.
    Level level(10, 6);
    level.block(9, 2).fromText("S0T8");
    level.block(9, 4).fromText("S0S8");
    ASSERT_TRUE(makeFit(level));
    EXPECT_EQ(asciiRows(level), (Rows{".#", "..", ".s"}))
        << "a single column is widened toward the level's extent";

    Level bottom(6, 6);
    bottom.block(3, 5).fromText("S0W8");
    ASSERT_TRUE(makeFit(bottom));
    EXPECT_EQ(asciiRows(bottom), (Rows{"..", "~."}));
}

TEST(MakeFit, NeverCutsBelowTwoByTwo) {
    Level level(10, 10);
    level.block(0, 9).fromText("S0T8");
    level.setStart(0.5, 9.5);
    ASSERT_TRUE(makeFit(level));
    EXPECT_EQ(asciiRows(level), (Rows{"..", "#."}))
        << "at the bottom edge the rectangle grows upward";
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(0.5, 1.5));
}

TEST(MakeFit, LevelWithoutUsedBlocksOrAlreadyFullStaysAsItIs) {
    Level empty(8, 5);
    empty.setId("7");
    empty.setModified(false);
    EXPECT_FALSE(makeFit(empty));
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
