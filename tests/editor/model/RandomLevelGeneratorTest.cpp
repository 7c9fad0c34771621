#include <gtest/gtest.h>

#include <set>

#include "PieceFolder.h"
#include "level/LevelFile.h"
#include "model/RandomLevelGenerator.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {
namespace {

constexpr int N = RandomLevelGenerator::Tiles;

const std::string kShippedPieces = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/RBites";

std::string code(const Level& level, int x, int y) {
    return level.block(x, y).toText();
}

// The blocks in the middle of one side of a tile: direction +1 right, +N down, -1 left,
// -N up. Open when none of the three is a wall.
bool sideOpen(const Level& level, int tile, int direction) {
    const int left = 7 * (tile % N);
    const int top = 7 * (tile / N);
    for (int i = 2; i <= 4; ++i) {
        const int x = direction == 1 ? left + 6 : direction == -1 ? left : left + i;
        const int y = direction == N ? top + 6 : direction == -N ? top : top + i;
        if (level.block(x, y).back().kind() == Wall) {
            return false;
        }
    }
    return true;
}

// The tiles of the route in walking order.
std::vector<int> routeTiles(const RandomLevelGenerator& generator) {
    std::vector<int> tiles{generator.startTile()};
    while (generator.route()[static_cast<std::size_t>(tiles.back())] !=
               RandomLevelGenerator::RouteEnd &&
           tiles.size() <= 49) {
        tiles.push_back(tiles.back() + generator.route()[static_cast<std::size_t>(tiles.back())]);
    }
    return tiles;
}

// Every tile of the route is open exactly toward the tiles before and after it, so the
// walls of neighbouring tiles join up into one closed course; tiles off the route are grass.
void expectClosedCourse(const RandomLevelGenerator& generator, const std::string& context) {
    const Level& level = generator.level();
    const std::vector<int> tiles = routeTiles(generator);
    ASSERT_GE(tiles.size(), 2u) << context;
    ASSERT_LE(tiles.size(), 2u * N + 1) << context;
    std::set<int> onRoute(tiles.begin(), tiles.end());
    ASSERT_EQ(onRoute.size(), tiles.size()) << context << ": the route crosses itself";
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        std::set<int> toward;
        if (i + 1 < tiles.size()) {
            toward.insert(tiles[i + 1] - tiles[i]);
        }
        if (i > 0) {
            toward.insert(tiles[i - 1] - tiles[i]);
        }
        for (int d : {1, N, -1, -N}) {
            EXPECT_EQ(sideOpen(level, tiles[i], d), toward.count(d) == 1)
                << context << ": tile " << tiles[i] << " (step " << i << "), side " << d;
        }
    }
    for (int tile = 0; tile < N * N; ++tile) {
        if (onRoute.count(tile) == 0) {
            for (int i = 0; i < 49; ++i) {
                ASSERT_EQ(code(level, 7 * (tile % N) + i % 7, 7 * (tile / N) + i / 7), "$")
                    << context << ": tile " << tile << " is off the route";
            }
        }
    }
}

TEST(RandomLevel, RouteEndingInTheSecondTileGetsTheStartAndTheEndPieceOnly) {
    PieceFolder pieces;
    pieces.writeMarkedPieces();
    // Start piece "runtutslag7", end piece "hal27"; the walk starts at tile 1 and steps left
    // into the corner tile 0, where the drawn direction (left) and the next two clockwise
    // (up, right) are blocked: the free fourth (down) does not count, so the route ends.
    ScriptedRandom draws({1, 0, 1, 3, 3});
    RandomLevelGenerator generator(pieces.path().string(), draws);
    ASSERT_TRUE(generator.Generate());
    EXPECT_EQ(draws.drawsTaken(), 5u);
    const Level& level = generator.level();
    EXPECT_EQ(generator.startTile(), 1);

    EXPECT_EQ(code(level, 10, 3), "S2I8") << "the start piece's middle";
    EXPECT_EQ(code(level, 8, 1), "S2T8") << "its variant block (5, 5), turned a half turn";
    EXPECT_EQ(code(level, 3, 3), "S0H8") << "the end piece's cup";
    EXPECT_EQ(code(level, 5, 5), "$") << "not the end piece's variant";
    expectClosedCourse(generator, "scripted");
    // The ball starts on the start piece's sand block as pasted, facing left.
    EXPECT_EQ(std::pair(level.startX(), level.startY()), std::pair(12.5, 3.5));
    EXPECT_EQ(code(level, 12, 3), "S2S8");
    EXPECT_TRUE(level.isModified());
    EXPECT_EQ(level.name() + level.id(), "") << "a new level";
}

