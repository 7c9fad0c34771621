#include <gtest/gtest.h>

#include "level/Block.h"

namespace trundlex {
namespace {

Block blockFrom(std::string_view code) {
    Block b;
    EXPECT_TRUE(b.fromText(code)) << code;
    return b;
}

TEST(Material, SettersKeepOldValueWhenOutOfRange) {
    Material m(Ice, SlopeUp);
    m.setKind(6);
    m.setKind(-1);
    m.setSlope(9);
    m.setSlope(-1);
    EXPECT_EQ(m.kind(), Ice);
    EXPECT_EQ(m.slope(), SlopeUp);
}

TEST(Material, CodeRoundTripsAndAbsorbsBadCharacters) {
    EXPECT_EQ(Material(Ice, SlopeUp).toText(), "I2");
    EXPECT_EQ(Material().toText(), "G8");

    Material m(Sand, SlopeLeft);
    EXPECT_FALSE(m.fromText("W"));
    EXPECT_EQ(m, Material(Sand, SlopeLeft)) << "a refused text leaves the material alone";

    EXPECT_TRUE(m.fromText("X3"));
    EXPECT_EQ(m, Material(Grass, 3)) << "unknown letter reads as grass";

    EXPECT_TRUE(m.fromText("W9"));
    EXPECT_EQ(m, Material(Water, 3)) << "slope 9 is ignored";

    for (int kind = 0; kind < MaterialKindCount; ++kind) {
        for (int slope = 0; slope <= Flat; ++slope) {
            Material original(kind, slope);
            Material copy;
            ASSERT_TRUE(copy.fromText(original.toText() + "junk"));
            EXPECT_EQ(copy, original);
        }
    }
}

TEST(BlockCode, DefaultAndPlainBlocks) {
    // Rotation does not matter for a default block.
    for (std::string_view code : {"$", "S0G8", "S3G8"}) {
        EXPECT_TRUE(blockFrom(code).isDefault()) << code;
        EXPECT_EQ(blockFrom(code).toText(), "$") << code;
    }
    EXPECT_EQ(blockFrom("S3G8").rotation(), 3);

    Block b = blockFrom("S1I2");
    EXPECT_EQ(b.toText(), "S1I2");
    EXPECT_EQ(b.front(), Material(Grass, SlopeRight)) << "a square's unseen front reads as G0";

    b = blockFrom("T2W8W8");
    EXPECT_TRUE(b.isPlain());
    EXPECT_EQ(b.kindAt(0.9, 0.1), Water);
    EXPECT_EQ(b.kindAt(0.1, 0.9), Water);
    EXPECT_EQ(b.toText(), "S2W8");
}

TEST(BlockCode, ShapedBlocksRoundTrip) {
    for (std::string code : {"T1G8W8", "C0G8H8", "P3S2I7", "M2T8G0", "T0G8T8"}) {
        EXPECT_EQ(blockFrom(code).toText(), code);
    }
}

TEST(BlockCode, BadCodesAreAbsorbed) {
    EXPECT_EQ(blockFrom("Q0G8").shape(), Square);
    EXPECT_EQ(blockFrom("Q0G8").rotation(), 0);
    EXPECT_EQ(blockFrom("S7G8").rotation(), 0);
    EXPECT_EQ(blockFrom("SXG8").rotation(), 0);
    EXPECT_EQ(blockFrom("S0G9").back().slope(), Flat);

    Block shaped = blockFrom("C1G8");
    EXPECT_EQ(shaped.front(), Material()) << "missing front keeps the reset value";

    Block kept = blockFrom("T1G8W8");
    for (std::string_view shortText : {"S0G", "S0", "S", "C"}) {
        EXPECT_FALSE(kept.fromText(shortText));
    }
    EXPECT_EQ(kept.toText(), "T1G8W8") << "a refused text leaves the block as it was";
}

TEST(BlockRegions, TriangleDiagonalsAndRotations) {
    // Per rotation: is the wall at the centre (on the diagonal), at the corner it covers and
    // not at the opposite corner. The diagonal belongs to the back for rotations 0 and 3.
    const struct {
        bool centre;
        double wallX, wallY;
    } cases[] = {{false, 0.9, 0.1}, {true, 0.9, 0.9}, {true, 0.1, 0.9}, {false, 0.1, 0.1}};
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        const Block t = blockFrom(std::string("T") + char('0' + r) + "G8T8");
        EXPECT_EQ(t.isWallAt(0.5, 0.5), cases[r].centre);
        EXPECT_TRUE(t.isWallAt(cases[r].wallX, cases[r].wallY));
        EXPECT_FALSE(t.isWallAt(1.0 - cases[r].wallX, 1.0 - cases[r].wallY));
    }
}

TEST(BlockRegions, DiscsAroundCornersAndEdges) {
    Block quarter = blockFrom("P0S8G8");
    EXPECT_EQ(quarter.kindAt(0.0, 1.0 - 1e-9), Grass);
    EXPECT_EQ(quarter.kindAt(0.99, 0.01), Sand) << "the far corner is sqrt(2) away";

    // Per rotation, a point on the back material and its mirror on the front: quarter disc
    // centres turn clockwise from bottom-left, half discs lean on the right, bottom, left, top.
    const struct {
        char shape;
        double x, y;
    } fronts[] = {{'P', 0.05, 0.95}, {'P', 0.05, 0.05}, {'P', 0.95, 0.05}, {'P', 0.95, 0.95},
                  {'M', 0.95, 0.5},  {'M', 0.5, 0.95},  {'M', 0.05, 0.5},  {'M', 0.5, 0.05}};
    for (int i = 0; i < 8; ++i) {
        const auto& f = fronts[i];
        const Block b = blockFrom(std::string{f.shape, char('0' + i % 4)} + "G8W8");
        EXPECT_EQ(b.kindAt(f.x, f.y), Water) << i;
        EXPECT_EQ(b.kindAt(1.0 - f.x, 1.0 - f.y), Grass) << i;
    }

    Block circle = blockFrom("C0G8H8");
    EXPECT_EQ(circle.kindAt(0.5, 0.5), Cup);
    EXPECT_EQ(circle.kindAt(0.5, 0.0), Cup) << "a point on the circle is inside";
    EXPECT_EQ(circle.kindAt(0.01, 0.01), Grass);
}

}  // namespace
}  // namespace trundlex
