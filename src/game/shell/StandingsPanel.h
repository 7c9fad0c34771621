#pragma once

#include <QWidget>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;

namespace trundlex {

class Match;

// The standings of a finished match on the table itself: a card over the dimmed playfield
// with every player's place, strokes and score against par, and what to do next. It stays
// until a new match starts, so the table keeps saying how the last one ended.
class StandingsPanel : public QWidget {
    Q_OBJECT

public:
    explicit StandingsPanel(QWidget* parent);

    // Fills the card from the match (places as the results screen gives them) and shows it.
    // `playAgain`: this computer may start the match again; `highScores`: the match entered
    // a course's high-score list, which a button then opens.
    void showStandings(const Match& match, const std::vector<int>& pars, bool playAgain,
                       bool highScores);

    QString headline() const;
    // Each player's line as the results screen gives it: place, name, strokes, to par.
    QStringList rows() const { return rows_; }
    // The card in this widget's coordinates.
    QRect cardGeometry() const;
    QPushButton* playAgainButton() const { return playAgain_; }
    QPushButton* newGameButton() const { return newGame_; }
    QPushButton* highScoresButton() const { return highScores_; }

signals:
    void playAgain();
    void newGame();
    void highScores();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The dimmed playfield takes no putts.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void placeCard();

    QFrame* card_ = nullptr;
    QLabel* headline_ = nullptr;
    QStringList rows_;
    QPushButton* playAgain_ = nullptr;
    QPushButton* newGame_ = nullptr;
    QPushButton* highScores_ = nullptr;
};

}  // namespace trundlex
