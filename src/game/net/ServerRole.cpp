#include "net/ServerRole.h"

#include <chrono>

#include "library/LevelLibrary.h"
#include "net/NetProtocol.h"
#include "net/NetSession.h"
#include "net/RoomProtocol.h"
#include "play/Match.h"

namespace trundlex {

namespace {

std::string letter(char type) {
    return std::string(1, type);
}

}  // namespace

void ServerRole::greet(Connection& connection) {
    // A new client holds no level yet: the game cannot start until it is ready too.
    session_.lobbyStartEnabled(false);
    session_.lobbyChanged();
    if (!connection.greetingSent) {
        session_.sendTo(connection, letter(netproto::Hello) + std::string(netproto::Version));
    }
    session_.sendPlayerLists();
    const Match* match = session_.match();
    const std::int32_t levels = match != nullptr ? match->LevelCount() : 0;
    session_.sendToAllExcept(letter(netproto::LevelCount) + std::to_string(levels), -1);
    for (std::int32_t i = 0; i < levels; ++i) {
        session_.sendTo(connection, letter(netproto::LevelId) + match->GetLevelId(i));
    }
}

DispatchResult ServerRole::dispatch(Connection& sender, const NetMessage& message) {
    const std::string_view body = message.body;
    if (session_.handlePlayMessage(sender, message.letter, body)) {
        return DispatchResult::Keep;
    }
    switch (message.letter) {
        case netproto::Hello:
            if (body != netproto::Version) {
                return DispatchResult::Close;
            }
            if (!sender.greeted) {
                sender.greeted = true;
                // Names go only to a client that has said who it is.
                session_.sendPlayerList(sender);
            }
            break;
        case netproto::NewPlayer:
            addAnnouncedPlayer(sender, body);
            break;
        case netproto::LevelRequest:
            sendLevel(sender, body);
            break;
        case netproto::Ready:
            if (session_.lobbyClosed && sender.rejoining) {
                // Back in its seat with every level: it catches up as soon as it can.
                session_.catchUpWhenQuiet(sender);
            } else if (!session_.lobbyClosed) {
                sender.ready = true;
                sender.status = ComputerStatus::Ready;
                session_.lobbyChanged();
                if (session_.allReady()) {
                    session_.lobbyStartEnabled(true);
                }
            }
            break;
        case netproto::Confirm:
            // Only an answer to "G" counts, once per handshake: a repeated "D" must not
            // start the game a second time (which would skip a turn).
            if (session_.startPending && !sender.started) {
                sender.started = true;
                session_.startCheck();
            }
            break;
        case roomproto::Letter:
            if (!body.empty() && body.front() == roomproto::RemovePlayer) {
                removePlayer(sender, body.substr(1));
            }
            break;
        case roomproto::StartRequest:
            // Only the room's creator speaks for its players; anybody else's is ignored.
            if (!session_.lobbyClosed && session_.roomCreator != 0 &&
                sender.id() == session_.roomCreator) {
                session_.startRequested = true;
                session_.lobbyChanged();
            }
            break;
        case netproto::PlayerList:
        case netproto::LevelCount:
        case netproto::LevelId:
        case netproto::LevelText:
        case netproto::Go:
        case netproto::Start:
        case netproto::Disconnected:
            // Only a server sends these; from a client they would wipe this game's players,
            // change its levels or end its lobby.
            break;
        default:
            dropUnknown(sender, message.letter, body);
            break;
    }
    return DispatchResult::Keep;
}

void ServerRole::reportLoss(Connection& connection) {
    std::string names = netproto::joinNames(session_.namesOf(connection.id()));
    if (names.empty()) {
        names = connection.address();
    }
    if (!session_.lobbyClosed) {
        session_.lobbyStatus({LobbyText::ClientDisconnected, 0, names, {}});
    }
    session_.data.disconnectText = names + " is disconnected.";
    session_.data.disconnectNames = names;
    session_.data.serverLost = false;
    session_.data.gameAbandoned = false;
    session_.data.hostStopped = false;
    // Told now, with the news of the loss: the players are handed over right after it.
    session_.data.computerPlaysFor = session_.handedOnLoss(connection.id());
    session_.data.disconnectAddress = connection.address();
    session_.data.disconnectPeer = connection.peer;
    session_.data.dropReason = connection.dropReason;
    if (!session_.data.computerPlaysFor.empty()) {
        // The others mark the players as played by this computer, as this computer does.
        for (const std::string& name : session_.namesOf(connection.id())) {
            session_.sendToGreetedExcept(std::string(1, roomproto::Letter) +
                                             roomproto::ComputerPlays + name,
                                         connection.id());
        }
    }
    session_.sendToGreetedExcept(letter(netproto::Disconnected) + netproto::cleanText(names),
                                 connection.id());
    session_.notify(NetDisconnectInfo);
}

bool ServerRole::startHandshake() {
    // A game nobody plays would run through every hole at once and declare a winner without
    // a name.
    if (!session_.isServer || session_.lobbyClosed || !session_.allReady() ||
        !session_.hasPlayers()) {
        return false;
    }
    sendGo();
    return true;
}

bool ServerRole::restartHandshake() {
    if (!session_.isServer || !session_.lobbyClosed) {
        return false;
    }
    sendGo();
    return true;
}

void ServerRole::sendGo() {
    for (const auto& connection : session_.connections()) {
        connection->started = false;
    }
    session_.sendToAllExcept(letter(netproto::Go), -1);
    session_.seats.clearPutts();
    session_.lobbyClosed = true;
    session_.lobbyClosedByNetwork();
    session_.notify(NetLobbyClosed);
    // A roll of the abandoned game must not hold up the first putt of the new one.
    session_.setMoving(false);
    session_.puttPending = false;
    session_.startPending = true;
    session_.startCheck();
    // Nobody can join a running game.
    session_.closeListening();
}

void ServerRole::removePlayer(Connection& sender, std::string_view name) {
    Match* match = session_.match();
    if (session_.lobbyClosed || match == nullptr || session_.roomCreator == 0 ||
        sender.id() != session_.roomCreator) {
        return;
    }
    for (std::int32_t i = 0; i < match->PlayerCount(); ++i) {
        const Player& player = *match->GetPlayer(i);
        if (player.GetName() != name || player.IsLocalPlayer()) {
            continue;
        }
        const std::int32_t owner = player.GetConnection();
        if (owner == sender.id()) {
            // One of the creator's own (a computer player it added): that player goes alone.
            match->RemovePlayer(i);
            session_.sendPlayerLists();
            return;
        }
        if (Connection* removed = session_.find(owner)) {
            if (session_.serverLog) {
                session_.serverLog("removed " + removed->peer + " by the room's creator");
            }
            removed->send(std::string(1, roomproto::Letter) +
                          roomproto::encodeRefusal(roomproto::Refusal::Removed, {}));
            // Taken out for good: no token brings it back.
            session_.seats.forget(owner);
            session_.connectionClosed(owner);
        }
        return;
    }
}

void ServerRole::dropUnknown(Connection& sender, char letter, std::string_view body) {
    ++session_.refusals.unknownLetter;
    // At most one line a minute per connection, and a short one: a client sending nothing but
    // unknown letters must not fill the operator's disk. Only the address: what a stranger
    // sends must not be put in a player's mouth.
    constexpr auto kLogInterval = std::chrono::minutes(1);
    constexpr std::size_t kShownBytes = 32;
    const auto now = std::chrono::steady_clock::now();
    if (!session_.serverLog || (sender.unknownLoggedAt != std::chrono::steady_clock::time_point{} &&
                                now - sender.unknownLoggedAt < kLogInterval)) {
        return;
    }
    sender.unknownLoggedAt = now;
    session_.serverLog("dropped unknown message from " + sender.peer + ": " + letter +
                       std::string(body.substr(0, kShownBytes)) +
                       (body.size() > kShownBytes ? "... (" + std::to_string(body.size()) + " bytes)"
                                                  : std::string()));
}

void ServerRole::addAnnouncedPlayer(Connection& sender, std::string_view body) {
    // Players join in the lobby only; a game in progress keeps its players and turn order.
    if (session_.lobbyClosed) {
        return;
    }
    netproto::PlayerRecord record;
    bool computer = false;
    if (netproto::readNewPlayer(body, record, computer)) {
        session_.addPlayer(record.name, record.colour, record.pattern, record.transparent,
                           sender.id(), true, computer);
    }
}

void ServerRole::sendLevel(Connection& sender, std::string_view levelId) {
    // In a running game only a client back in its seat still fetches levels.
    if (session_.lobbyClosed && !sender.rejoining) {
        return;
    }
    // Only the game's own levels, each once: a client cannot fetch the host's whole library,
    // nor make it send one level again and again.
    const Match* match = session_.match();
    bool played = false;
    for (std::int32_t i = 0; match != nullptr && i < match->LevelCount(); ++i) {
        played = played || match->GetLevelId(i) == levelId;
    }
    const int index = played ? session_.library().findById(levelId) : -1;
    if (index < 0 || sender.levelsSent.contains(levelId)) {
        ++session_.refusals.levelRequest;
        return;
    }
    sender.levelsSent.emplace(levelId);
    const Level& level = session_.library().at(index);
    sender.status = ComputerStatus::TransferLevel;
    sender.statusLevelName = level.name();
    session_.lobbyChanged();
    // A level read from a file may carry any byte in its name.
    session_.sendTo(sender, letter(netproto::LevelText) + netproto::cleanText(level.toText()));
}

}  // namespace trundlex
