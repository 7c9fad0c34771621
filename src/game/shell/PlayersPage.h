#pragma once

#include <QWidget>

#include "play/ComputerPlayer.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

namespace trundlex {

class BallPreview;
class Match;
class RandomSource;

// The wizard's first page: the players of this computer with their ball colours, pattern
// and transparency, and a rolling preview of the ball being set up.
class PlayersPage : public QWidget {
    Q_OBJECT

public:
    // Players are added to and removed from `setup`; the players of this computer in
    // `previous` are offered again.
    PlayersPage(Match& setup, const Match& previous, RandomSource& random,
                QWidget* parent = nullptr);

    // Adds a player with the name, ball look and player kind (person or computer) now
    // chosen.
    void addPlayer(const QString& name);
    // Who plays the next player added: a person or the computer at a strength. Choosing the
    // computer with no name typed in offers one.
    void chooseStrength(ComputerStrength strength);
    // Removes the players of these rows.
    void removeRows(QList<int> rows);
    // Picks a bright random colour (at least one of red, green and blue 154 or more) and a
    // random pattern for the next player.
    void pickRandomColour();

    std::uint32_t chosenColour() const;
    int chosenPattern() const;
    // The rows' texts and icon numbers, for tests.
    QStringList rowNames() const;
    QList<int> rowIconNumbers() const;

signals:
    void playersChanged();

private:
    void updatePreview();
    void offerComputerName();

    Match& setup_;
    RandomSource& random_;
    QLineEdit* name_;
    QComboBox* who_;
    QPushButton* add_;
    QListWidget* players_;
    QPushButton* delete_;
    QSlider* red_;
    QSlider* green_;
    QSlider* blue_;
    QSlider* pattern_;
    QCheckBox* transparent_;
    BallPreview* preview_;
};

}  // namespace trundlex
