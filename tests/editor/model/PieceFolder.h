#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "level/Archive.h"
#include "level/Level.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

namespace trundlex::testing {

// A 7 x 7 template piece whose border is wall all round except the middle three blocks of
// the sides named in `open` ('L', 'R', 'T', 'B'), with `centre` at its middle block.
inline Level borderedPiece(std::string_view open, const char* centre) {
    Level piece(7, 7, "piece", "tests");
    for (int i = 0; i < 7; ++i) {
        const bool middle = i >= 2 && i <= 4;
        auto wall = [&](int x, int y, char side) {
            if (!(middle && open.find(side) != std::string_view::npos)) {
                piece.block(x, y).fromText("S0T8");
            }
        };
        wall(0, i, 'L');
        wall(6, i, 'R');
        wall(i, 0, 'T');
        wall(i, 6, 'B');
    }
    piece.block(3, 3).fromText(centre);
    return piece;
}

// A temporary folder of template pieces.
class PieceFolder : public TempFolder {
public:
    void write(const char* name, const Level& piece) const {
        TempFolder::write(name, encodeArchiveString(piece.toText()));
    }

    // Pieces whose roles show in their middle block: the start piece ice (with the ball's
    // start off-centre, on the sand block at (1, 3)), the end piece a cup, the straight piece
    // grass with a sand block at (1, 1), the corners water ("horn7"), ice sloping up
    // ("runthorn7") and ice sloping down ("snetthorn7"). The variants of start and end
    // differ by a wall block at (5, 5).
    void writeMarkedPieces() const {
        Level start = borderedPiece("R", "S0I8");
        start.block(1, 3).fromText("S0S8");
        start.setStart(1.5, 3.5);
        write("utslag7.lev", start);
        start.block(5, 5).fromText("S0T8");
        write("runtutslag7.lev", start);
        Level end = borderedPiece("R", "S0H8");
        write("hal27.lev", end);
        end.block(5, 5).fromText("S0T8");
        write("runthal27.lev", end);
        Level straight = borderedPiece("LR", "$");
        straight.block(1, 1).fromText("S0S8");
        write("vetinte7.lev", straight);
        write("horn7.lev", borderedPiece("LB", "S0W8"));
        write("runthorn7.lev", borderedPiece("LB", "S0I2"));
        write("snetthorn7.lev", borderedPiece("LB", "S0I6"));
    }
};

}  // namespace trundlex::testing
