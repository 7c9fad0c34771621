#include "model/RandomLevelGenerator.h"

#include <utility>

#include "level/LevelFile.h"
#include "model/LevelEditing.h"
#include "model/LevelTransform.h"

namespace trundlex {

namespace {

constexpr const char* kStartPieces[2] = {"utslag7.lev", "runtutslag7.lev"};
constexpr const char* kEndPieces[2] = {"hal27.lev", "runthal27.lev"};
constexpr const char* kStraightPiece = "vetinte7.lev";
constexpr const char* kCornerPieces[3] = {"horn7.lev", "runthorn7.lev", "snetthorn7.lev"};

void turn(Level& piece, int quarterTurns) {
    for (int i = 0; i < quarterTurns; ++i) {
        rotateQuarter(piece);
    }
}

}  // namespace

RandomLevelGenerator::RandomLevelGenerator(std::string piecesFolder, RandomSource& random)
    : folder_(std::move(piecesFolder)), random_(random) {}

bool RandomLevelGenerator::loadPiece(const char* fileName, Level& piece) {
    std::string path = folder_;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += fileName;
    if (loadLevelFile(path, piece) != LevelLoadResult::Loaded) {
        problems_.push_back(path + ": cannot be read as a level file");
        return false;
    }
    if (piece.width() != TileSize || piece.height() != TileSize) {
        problems_.push_back(path + ": is " + std::to_string(piece.width()) + " x " +
                            std::to_string(piece.height()) + " blocks, not 7 x 7");
        return false;
    }
    return true;
}

int RandomLevelGenerator::RandomDirection(int n) {
    switch (random_.next() % 4) {
        case 0:
            return -n;
        case 1:
            return 1;
        case 2:
            return n;
        default:
            return -1;
    }
}

int RandomLevelGenerator::TurnClockwise(int direction, int n) {
    if (direction == 1) {
        return n;
    }
    if (direction == n) {
        return -1;
    }
    if (direction == -1) {
        return -n;
    }
    return 1;
}

int RandomLevelGenerator::RandomRoute(Route& route, int n) {
    const int tiles = n * n;
    int cur = random_.next() % tiles;
    const int start = cur;
    auto passes = [&](int d) {
        const int t = cur + d;
        if (t < 0 || t > tiles - 1 || route[static_cast<std::size_t>(t)] != OffRoute) {
            return false;
        }
        // A step sideways must stay in the same row of tiles.
        return (d != 1 && d != -1) || t / n == cur / n;
    };
    for (int step = 0; step < 2 * n; ++step) {
        int d = RandomDirection(n);
        int tries = 0;
        bool passed = passes(d);
        while (!passed && tries < 4) {
            d = TurnClockwise(d, n);
            ++tries;
            passed = passes(d);
        }
        // Only the drawn direction and the next two clockwise count: the walk ends when all
        // three are blocked, even if the fourth is free.
        if (!passed || tries > 2) {
            break;
        }
        route[static_cast<std::size_t>(cur)] = d;
        cur += d;
    }
    route[static_cast<std::size_t>(cur)] = RouteEnd;
    return start;
}

void RandomLevelGenerator::PastePiece(const Level& piece, int col, int row) {
    for (std::int32_t x = 0; x < piece.width(); ++x) {
        for (std::int32_t y = 0; y < piece.height(); ++y) {
            setBlockAt(level_, x + TileSize * col, y + TileSize * row, piece.block(x, y));
        }
    }
}

bool RandomLevelGenerator::Generate() {
    problems_.clear();
    route_.fill(OffRoute);
    startTile_ = 0;
    level_.init(LevelSize, LevelSize, "", "");
    clearLevel(level_);

    // The draws and reads come in this order, whatever the pieces hold.
    Level startPiece;
    loadPiece(kStartPieces[random_.next() % 2 == 0 ? 0 : 1], startPiece);
    Level corners[3];
    loadPiece(kCornerPieces[0], corners[0]);
    Level endPiece;
    loadPiece(kEndPieces[random_.next() % 2 == 0 ? 0 : 1], endPiece);
    loadPiece(kCornerPieces[2], corners[2]);
    Level straight;
    loadPiece(kStraightPiece, straight);
    loadPiece(kCornerPieces[1], corners[1]);
    if (!problems_.empty()) {
        return false;
    }

    startTile_ = RandomRoute(route_, Tiles);
    walk(route_, startTile_, startPiece, endPiece, straight, corners);
    level_.setModified(true);
    return true;
}

void RandomLevelGenerator::walk(const Route& route, int start, Level& startPiece, Level& endPiece,
                                Level& straight, Level corners[3]) {
    constexpr int n = Tiles;
    auto at = [&](int tile) { return route[static_cast<std::size_t>(tile)]; };

    // The start piece opens to the right as stored; turned once it opens downward.
    turn(startPiece, 1);
    int d = at(start);
    int before = 0;
    if (d == -n) {
        before = 2;
    } else if (d == -1) {
        before = 1;
    } else if (d == 1) {
        before = 3;
    }
    turn(startPiece, before);
    PastePiece(startPiece, start % n, start / n);
    // The ball starts on the piece as it was pasted, whichever way it faces.
    level_.setStart(TileSize * (start % n) + startPiece.startX(),
                    TileSize * (start / n) + startPiece.startY());
    level_.clampStart();
    turn(startPiece, (4 - before) % 4);

    int prev = d;
    int cur = start + d;
    if (cur < 0 || cur >= n * n) {
        return;
    }
    d = at(cur);
    while (d == 1 || d == -1 || d == n || d == -n || d == RouteEnd) {
        const int col = cur % n;
        const int row = cur / n;
        if (d == RouteEnd) {
            // The end piece opens to the right as stored: toward the tile it was reached from.
            int turns = 0;
            if (prev == 1) {
                turns = 2;
            } else if (prev == n) {
                turns = 3;
            } else if (prev == -n) {
                turns = 1;
            }
            turn(endPiece, turns);
            PastePiece(endPiece, col, row);
            turn(endPiece, (4 - turns) % 4);
            return;
        }
        const int r = random_.next() % 8;
        Level corner = corners[r == 0 ? 0 : r <= 2 ? 1 : 2];
        // The corner opens left and down as stored; the straight piece left and right.
        int cornerTurns = -1;
        if (d == prev && (d == n || d == -n)) {
            // Each vertical straight leaves the straight piece a half turn further on.
            turn(straight, 1);
            PastePiece(straight, col, row);
            turn(straight, 1);
        } else if (d == prev) {
            PastePiece(straight, col, row);
        } else if ((d == n && prev == 1) || (d == -1 && prev == -n)) {
            cornerTurns = 0;
        } else if ((d == -n && prev == 1) || (d == -1 && prev == n)) {
            cornerTurns = 1;
        } else if ((d == -n && prev == -1) || (d == 1 && prev == n)) {
            cornerTurns = 2;
        } else if ((d == 1 && prev == -n) || (d == n && prev == -1)) {
            cornerTurns = 3;
        }
        if (cornerTurns >= 0) {
            turn(corner, cornerTurns);
            PastePiece(corner, col, row);
        }
        prev = d;
        cur += d;
        if (cur < 0 || cur >= n * n) {
            return;
        }
        d = at(cur);
    }
}

}  // namespace trundlex
