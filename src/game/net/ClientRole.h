#pragma once

#include <map>
#include <string>

#include "net/NetRole.h"
#include "play/ComputerPlayer.h"

namespace trundlex {

// A client's side: announces this computer's players, takes the server's player list and
// level list, asks for the levels it lacks and reports ready, answers the start handshake,
// and takes putts, aims, stop reports, chat lines and disconnection reports from the server.
class ClientRole : public NetRole {
public:
    using NetRole::NetRole;

    // "N" for each player of the match, then "H". A client that asks a room host for a room
    // waits for the host's greeting and answer first (see NetSession::Room).
    void greet(Connection& connection) override;
    // Handles "H", "O", "C", "I", "L", "G", "S", "P", "A", "Q", "M" and "T"; other letters a
    // server may not send are ignored, unknown ones become a chat line with " BADDATA!!! ".
    DispatchResult dispatch(Connection& sender, const NetMessage& message) override;
    // "You have been disconnected from the server.", "Connection to server was interrupted."
    // in the lobby (then the version text, if the server was of another version),
    // NetDisconnectInfo.
    void reportLoss(Connection& connection) override;

private:
    // The steps before the room host's answer; every other message ends the connection.
    DispatchResult takeRoomStep(Connection& sender, const NetMessage& message);
    void greetServer(Connection& connection);
    // "W" from a room host after its answer: the creator's role, players its computer
    // plays, its stopping, a late refusal.
    DispatchResult takeHostNews(std::string_view body);
    void takePlayerList(Connection& sender, std::string_view body);
    void takeLevelCount(std::string_view body);
    void takeLevelId(std::string_view levelId);
    // False when the server has sent more level text than a game may hold.
    bool takeLevel(std::string_view text);
    void takeGo(Connection& sender);
    void takeStart(Connection& sender);
    // Sends "R" once the announced number of level IDs has arrived and the library holds
    // every one of them.
    void readyCheck();

    // Who plays each of this computer's players (a person or the computer), by name: only
    // this computer knows, and the server's player lists replace the players, at first with
    // a list that may not hold them yet.
    std::map<std::string, ComputerStrength> ownStrengths_;
};

}  // namespace trundlex