TEST(RandomLevel, EachVerticalStraightLeavesTheStraightPieceAHalfTurnFurther) {
    PieceFolder pieces;
    pieces.writeMarkedPieces();
    // Route 32 down 39 down 46 right 47 right 48 (a corner: the route ends). Then one corner
    // draw per tile between start and end, straights included: 39 any, 46 snetthorn, 47 any.
    ScriptedRandom draws({0, 0, 32, 2, 2, 1, 1, 1, 1, 3, 0});
    RandomLevelGenerator generator(pieces.path().string(), draws);
    ASSERT_TRUE(generator.Generate());
    EXPECT_EQ(draws.drawsTaken(), 11u);
    const Level& level = generator.level();
    expectClosedCourse(generator, "scripted");
    // Tile 39 (column 4, row 5): the straight turned once, its sand block from (1, 1) to (5, 1).
    EXPECT_EQ(code(level, 33, 36), "S1S8");
    // Tile 47 (column 5, row 6): pasted lying, but a half turn round: sand at (5, 5).
    EXPECT_EQ(code(level, 40, 47), "S2S8");
    EXPECT_EQ(code(level, 36, 43), "$");
    // Tile 46: the slanted corner, turned twice (from above, on to the right).
    EXPECT_EQ(code(level, 31, 45), "S2I2");
    EXPECT_EQ(code(level, 45, 45), "S2H8") << "the end piece turned to face left";
}

TEST(RandomLevel, EveryRouteIsAClosedCourseOfJoinedPieces) {
    PieceFolder pieces;
    pieces.writeMarkedPieces();
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        SeededRandom draws(seed);
        RandomLevelGenerator generator(pieces.path().string(), draws);
        ASSERT_TRUE(generator.Generate());
        const std::string context = "seed " + std::to_string(seed);
        const std::vector<std::string> rows = asciiRows(generator.level());
        ASSERT_EQ(rows.size(), 50u);
        for (int i = 0; i < 50; ++i) {
            EXPECT_TRUE(rows[49][i] == '.' && rows[i][49] == '.') << context << ": grass edge";
        }
        expectClosedCourse(generator, context);
        // The start lies on the start piece's start block, however the piece was turned.
        const int x = static_cast<int>(generator.level().startX());
        const int y = static_cast<int>(generator.level().startY());
        EXPECT_EQ(x / 7 + N * (y / 7), generator.startTile()) << context;
        EXPECT_EQ(generator.level().block(x, y).back().kind(), Sand) << context;
    }
}

TEST(RandomLevel, MissingOrMisshapenPieceIsReportedAndNothingIsPasted) {
    PieceFolder pieces;
    pieces.writeMarkedPieces();
    std::filesystem::remove(pieces / "snetthorn7.lev");
    pieces.write("vetinte7.lev", Level(8, 7));
    SeededRandom draws(3);
    RandomLevelGenerator generator(pieces.path().string(), draws);
    EXPECT_FALSE(generator.Generate());
    ASSERT_EQ(generator.problems().size(), 2u);
    EXPECT_NE(generator.problems()[0].find("snetthorn7.lev"), std::string::npos);
    EXPECT_NE(generator.problems()[1].find("vetinte7.lev"), std::string::npos);
    EXPECT_NE(generator.problems()[1].find("8 x 7"), std::string::npos);
    EXPECT_EQ(asciiRows(generator.level()), std::vector<std::string>(50, std::string(50, '.')))
        << "nothing is pasted";
}

// --- The pieces that ship in RBites ---

TEST(ShippedPieces, HaveTheirOpeningsWhereTheirRolesPutThem) {
    const std::pair<const char*, const char*> roles[] = {
        {"utslag7.lev", "R"},    {"runtutslag7.lev", "R"}, {"hal27.lev", "R"},
        {"runthal27.lev", "R"},  {"vetinte7.lev", "LR"},   {"horn7.lev", "LB"},
        {"runthorn7.lev", "LB"}, {"snetthorn7.lev", "LB"},
    };
    for (const auto& [file, open] : roles) {
        Level piece;
        ASSERT_EQ(loadLevelFile(kShippedPieces + "/" + file, piece), LevelLoadResult::Loaded)
            << file;
        ASSERT_EQ(std::pair(piece.width(), piece.height()), std::pair(7, 7)) << file;
        const Level ring = borderedPiece(open, "$");
        bool cup = false;
        for (int i = 0; i < 49; ++i) {
            const int x = i % 7;
            const int y = i / 7;
            cup = cup || piece.block(x, y).holds(Cup);
            EXPECT_EQ(piece.block(x, y).back().kind() == Wall || (x % 6 != 0 && y % 6 != 0),
                      ring.block(x, y).back().kind() == Wall || (x % 6 != 0 && y % 6 != 0))
                << file << " border block (" << x << ", " << y << ")";
        }
        EXPECT_EQ(cup, std::string_view(file).find("hal2") != std::string_view::npos) << file;
        if (std::string_view(file).find("utslag") != std::string_view::npos) {
            const std::int32_t kind = piece.materialKindAt(piece.startX(), piece.startY());
            EXPECT_TRUE(kind == Grass || kind == Ice || kind == Sand) << file;
            EXPECT_FALSE(piece.isWallAt(piece.startX() + 0.36, piece.startY())) << file;
            EXPECT_FALSE(piece.isWallAt(piece.startX() - 0.36, piece.startY())) << file;
        }
    }
}

}  // namespace
}  // namespace trundlex::testing
