#pragma once

#include "net/NetRole.h"

namespace trundlex {

// The server's side: greets each client with the version, the player lists and the level
// list, adds the players clients announce, sends missing levels, collects the ready reports,
// the start confirmations and the stop reports, and relays putts, aims and chat lines from
// one client to the others.
class ServerRole : public NetRole {
public:
    using NetRole::NetRole;

    // "H", then the player lists to every connection, "C" to every connection and one "I"
    // per level of the match to this one.
    void greet(Connection& connection) override;
    // Handles "H", "N", "J", "R", "D", "P", "A", "Q" and "M"; other letters a client may not
    // send are ignored, unknown ones become a chat line with " BADDATA!!! ".
    DispatchResult dispatch(Connection& sender, const NetMessage& message) override;
    // The names of the client's players (its address when it announced none): "%s
    // disconnected." in the lobby, "T" to the other clients, NetDisconnectInfo.
    void reportLoss(Connection& connection) override;

    // Starts the game from the lobby: "G" to all, the lobby ends (NetLobbyClosed), NetStart
    // at once without clients, and the listening stops. False (nothing happens) outside the
    // lobby or while a client is not ready.
    bool startHandshake();
    // Starts the running game again: every client confirms once more. False outside a game.
    bool restartHandshake();

private:
    void sendGo();
    void addAnnouncedPlayer(Connection& sender, std::string_view body);
    void sendLevel(Connection& sender, std::string_view levelId);
    // A message with a letter no client sends: dropped, and written to the server's log at
    // most once a minute per connection.
    void dropUnknown(Connection& sender, char letter, std::string_view body);
    // A room's creator takes a player out of the lobby: a computer player of its own, or
    // another client with all its players.
    void removePlayer(Connection& sender, std::string_view name);
};

}  // namespace trundlex
