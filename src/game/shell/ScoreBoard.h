#pragma once

#include <QIcon>
#include <QTableWidget>

namespace trundlex {

class Ball;
class Match;

// A 16 x 16 picture of a ball in the player's colour, pattern and transparency on grass.
QIcon ballIcon(std::uint32_t colour, int pattern, bool transparent);

// The score board above the playfield: one row per player (ball picture and name), one
// column per hole and the sum.
class ScoreBoard : public QTableWidget {
    Q_OBJECT

public:
    explicit ScoreBoard(QWidget* parent = nullptr);

    // Sets up columns and rows for the match's players and holes, and shows the board.
    void fill(const Match& match);
    // Writes the strokes of every hole up to the current one and every total.
    void updateScores(const Match& match);
    // Highlights (and scrolls to) the row of the player whose turn it is; -1 for none.
    void highlightPlayer(int index);
    // No rows, no columns.
    void clearBoard();
    // Every row's cells separated by tabs, rows by CR LF, without the header.
    QString copyText() const;
};

}  // namespace trundlex
