#include <algorithm>

#include "net/NetProtocol.h"
#include "net/NetSession.h"
#include "net/RoomProtocol.h"
#include "play/BallColours.h"
#include "play/Match.h"

// The players of a network game and the seats of a room's game: who plays through which
// connection, the player lists, and a client's return to its seat in a running game.
namespace trundlex {

namespace {

std::string hostNews(char what, std::string_view rest = {}) {
    return std::string{roomproto::Letter, what} + std::string(rest);
}

}  // namespace

std::string NetSession::handedOnLoss(std::int32_t connectionId) const {
    if (!lobbyClosed || departedHand == ComputerStrength::Person) {
        return {};
    }
    return netproto::joinNames(namesOf(connectionId));
}

std::vector<std::string> NetSession::namesOf(std::int32_t connectionId) const {
    std::vector<std::string> names;
    if (match_ == nullptr) {
        return names;
    }
    for (std::int32_t i = 0; i < match_->PlayerCount(); ++i) {
        const Player* player = match_->GetPlayer(i);
        if (player->GetConnection() == connectionId) {
            names.push_back(player->GetName());
        }
    }
    return names;
}

bool NetSession::addPlayer(std::string_view name, std::uint32_t colour, std::int32_t pattern,
                           bool transparent, std::int32_t connection, bool announce,
                           bool computer) {
    if (match_ == nullptr || netproto::checkName(name) != netproto::TextProblem::None ||
        match_->PlayerCount() >= netproto::MaxPlayers) {
        return false;
    }
    // The server gives a player who arrives with a ball colour already on the green another
    // one; its player lists tell every computer, the player's own included.
    if (isServer) {
        colour = freeBallColour(*match_, colour);
    }
    Player& added = match_->AddPlayer(name, colour, pattern, transparent, connection);
    if (connection != Player::LocalConnection) {
        added.SetPeerComputer(computer);
    }
    if (!announce) {
        return true;
    }
    if (isServer) {
        sendPlayerLists();
    } else {
        const netproto::PlayerRecord record{std::string(name), colour, pattern, transparent};
        sendToAllExcept(std::string(1, netproto::NewPlayer) +
                            netproto::encodeNewPlayer(record, computer),
                        -1);
    }
    return true;
}

void NetSession::sendPlayerLists() {
    lobbyChanged();
    if (match_ == nullptr) {
        return;
    }
    for (const auto& connection : connections_) {
        // A connection that has not greeted yet learns the names once it has.
        if (!isServer || connection->greeted) {
            sendPlayerList(*connection);
        }
    }
}

void NetSession::sendPlayerList(Connection& connection) {
    if (match_ == nullptr) {
        return;
    }
    std::string message(1, netproto::PlayerList);
    for (std::int32_t i = 0; i < match_->PlayerCount(); ++i) {
        const Player& player = *match_->GetPlayer(i);
        const BallStyle& style = player.GetStyle();
        message += netproto::encodePlayerRecord(
            {player.GetName(), style.colour, style.pattern, style.transparent});
        std::int32_t mark = netproto::playermark::Own;
        if (player.GetConnection() != connection.id()) {
            const bool creators = roomCreator != 0 && player.GetConnection() == roomCreator;
            const bool computer = player.IsLocalPlayer() ? player.IsComputer()
                                                         : player.IsPeerComputer();
            mark = netproto::playermark::Other |
                   (creators ? netproto::playermark::Creator : 0) |
                   (computer ? netproto::playermark::Computer : 0);
        }
        message += std::to_string(mark) + "|";
    }
    connection.send(message);
}

// --- Seats ---

void NetSession::catchUpWhenQuiet(Connection& connection) {
    connection.catchUpDue = true;
    catchUpDue();
}

void NetSession::catchUpDue() {
    // While a putt rolls or a start waits, a catch-up would miss what settles them; the end
    // of either comes back here.
    if (!isServer || !lobbyClosed || puttPending || startPending) {
        return;
    }
    // A copy: a catch-up that cannot be given closes its connection.
    const auto waiting = connections_;
    for (const auto& connection : waiting) {
        if (connection->rejoining && connection->catchUpDue && isListed(*connection)) {
            catchUp(*connection);
        }
    }
}

void NetSession::catchUp(Connection& connection) {
    connection.rejoining = false;
    connection.catchUpDue = false;
    if (!seats.complete()) {
        // A game longer than a catch-up can carry: the seat cannot be given back.
        connectionClosed(connection.id());
        return;
    }
    std::vector<std::string> back;
    SeatBook::Seat* seat = seats.findConnection(connection.id());
    for (const std::string& name : seat != nullptr ? seat->names : std::vector<std::string>{}) {
        for (std::int32_t i = 0; match_ != nullptr && i < match_->PlayerCount(); ++i) {
            Player& player = *match_->GetPlayer(i);
            if (player.GetName() == name && player.IsHandedOver()) {
                player.SetConnection(connection.id());
                player.SetComputer(ComputerStrength::Person);
                back.push_back(name);
                break;
            }
        }
    }
    if (seat != nullptr) {
        seat->names.clear();
    }
    // The client is still in its lobby: the list (its own players marked) is taken, then the
    // start, the putts so far and the confirmation of the start, with nothing between them.
    sendPlayerList(connection);
    sendTo(connection, std::string(1, netproto::Go));
    sendTo(connection, std::string(1, roomproto::Letter) + roomproto::encodeCatchUp(seats.putts()));
    sendTo(connection, std::string(1, netproto::Start));
    connection.ready = true;
    connection.started = true;
    connection.status = ComputerStatus::Ready;
    for (const std::string& name : back) {
        sendToGreetedExcept(hostNews(roomproto::PlayerReturned, name), connection.id());
    }
    if (serverLog) {
        serverLog("caught up " + connection.peer +
                  (back.empty() ? std::string() : " as " + netproto::joinNames(back)));
    }
    lobbyChanged();
    if (!back.empty()) {
        // The turn may be one of theirs: putts wait until whatever follows the match names
        // its owner again (on NetPlayersReturned).
        turn_.inDoubt();
        data.returnedNames = netproto::joinNames(back);
        notify(NetPlayersReturned);
    }
}

bool NetSession::takeSeatNews(std::string_view body) {
    const char what = body.empty() ? '\0' : body.front();
    const std::string_view rest = body.empty() ? body : body.substr(1);
    if (what == roomproto::SeatToken) {
        if (!isServer && room.phase == Room::Phase::Joined && roomproto::isToken(rest)) {
            room.token = std::string(rest);
            lobbyChanged();
        }
        return true;
    }
    if (what == roomproto::CatchUp) {
        // Only between the start and its confirmation, where the host puts it.
        std::vector<std::pair<double, double>> putts;
        if (!isServer && lobbyClosed && startPending && roomproto::parseCatchUp(body, putts)) {
            data.catchUp = std::move(putts);
            notify(NetCatchUp);
            data.catchUp.clear();
        }
        return true;
    }
    if (what == roomproto::PlayerReturned) {
        bool found = false;
        for (std::int32_t i = 0; !isServer && match_ != nullptr && i < match_->PlayerCount(); ++i) {
            Player& player = *match_->GetPlayer(i);
            if (player.GetName() == rest && player.IsPlayedByPeerComputer()) {
                player.SetPlayedByPeerComputer(false);
                found = true;
            }
        }
        if (found) {
            data.returnedNames = std::string(rest);
            notify(NetPlayersReturned);
        }
        return true;
    }
    return false;
}

}  // namespace trundlex
