#pragma once

#include <QIcon>
#include <QImage>
#include <QWidget>
#include <vector>

#include "ball/BallTypes.h"

namespace trundlex {

class Match;
class Player;

// A 16 x 16 picture of a ball in the player's colour, pattern and transparency on grass.
QIcon ballIcon(std::uint32_t colour, int pattern, bool transparent);

// The score board above the playfield, painted as a plate in the look of the playfield's
// frame: one row per player (ball picture and name), one column per hole and the sum, and a
// last row with each hole's par as it becomes known. Its size follows a unit (the height of
// a row) that the window chooses, so it grows with the window and stays sharp on a dense
// screen. The player whose turn it is gets a lit row and a marker; that mark follows only
// what the match says (a click on the board does nothing).
class ScoreBoard : public QWidget {
    Q_OBJECT

public:
    explicit ScoreBoard(QWidget* parent = nullptr);

    // Sets up columns and rows for the match's players and holes, and shows the board.
    void fill(const Match& match);
    // Writes the strokes of every hole up to the current one and every total, and the names
    // anew (the board widens or narrows when one changes).
    void updateScores(const Match& match);
    // Shows a hole's par (0: the level has none, shown as a dash) and, once every hole's par
    // is known, their sum.
    void setPar(int hole, int par);
    // Marks the row of the player whose turn it is; -1 for none.
    void highlightPlayer(int index);
    // The player row marked as having the turn, -1 for none.
    int markedPlayer() const { return marked_; }
    // The height of one row in window pixels; the rest of the board is measured from it.
    void setUnit(int unit);
    int unit() const { return unit_; }
    // The size that shows every row and column at the current unit.
    QSize tableSize() const { return sizeAt(unit_); }
    // The size at another unit, for a layout looking for the largest that fits.
    QSize sizeAt(int unit) const;
    // Where a player's row lies on the board (an empty rectangle for no such row).
    QRect playerRowRect(int index) const;
    // The text of a cell: row 0 is the header, then one row per player, then the par row;
    // column 0 holds the names. Empty outside the table.
    QString cellText(int row, int column) const;
    int rowCount() const { return rows_.empty() ? 0 : static_cast<int>(rows_.size()) + 2; }
    int columnCount() const { return rows_.empty() ? 0 : holes_ + 2; }
    // No rows, no columns.
    void clearBoard();
    // The whole table as a spreadsheet takes it: the header row, every player's row and the
    // par row, cells separated by tabs, rows by CR LF; empty without a table.
    QString copyText() const;

    QSize sizeHint() const override { return tableSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The board is no button: a click on it neither moves the mark nor putts.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Row {
        QString name;
        BallStyle style;
        std::vector<QString> strokes;  // by hole; empty until played
        QString total;
    };
    struct Columns {
        int name = 0;
        int hole = 0;
        int total = 0;
        int padding = 0;
    };
    Columns columnsAt(int unit) const;
    QFont cellFont(int unit, bool bold) const;
    // The row's ball, drawn for the current unit and screen.
    const QImage& ballPicture(std::size_t row);
    // The name in a player's row, marked while the computer stands in for a player whose
    // computer left.
    static QString shownName(const Player& player);
    void resized();

    int holes_ = 0;
    std::vector<Row> rows_;
    std::vector<int> pars_;  // -1 while unknown
    std::vector<QImage> balls_;
    int marked_ = -1;
    int unit_ = 20;
};

}  // namespace trundlex
