#pragma once

#include <QWidget>

#include "play/ComputerPlayer.h"
#include "render/Look.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

namespace trundlex {

class BallPreview;
class ColourSwatches;
class Match;
class RandomSource;

// The wizard's first page: the players of this computer with their ball colour, pattern
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
    QLineEdit* nameField() const { return name_; }
    // A name has been typed but not added yet.
    bool hasTypedName() const;
    // Adds the player whose name is typed, if one is.
    void addTypedPlayer();
    // The ball preview is drawn as the playfield is.
    void setLook(Look look);
    // Who plays the next player added: a person or the computer at a strength. A computer
    // player added without a name typed gets the name the empty field shows in grey.
    void chooseStrength(ComputerStrength strength);
    // What Add (or Enter in the name field) adds now: the typed name, or for a computer player
    // the one offered; empty when nothing would be added.
    QString nameToAdd() const;
    // Removes the players of these rows.
    void removeRows(QList<int> rows);
    // Offers the next player the first ready-made colour nobody in the game has yet (any,
    // once all are taken) and a random pattern.
    void pickNextColour();

    std::uint32_t chosenColour() const;
    int chosenPattern() const;
    // The rows' texts and icon numbers, for tests.
    QStringList rowNames() const;
    QList<int> rowIconNumbers() const;

signals:
    void playersChanged();

protected:
    // Enter in the name field adds the player instead of accepting the whole wizard.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    ColourSwatches* swatches_;
    QSlider* pattern_;
    QCheckBox* transparent_;
    BallPreview* preview_;
};

}  // namespace trundlex
