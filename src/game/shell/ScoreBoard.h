#pragma once

#include <QIcon>
#include <QTableWidget>
#include <vector>

namespace trundlex {

class Ball;
class Match;
class Player;

// A 16 x 16 picture of a ball in the player's colour, pattern and transparency on grass.
QIcon ballIcon(std::uint32_t colour, int pattern, bool transparent);

// The score board above the playfield: one row per player (ball picture and name), one
// column per hole and the sum, and a last row with each hole's par as it becomes known.
class ScoreBoard : public QTableWidget {
    Q_OBJECT

public:
    explicit ScoreBoard(QWidget* parent = nullptr);

    // Sets up columns and rows for the match's players and holes, and shows the board.
    void fill(const Match& match);
    // Writes the strokes of every hole up to the current one and every total, and the names
    // anew (the column widens or narrows when one changes).
    void updateScores(const Match& match);
    // Shows a hole's par (0: the level has none, shown as a dash) and, once every hole's par
    // is known, their sum.
    void setPar(int hole, int par);
    // Highlights (and scrolls to) the row of the player whose turn it is; -1 for none.
    void highlightPlayer(int index);
    // The size that shows every row and column without scrolling, frame included.
    QSize tableSize() const;
    // No rows, no columns.
    void clearBoard();
    // The whole table as a spreadsheet takes it: the header row, every player's row and the
    // par row, cells separated by tabs, rows by CR LF; empty without a table.
    QString copyText() const;

private:
    int parRow() const { return rowCount() - 1; }
    // The name in a player's row, marked while the computer stands in for a player whose
    // computer left.
    static QString shownName(const Player& player);
    void fitNameColumn();
    std::vector<int> pars_;  // -1 while unknown
};

}  // namespace trundlex
