#pragma once

#include <QDialog>

#include "net/NetAddress.h"
#include "play/Match.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace trundlex {

struct GameContext;
class LevelsPage;
class OnlinePage;
class PlayersPage;

// The "New game" dialog: players of this computer, levels to play and how the game is
// played (on this computer, as a network server, as a client or online in a room of a room
// host), on three pages.
class NewGameWizard : public QDialog {
    Q_OBJECT

public:
    // Starts from the levels and course of `previous` and offers its players of this
    // computer again.
    NewGameWizard(const Match& previous, GameContext& context, QWidget* parent = nullptr);
    ~NewGameWizard() override;

    // The game set up so far.
    const Match& setup() const { return setup_; }
    Match& setup() { return setup_; }
    int mode() const;
    void setMode(int mode);
    bool isOkEnabled() const;
    // The address field (client mode), for choosing or typing a server.
    QComboBox* addressField() const { return address_; }
    // The online part of the network page (mode 3).
    OnlinePage* onlinePage() const { return online_; }

    PlayersPage* playersPage() const { return players_; }
    LevelsPage* levelsPage() const { return levels_; }

private:
    QWidget* createNetworkPage();
    void modeChanged();
    void updateOk();
    static QString addressProblemText(AddressProblem problem);

    GameContext& context_;
    Match setup_;
    QTabWidget* tabs_;
    PlayersPage* players_;
    LevelsPage* levels_;
    QComboBox* mode_;
    QFormLayout* form_;
    OnlinePage* online_;
    // The server's address (client): typed, or one of the last ones joined.
    QComboBox* address_;
    QLabel* addressProblem_;
    QLineEdit* port_;
    // Who plays the players of a computer that leaves the game.
    QComboBox* departedHand_;
    QLabel* description_;
    QLabel* addresses_;
    QPushButton* ok_;
};

}  // namespace trundlex
