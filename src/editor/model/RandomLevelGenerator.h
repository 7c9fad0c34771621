#pragma once

#include <array>
#include <string>
#include <vector>

#include "level/Level.h"
#include "util/RandomSource.h"

namespace trundlex {

// Builds a random 50 x 50 level from template pieces of 7 x 7 blocks along a random route.
//
// The route is a self-avoiding walk over a grid of 7 x 7 tiles (each 7 x 7 blocks, so the
// last row and column of the level stay grass). The walk's first tile gets a start piece, its
// last tile an end piece, every tile between a straight or a corner piece, each turned a
// quarter at a time (blocks, slopes and start included) so that its openings face the tiles
// before and after it. The pieces are level files in one folder:
//
//   start    "utslag7.lev" or "runtutslag7.lev"   one opening, on the right
//   end      "hal27.lev" or "runthal27.lev"        one opening, on the right
//   straight "vetinte7.lev"                        openings left and right
//   corner   "horn7.lev", "runthorn7.lev" (1 in 4), "snetthorn7.lev" (5 in 8)
//                                                  openings left and bottom
//
// The generator knows nothing of their content. Its random draws come in a fixed order, so
// the same draws always give the same level.
class RandomLevelGenerator {
public:
    static constexpr int Tiles = 7;     // tiles per side of the route grid
    static constexpr int TileSize = 7;  // blocks per side of a tile and a piece
    static constexpr int LevelSize = 50;
    // A tile's place in the route: the direction to the next tile, 0 off the route.
    static constexpr int OffRoute = 0;
    static constexpr int RouteEnd = -2;
    using Route = std::array<int, Tiles * Tiles>;

    // `piecesFolder` holds the piece files; `random` must outlive the generator.
    RandomLevelGenerator(std::string piecesFolder, RandomSource& random);

    // Reads the pieces and builds the level. False when a piece cannot be read or is not
    // 7 x 7 blocks: then problems() names them and the level is a cleared 50 x 50 level (no
    // piece is pasted, so a missing file never leaves a half-made course).
    bool Generate();
    // The level built: no name, creator or ID, marked modified.
    const Level& level() const { return level_; }
    Level& level() { return level_; }
    // One line per piece that could not be used, naming its file.
    const std::vector<std::string>& problems() const { return problems_; }
    // The route of the last Generate: per tile the direction to the next one.
    const Route& route() const { return route_; }
    // The tile the route of the last Generate starts from.
    int startTile() const { return startTile_; }

    // A random self-avoiding walk of at most 2 * n steps over an n x n grid of tiles, written
    // into `route` (which must hold n * n zeros); returns the first tile's index.
    int RandomRoute(Route& route, int n);
    // One of the four directions at random: -n (up), +1 (right), +n (down), -1 (left).
    int RandomDirection(int n);
    // The direction a quarter turn clockwise on screen: right, down, left, up, right.
    static int TurnClockwise(int direction, int n);
    // Copies the piece's blocks into the level with its top-left block at the tile
    // (col, row); blocks that fall outside the level are dropped.
    void PastePiece(const Level& piece, int col, int row);

private:
    bool loadPiece(const char* fileName, Level& piece);
    void walk(const Route& route, int start, Level& startPiece, Level& endPiece, Level& straight,
              Level corners[3]);

    std::string folder_;
    RandomSource& random_;
    Level level_;
    std::vector<std::string> problems_;
    Route route_{};
    int startTile_ = 0;
};

}  // namespace trundlex
