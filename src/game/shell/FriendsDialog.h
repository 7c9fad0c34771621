#pragma once

#include <QDialog>

#include "net/RoomProtocol.h"

class QLineEdit;
class QPushButton;

namespace trundlex {

class GameSettings;
class OnlinePage;

// "Play with friends": the player's name and the new-game wizard's online rows (the room host,
// its courses, Create room or Join room with a code), in a dialog of their own, so that an
// online game is one step from the start screen.
class FriendsDialog : public QDialog {
    Q_OBJECT

public:
    // Starts with `name` and, when it asks for a room, `previous` (a refused join keeps its code).
    FriendsDialog(GameSettings& settings, const QString& name, const roomproto::Request& previous,
                  QWidget* parent = nullptr);
    ~FriendsDialog() override;

    QString playerName() const;
    // What to ask the room host; Invalid while the page lacks what that needs.
    roomproto::Request request() const;
    QLineEdit* nameField() const { return name_; }
    OnlinePage* onlinePage() const { return online_; }
    QPushButton* goButton() const { return go_; }

private:
    void updateGo();

    QLineEdit* name_;
    OnlinePage* online_;
    QPushButton* go_;
};

}  // namespace trundlex
