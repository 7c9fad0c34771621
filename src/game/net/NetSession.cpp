#include "net/NetSession.h"

#include <algorithm>
#include <limits>

#include "library/LevelLibrary.h"
#include "net/LatencyHistogram.h"
#include "net/NetProtocol.h"
#include "net/RoomProtocol.h"
#include "play/Match.h"
#include "util/TextNumbers.h"

namespace trundlex {

NetSession::NetSession(LevelLibrary& library, NetNotifier& notifier)
    : library_(library), notifier_(notifier) {}

std::shared_ptr<Connection> NetSession::addConnection(Socket socket, std::string address) {
    return listConnection([&](std::int32_t id) {
        return std::make_shared<Connection>(id, std::move(socket), std::move(address));
    });
}

std::shared_ptr<Connection> NetSession::addConnection(
    std::shared_ptr<Connection::Transport> transport, std::string address) {
    return listConnection([&](std::int32_t id) {
        return std::make_shared<Connection>(id, std::move(transport), std::move(address));
    });
}

std::shared_ptr<Connection> NetSession::listConnection(
    const std::function<std::shared_ptr<Connection>(std::int32_t id)>& make) {
    if (isServer && static_cast<std::int32_t>(connections_.size()) >= netproto::MaxClients) {
        return nullptr;
    }
    // Values are never reused within a run (a descriptor number would be), so a player can
    // never be taken for a player of a later connection.
    if (nextConnectionId_ == std::numeric_limits<std::int32_t>::max()) {
        nextConnectionId_ = 1;
    }
    auto connection = make(nextConnectionId_++);
    connection->useBudget(sendBudget);
    connections_.push_back(connection);
    return connection;
}

Connection* NetSession::find(std::int32_t id) const {
    // From the last entry backwards, as connections are looked up everywhere in the game.
    for (auto it = connections_.rbegin(); it != connections_.rend(); ++it) {
        if ((*it)->id() == id) {
            return it->get();
        }
    }
    return nullptr;
}

void NetSession::sendTo(Connection& connection, std::string_view message) {
    connection.send(message);
}

void NetSession::sendToAllExcept(std::string_view message, std::int32_t exceptId) {
    for (const auto& connection : connections_) {
        if (connection->id() != exceptId) {
            connection->send(message);
        }
    }
}

void NetSession::sendToGreetedExcept(std::string_view message, std::int32_t exceptId) {
    for (const auto& connection : connections_) {
        if (connection->id() != exceptId && (!isServer || connection->greeted)) {
            connection->send(message);
        }
    }
}

void NetSession::setMoving(bool flag) {
    moving = flag;
    const auto now = std::chrono::steady_clock::now();
    for (const auto& connection : connections_) {
        connection->moving = flag && !connection->rejoining;
        connection->movingSince = now;
    }
}

bool NetSession::allReady() const {
    return std::all_of(connections_.begin(), connections_.end(),
                       [](const auto& c) { return c->ready; });
}

bool NetSession::hasPlayers() const { return match_ != nullptr && match_->PlayerCount() > 0; }

bool NetSession::allStarted() const {
    return std::all_of(connections_.begin(), connections_.end(),
                       [](const auto& c) { return c->started || c->rejoining; });
}

void NetSession::notify(NetEvent event) {
    lastTicket_ = notifier_.postEvent(event, data);
}

void NetSession::lobbyStatus(const LobbyStatus& status) {
    lastTicket_ = notifier_.postLobbyStatus(status);
}

void NetSession::lobbyStartEnabled(bool enabled) {
    lastTicket_ = notifier_.postLobbyStartEnabled(enabled);
}

void NetSession::lobbyChanged() {
    lastTicket_ = notifier_.postLobbyChanged();
}

void NetSession::lobbyClosedByNetwork() {
    lastTicket_ = notifier_.postLobbyClosed();
}

void NetSession::allStoppedCheck() {
    if (!puttPending || moving) {
        return;
    }
    if (std::any_of(connections_.begin(), connections_.end(),
                    [](const auto& c) { return c->moving; })) {
        return;
    }
    puttPending = false;
    if (isServer) {
        turn_.inDoubt();
        sendToAllExcept(std::string(1, netproto::Stopped), -1);
    }
    notify(NetAllStopped);
    catchUpDue();
}

void NetSession::startCheck() {
    if (!startPending || !allStarted()) {
        return;
    }
    startPending = false;
    if (isServer) {
        turn_.inDoubt();
        sendToAllExcept(std::string(1, netproto::Start), -1);
    }
    notify(NetStart);
    catchUpDue();
}

bool NetSession::handlePlayMessage(Connection& sender, char letter, std::string_view body) {
    switch (letter) {
        case netproto::Putt:
            handlePutt(sender, body);
            return true;
        case netproto::Aim:
            handleAim(sender, body);
            return true;
        case netproto::Stopped:
            handleStopped(sender);
            return true;
        case netproto::Chat:
            handleChat(sender, body);
            return true;
        default:
            return false;
    }
}

void NetSession::handlePutt(Connection& sender, std::string_view body) {
    // A putt before every computer confirmed the start, or while the last one still rolls,
    // breaks the turn order that every computer follows: drop it.
    double force = 0.0;
    double angle = 0.0;
    if (isServer && !netproto::isPuttBody(body)) {
        ++refusals.badForm;
        return;
    }
    if (!playing() || puttPending || !netproto::decodePutt(body, force, angle)) {
        return;
    }
    switch (isServer ? turn_.check(sender.id(), body) : TurnGate::Verdict::Accept) {
        case TurnGate::Verdict::Accept:
            acceptPutt(sender, body, force, angle);
            relayed(sender.receivedAt);
            break;
        case TurnGate::Verdict::Refused:
            refusedOutOfTurn(sender);
            break;
        case TurnGate::Verdict::Held:
            // The gate keeps the latest: its time goes with it.
            sender.heldPuttReceivedAt = sender.receivedAt;
            break;
    }
}

void NetSession::acceptPutt(Connection& sender, std::string_view body, double force,
                            double angle) {
    sendToAllExcept(std::string(1, netproto::Putt) + std::string(body), sender.id());
    seats.recordPutt(body);
    beginPutt();
    data.puttForce = force;
    data.puttAngle = angle;
    data.puttConnection = sender.id();
    notify(NetPutt);
}

void NetSession::beginPutt() {
    setMoving(true);
    puttPending = true;
    if (isServer && limitsChanged) {  // every peer owes this computer a stop report now
        limitsChanged();
    }
}

void NetSession::relayed(std::chrono::steady_clock::time_point readAt) {
    if (relayLatency != nullptr && isServer && connections_.size() > 1) {
        relayLatency->record(std::chrono::steady_clock::now() - readAt);
    }
}

void NetSession::refusedOutOfTurn(const Connection& sender) {
    ++refusals.outOfTurn;
    if (serverLog) {
        serverLog("refused putt out of turn from " + sender.peer);
    }
}

void NetSession::setTurnOwner(std::int32_t connection) {
    const TurnGate::Released released = turn_.setOwner(connection);
    for (const std::int32_t id : released.refused) {
        if (const Connection* sender = find(id)) {
            refusedOutOfTurn(*sender);
        }
    }
    double force = 0.0;
    double angle = 0.0;
    Connection* sender = released.accepted ? find(released.accepted->first) : nullptr;
    if (sender != nullptr && playing() && !puttPending &&
        netproto::decodePutt(released.accepted->second, force, angle)) {
        acceptPutt(*sender, released.accepted->second, force, angle);
        // Timed from its read too: the others waited while this computer caught up with the
        // match.
        relayed(sender->heldPuttReceivedAt);
    }
}

void NetSession::handleAim(Connection& sender, std::string_view body) {
    // Aims belong to the time before a putt; one during a roll would draw over the ball.
    if (isServer && !netproto::isAimBody(body)) {
        ++refusals.badForm;
        return;
    }
    if (!playing() || puttPending) {
        return;
    }
    // Only the player who may putt aims; anybody else's would move the others' aim line.
    if (isServer && !turn_.allows(sender.id())) {
        return;
    }
    if (isServer) {
        // Fifty aims a second draw a smooth line on every screen; more would only make this
        // computer copy a flood to every other.
        constexpr auto kAimInterval = std::chrono::milliseconds(20);
        const auto now = std::chrono::steady_clock::now();
        if (now - sender.aimRelayedAt < kAimInterval) {
            return;
        }
        sender.aimRelayedAt = now;
    }
    sendToAllExcept(std::string(1, netproto::Aim) + std::string(body), sender.id());
    relayed(sender.receivedAt);
    data.aim = parseLeadingDouble(body);
    notify(NetAim);
}

void NetSession::handleStopped(Connection& sender) {
    if (!playing()) {
        return;
    }
    sender.moving = false;
    allStoppedCheck();
}

void NetSession::takeAsStopped(Connection& connection) {
    connection.moving = false;
    if (serverLog) {
        serverLog("no stop report from " + connection.peer + ": taken as stopped");
    }
    allStoppedCheck();
}

void NetSession::handleChat(Connection& sender, std::string_view body) {
    if (body.size() > maxChatBytes) {
        ++refusals.chat;
        return;
    }
    netproto::BodyReader reader(body);
    std::string name(reader.takeField());
    if (isServer) {
        // A client speaks for its own players only (one, or all as "Ann, Bob"): "MAlice|..."
        // from Bob reaches the others as Bob's line.
        const std::vector<std::string> own = namesOf(sender.id());
        if (own.empty()) {
            ++refusals.chat;
            return;
        }
        if (name != netproto::joinNames(own) && std::ranges::find(own, name) == own.end()) {
            ++refusals.forgedName;
            name = own.front();
        }
        sendToGreetedExcept(std::string(1, netproto::Chat) + name + "|" + std::string(reader.rest()),
                            sender.id());
        relayed(sender.receivedAt);
    } else {
        sendToAllExcept(std::string(1, netproto::Chat) + std::string(body), sender.id());
    }
    data.chatName = std::move(name);
    data.chatText = std::string(reader.rest());
    notify(NetChat);
}

void NetSession::handleUnrecognised(std::string_view body) {
    // The line is nobody's: the name of the last chat line must not stand before it.
    data.chatName.clear();
    data.chatText = std::string(body) + std::string(netproto::BadDataMark);
    notify(NetChat);
}

void NetSession::connectionClosed(std::int32_t id) {
    const auto it = std::find_if(connections_.begin(), connections_.end(),
                                 [id](const auto& c) { return c->id() == id; });
    if (it == connections_.end()) {
        return;
    }
    (*it)->shutdown();
    connections_.erase(it);
    seats.vacate(id, lobbyClosed ? namesOf(id) : std::vector<std::string>{});
    if (id == roomCreator && !lobbyClosed) {
        // A start it asked for stands. The new creator is told, or its lobby would wait for
        // a creator that has gone.
        roomCreator = connections_.empty() ? 0 : connections_.front()->id();
        if (roomCreator != 0) {
            connections_.front()->send(std::string(1, roomproto::Letter) +
                                       roomproto::BecameCreator);
        }
    }
    if (match_ != nullptr) {
        if (lobbyClosed) {
            // The game goes on: this computer plays the departed computer's players (unless
            // it cannot go on without its server: then they are only kept for the results).
            match_->ReleasePlayersOf(
                id, !isServer && data.gameAbandoned ? ComputerStrength::Person : departedHand);
        } else {
            match_->RemovePlayersOf(id);
        }
    }
    if (!lobbyClosed) {
        if (isServer) {
            sendPlayerLists();
            if (allReady()) {
                lobbyStartEnabled(true);
            }
        }
        lobbyChanged();
    }
    // The departed computer may have been the last one the start or the end of a putt
    // waited for; nothing else would ever settle the wait.
    startCheck();
    allStoppedCheck();
    if (!connections_.empty() || !lobbyClosed) {
        notify(NetConnectionClosed);
    } else {
        closeListening();
        notify(NetEnded);
    }
}

void NetSession::closeListening() {
    if (listener != nullptr) {
        listener->stop();
        listener.reset();
    }
}

void NetSession::endGame() {
    closeListening();
    if (connector != nullptr) {
        connector->cancel();
        connector.reset();
    }
    startPending = false;
    puttPending = false;
    moving = false;
    if (connections_.empty()) {
        return;
    }
    // The reads under way see their connections end and find them no longer listed.
    for (auto it = connections_.rbegin(); it != connections_.rend(); ++it) {
        (*it)->shutdown();
    }
    connections_.clear();
    if (match_ != nullptr) {
        // Leaving a game under way leaves the others' players to this computer, as when they
        // leave: played by the computer when a strength was chosen for that.
        match_->MakeAllLocal(lobbyClosed ? departedHand : ComputerStrength::Person);
    }
    notify(NetEnded);
}

void NetSession::resetForNewGame(bool server) {
    isServer = server;
    lobbyClosed = false;
    setMoving(false);
    puttPending = false;
    startPending = false;
    expectedLevelCount = -1;
    readySent = false;
    requestedLevels.clear();
    receivedLevelBytes = 0;
    versionStatus.reset();
    roomCreator = 0;
    startRequested = false;
    maxChatBytes = DefaultMaxChatBytes;
    takenOver.clear();
    hostStopping = false;
    data.gameAbandoned = false;
    data.hostStopped = false;
    room = {};
    seats.clear();
    // Whether turns are kept stays: it belongs to the program, not to one game.
    turn_.newGame();
}

LobbySnapshot NetSession::lobbySnapshot() const {
    LobbySnapshot snapshot;
    snapshot.server = isServer;
    snapshot.connectionCount = static_cast<std::int32_t>(connections_.size());
    snapshot.roomCode = room.code;
    snapshot.roomCourse = room.course;
    snapshot.roomCreator = room.creator && room.phase == Room::Phase::Joined;
    snapshot.roomToken = room.token;
    if (match_ != nullptr) {
        snapshot.playerCount = match_->PlayerCount();
        snapshot.localNames = netproto::joinNames(namesOf(Player::LocalConnection));
        for (std::int32_t i = 0; i < match_->PlayerCount(); ++i) {
            const Player& player = *match_->GetPlayer(i);
            const bool local = player.IsLocalPlayer();
            snapshot.players.push_back(
                {player.GetName(), local, player.GetStyle(),
                 local ? player.IsComputer() : player.IsPeerComputer(),
                 local ? snapshot.roomCreator : player.IsRoomCreators()});
        }
    }
    for (const auto& connection : connections_) {
        snapshot.computers.push_back({connection->id(), connection->address(),
                                      netproto::joinNames(namesOf(connection->id())),
                                      connection->status, connection->statusLevelName,
                                      connection->peer});
    }
    return snapshot;
}

}  // namespace trundlex
