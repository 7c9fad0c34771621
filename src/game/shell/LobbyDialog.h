#pragma once

#include <QDialog>

#include "net/NetAddress.h"
#include "net/NetLobby.h"
#include "net/RoomProtocol.h"
#include "platform/GuiThreadRelay.h"

class QEventLoop;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace trundlex {

class NetGame;

// "Network game": the lobby where the computers of a network game gather. A server lists the
// computers that joined and starts the game; a client connects to its server, fetches the
// levels it lacks and waits for the start. The network's updates arrive on its delivery
// thread and are posted to the dialog's thread.
class LobbyDialog : public QDialog, public NetLobby {
    Q_OBJECT

public:
    LobbyDialog(NetGame& net, QWidget* parent = nullptr);
    ~LobbyDialog() override;

    // Starts the network role and shows the lobby; true when the game is starting (the
    // lobby was closed by the start handshake), false when the user left it or the server
    // could not be started.
    bool runServer(std::uint16_t port);
    // `address` as the user typed it (a host, "host:port", "[::1]:49732", ...); `port` is used
    // when it names none.
    bool runClient(const std::string& address, std::uint16_t port);
    // Online: at the room host `address` (with ":port" or the default port), creates or
    // joins a room (`request`). The room's code shows large, to be passed on to friends; the
    // room's creator starts the game, as a server's lobby does.
    bool runRoom(const std::string& address, const roomproto::Request& request);

    bool closedByNetwork() const { return closedByNetwork_; }
    QString statusText() const;
    QStringList playerRows() const;
    QStringList computerRows() const;
    QPushButton* startButton() const { return start_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* copyLinkButton() const { return copyLink_; }
    QPushButton* addComputerButton() const { return addComputer_; }
    QPushButton* removeButton() const { return remove_; }
    QListWidget* playerList() const { return players_; }
    // The room's code as shown (empty until the host has answered).
    QString roomCodeText() const;
    // The room's game link (trundlex://HOST[:PORT]/CODE) as shown, with the host and port this
    // computer reached the room host at (empty until the host has answered).
    QString roomLinkText() const;

    // NetLobby, called on the network's delivery thread.
    void onLobbyStatus(const LobbyStatus& status) override;
    void onLobbyStartEnabled(bool enabled) override;
    void onLobbyChanged() override;
    void onLobbyClosedByNetwork() override;

    void reject() override;
    void done(int result) override;

private:
    // Shows the dialog modally until it is done. Unlike exec(), safe when the network ends
    // the lobby while the window is still being shown.
    void runModal();

    static QString statusLine(const LobbyStatus& status);
    void refresh();
    void startPressed();
    void addComputerPlayer();
    // The room's creator takes the chosen player out of the room.
    void removePlayer();
    void updateRemove();
    QWidget* createRoomPanel();

    NetGame& net_;
    bool server_ = false;
    bool closedByNetwork_ = false;
    bool finished_ = false;
    QEventLoop* loop_ = nullptr;
    QLabel* status_;
    QLabel* counts_;
    QTreeWidget* computers_;
    QListWidget* players_;
    QPushButton* start_;
    QPushButton* cancel_;
    // Online: the room's code, link, course and the copy buttons, shown once the host
    // answered.
    QWidget* roomPanel_;
    QLabel* roomCode_;
    QLabel* roomLink_;
    QPushButton* copyLink_;
    QLabel* roomCourse_;
    QPushButton* copy_;
    QPushButton* addComputer_;
    QPushButton* remove_;
    // Whether this computer may take players out (a room's creator, before the start).
    bool mayRemove_ = false;
    bool room_ = false;
    // The host (and port) this lobby connects to as a client.
    NetAddress target_;
    // The room's creator has asked the host to start.
    bool startAsked_ = false;
    GuiThreadRelay relay_;
};

}  // namespace trundlex
