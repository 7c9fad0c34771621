#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "render/Look.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace trundlex {

class Match;

// The screen at the end of a match: who won, every player's place, strokes and score against
// par, and what to do next (play the same match again, set up a new one, look at the course's
// high scores). It decides nothing about the match: the winners are the match's own, the
// order follows the totals the match counted.
class MatchResultsDialog : public QDialog {
    Q_OBJECT

public:
    // What the player chose to do after closing the screen.
    enum class Choice { Close, PlayAgain, NewGame, Rejoin };

    struct Options {
        // "Play again" is offered (this computer may restart the match).
        bool playAgain = true;
        // "Rejoin" is offered (a room's game whose connection was lost, its seat kept).
        bool rejoin = false;
        // Opens the high-score list of the course the results entered; empty: no such
        // course, and no "High scores" button.
        std::function<void()> showHighScores;
        // The game entered the course's high-score list.
        bool newHighScore = false;
        // A course of the day: the best result on it on this computer so far (this game's
        // included), as a name and strokes.
        std::optional<std::pair<QString, int>> dayBest;
        // Why the results could not be saved; empty when they were.
        QString warning;
        Look look = Look::Modern;
    };

    // One player's line, best first.
    struct Row {
        int place = 1;  // players with the same total share a place: 1, 1, 3
        int player = 0;  // index in the match
        QString name;
        std::uint32_t colour = 0;  // 0x00BBGGRR
        int strokes = 0;
        std::optional<int> againstPar;  // none when a hole's par is not known
        bool here = false;  // a player of this computer in a game with other computers
    };

    // `pars` holds each hole's par, 0 where it is not known; the score against par is shown
    // only when every hole's par is known.
    MatchResultsDialog(const Match& match, const std::vector<int>& pars, Options options,
                       QWidget* parent = nullptr);

    static std::vector<Row> rank(const Match& match, const std::vector<int>& pars);
    // Who won ("Ann wins!", a shared win, "The game ended early").
    static QString headlineFor(const Match& match);
    // "+3", "−1" (with a real minus sign) or "Par".
    static QString againstParText(int difference);

    Choice choice() const { return choice_; }
    QString headline() const;
    QString warning() const;
    // "New high score!" when the game entered the list; empty otherwise.
    QString highScoreNote() const;
    // The line on the day's best result; empty when the course is not one of a day.
    QString dayBestNote() const;
    // Each row as place, name (marked when played here), strokes and, when known, the score
    // against par, separated by tabs: what the screen shows, for tests.
    QStringList rows() const { return rowTexts(rows_); }
    static QStringList rowTexts(const std::vector<Row>& rows);
    // The button, or null when it is not offered.
    QPushButton* playAgainButton() const { return playAgain_; }
    QPushButton* newGameButton() const { return newGame_; }
    QPushButton* highScoresButton() const { return highScores_; }
    QPushButton* closeButton() const { return close_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeHeader(const Match& match);
    QWidget* makeTable();
    QWidget* makeWarning(const QString& text);
    void choose(Choice choice);

    std::vector<Row> rows_;
    Options options_;
    bool parShown_ = false;
    Choice choice_ = Choice::Close;
    QLabel* headline_ = nullptr;
    QLabel* warning_ = nullptr;
    QLabel* highScore_ = nullptr;
    QLabel* dayBest_ = nullptr;
    QPushButton* playAgain_ = nullptr;
    QPushButton* newGame_ = nullptr;
    QPushButton* highScores_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace trundlex
