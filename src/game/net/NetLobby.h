#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ball/BallTypes.h"

namespace trundlex {

// The texts of the lobby's status line. A user interface translates them; english() gives
// the English wording (for programs without windows and for tests).
enum class LobbyText : std::int32_t {
    CantStartServer = 0,        // "Can't start server."
    CouldntConnect = 1,         // "Couldn't connect."
    ConnectionOpen = 2,         // "Connection open!"
    TransferLevels = 3,         // "Transfer levels... (%d)" with the level IDs received so far
    WaitingForStart = 4,        // "Waiting for start message."
    ClientDisconnected = 5,     // "%s disconnected." with the names list of the client
    ConnectionInterrupted = 6,  // "Connection to server was interrupted."
    IllegalVersion = 7,         // "Illegal server version (server: %s, this version: %s)."
    RoomRefused = 8,            // a room host's reason for turning a request down, as given
    NotARoomHost = 9,           // "This host does not offer rooms."
};

// One status line: the text and what fills its blanks.
struct LobbyStatus {
    LobbyText text = LobbyText::ConnectionOpen;
    // TransferLevels: the number of level IDs.
    std::int32_t count = 0;
    // ClientDisconnected: the names list. IllegalVersion: the server's version. RoomRefused:
    // the host's reason.
    std::string first;
    // IllegalVersion: this program's version.
    std::string second;

    std::string english() const;
    friend bool operator==(const LobbyStatus&, const LobbyStatus&) = default;
};

// The status column of a client's row in the server's computer list.
enum class ComputerStatus : std::int32_t {
    None = 0,           // a client's row for its server: no status
    Initializing = 1,   // "Initializing game..."
    TransferLevel = 2,  // "Transfer level "%s"..." with the level's name
    Ready = 3,          // "Ready"
};

// One connected computer as the lobby lists it.
struct LobbyComputer {
    // The connection value its players carry (Player::GetConnection).
    std::int32_t connection = 0;
    // The peer's address in dotted decimal form on a server; empty on a client.
    std::string address;
    // The names of the players it plays, joined with ", ".
    std::string playerNames;
    ComputerStatus status = ComputerStatus::None;
    // TransferLevel: the name of the level being sent.
    std::string levelName;
    // On a server: the address with the port, for a host's log.
    std::string peer;

    // The status column in English ("" for None).
    std::string statusEnglish() const;
};

// One player of the match as the lobby lists it.
struct LobbyPlayer {
    std::string name;
    // Played on this computer (the lobby marks it with " *").
    bool local = false;
    // The ball, as the server gave it (it may differ from the colour the player chose).
    BallStyle style;
    // The computer putts for this player: one of this computer's (one the lobby added, say),
    // or another's that its computer announced so.
    bool computer = false;
    // A player of the computer that created the room (in a room of a room host).
    bool creator = false;
};

// Everything the lobby shows besides its status line, read at one moment under NetGame's
// lock (NetGame::lobbySnapshot).
struct LobbySnapshot {
    bool server = false;
    // The counts line: "%d computers connected, %d players."
    std::int32_t connectionCount = 0;
    std::int32_t playerCount = 0;
    // The names of this computer's players, joined with ", " (the "This computer" row).
    std::string localNames;
    // One entry per connection, in the order they connected.
    std::vector<LobbyComputer> computers;
    // Every player of the match in match order.
    std::vector<LobbyPlayer> players;
    // A client in a room of a room host: the room's code and course once the host has
    // answered (empty before and in other games), and whether this computer created the
    // room (it then asks the host to start it).
    std::string roomCode;
    std::string roomCourse;
    bool roomCreator = false;
    // The seat token the host gave this client in its room (empty without one): with it and
    // the code the client gets its place back after a broken connection.
    std::string roomToken;
};

// The open lobby dialog, as NetGame sees it. NetGame calls it on its delivery thread, in
// order with the listeners' events and never while it holds its lock, so a call may read
// NetGame::lobbySnapshot at once. An implementation must not wait for the thread that calls
// NetGame::detachLobby (a user interface posts the update to its own thread and returns),
// since detachLobby waits for a call in progress so that the lobby can be destroyed right
// after it.
class NetLobby {
public:
    virtual ~NetLobby() = default;
    // Show this in the status line.
    virtual void onLobbyStatus(const LobbyStatus& status) = 0;
    // Enable or disable "Start game" (a server's lobby only).
    virtual void onLobbyStartEnabled(bool enabled) = 0;
    // The counts, the player list or the computer list changed: read NetGame::lobbySnapshot.
    virtual void onLobbyChanged() = 0;
    // The start handshake has ended the lobby: close the dialog without ending the game.
    // NetGame has already forgotten the lobby when this is called.
    virtual void onLobbyClosedByNetwork() = 0;
};

}  // namespace trundlex
