#include "net/NetGame.h"

#include "play/Player.h"

#include "net/NetPool.h"
#include "net/RoomClient.h"
#include "net/RoomProtocol.h"
#include "play/Match.h"

namespace trundlex {

NetGame::NetGame(LevelLibrary& library)
    : session_(library, notifier_),
      server_(session_),
      client_(session_),
      engine_(std::make_unique<NetEngine>(
          mutex_, session_, notifier_, [this]() -> NetRole& { return role(); }, timeouts_)) {
    session_.limitsChanged = [this] { engine_->timeoutsChanged(); };
}

NetGame::NetGame(LevelLibrary& library, NetPool& io, NetPool& delivery)
    : notifier_([&delivery](std::function<void()> task) { delivery.post(std::move(task)); }),
      session_(library, notifier_),
      server_(session_),
      client_(session_),
      engine_(std::make_unique<NetEngine>(
          mutex_, session_, notifier_, [this]() -> NetRole& { return role(); }, timeouts_, &io)) {
    session_.limitsChanged = [this] { engine_->timeoutsChanged(); };
}

NetGame::NetGame(LevelLibrary& library, NetCarrier& carrier)
    : notifier_(NetNotifier::CallerDelivers{}),
      session_(library, notifier_),
      server_(session_),
      client_(session_) {
    auto engine = std::make_unique<CarriedEngine>(
        mutex_, session_, [this]() -> NetRole& { return role(); }, timeouts_, carrier,
        [this] { notifier_.deliverPosted(); });
    carried_ = engine.get();
    engine_ = std::move(engine);
    session_.limitsChanged = [] {};
}

NetGame::~NetGame() {
    notifier_.clearListeners();
    notifier_.detachLobby();
    {
        Lock lock(mutex_);
        session_.endGame();
    }
    // No delivery may hand the I/O thread work any more once it stops.
    notifier_.dropWaiters();
    engine_.reset();
}

void NetGame::setMatch(Match* match) {
    Lock lock(mutex_);
    session_.setMatch(match);
}

bool NetGame::addListener(NetListener* listener) {
    return notifier_.addListener(listener);
}
void NetGame::removeListener(NetListener* listener) {
    notifier_.removeListener(listener);
}
void NetGame::clearListeners() {
    notifier_.clearListeners();
}
void NetGame::detachLobby() {
    notifier_.detachLobby();
}

NetGame::Lock NetGame::beginServing(NetLobby* lobby) {
    // Outside the lock: the lobby being replaced may be reading a snapshot right now.
    notifier_.attachLobby(lobby);
    Lock lock(mutex_);
    if (session_.match() == nullptr) {
        lock.unlock();
        return lock;
    }
    session_.endGame();
    session_.resetForNewGame(true);
    return lock;
}

bool NetGame::startServer(std::uint16_t port, NetLobby* lobby, const std::string& bindAddress) {
    const Lock lock = beginServing(lobby);
    if (!lock.owns_lock()) {
        return false;
    }
    port_ = engine_->listen(bindAddress, port);
    if (port_ == 0) {
        session_.lobbyStatus({LobbyText::CantStartServer, 0, {}, {}});
        return false;
    }
    return true;
}

std::uint16_t NetGame::listeningPort() const {
    Lock lock(mutex_);
    return session_.listener != nullptr ? port_ : 0;
}

bool NetGame::startClient(const std::string& address, std::uint16_t port, NetLobby* lobby) {
    return beginClient(address, port, lobby, nullptr);
}

bool NetGame::startRoomClient(const std::string& address, std::uint16_t port,
                              const roomproto::Request& request, NetLobby* lobby) {
    if (roomRequestBody(request).empty()) {
        return false;
    }
    return beginClient(address, port, lobby, &request);
}

bool NetGame::beginClient(const std::string& address, std::uint16_t port, NetLobby* lobby,
                          const roomproto::Request* room) {
    notifier_.attachLobby(lobby);
    Lock lock(mutex_);
    Match* match = session_.match();
    if (match == nullptr) {
        return false;
    }
    session_.endGame();
    session_.resetForNewGame(false);
    if (room != nullptr) {
        session_.room.phase = NetSession::Room::Phase::AwaitGreeting;
        session_.room.request = roomRequestBody(*room);
        session_.room.creator = room->kind == roomproto::Request::Kind::Create;
    }
    match->ClearLevels();
    engine_->connect(address, port, ConnectTimeout);
    return true;
}

bool NetGame::askRoomStart() {
    Lock lock(mutex_);
    const NetSession::Room& room = session_.room;
    if (session_.isServer || room.phase != NetSession::Room::Phase::Joined || !room.creator ||
        session_.lobbyClosed || session_.connections().empty()) {
        return false;
    }
    session_.sendToAllExcept(std::string(1, roomproto::StartRequest), -1);
    return true;
}

bool NetGame::askRoomRemove(const std::string& name) {
    Lock lock(mutex_);
    const NetSession::Room& room = session_.room;
    if (session_.isServer || room.phase != NetSession::Room::Phase::Joined || !room.creator ||
        session_.lobbyClosed || session_.connections().empty() ||
        netproto::checkName(name) != netproto::TextProblem::None) {
        return false;
    }
    session_.sendToAllExcept(
        std::string(1, roomproto::Letter) + roomproto::RemovePlayer + name, -1);
    return true;
}

void NetGame::announceHostStop() {
    Lock lock(mutex_);
    if (session_.isServer) {
        session_.sendToAllExcept(std::string(1, roomproto::Letter) + roomproto::HostStopping, -1);
    }
}

bool NetGame::isServer() const {
    Lock lock(mutex_);
    return session_.isServer;
}

bool NetGame::isConnected() const {
    return connectionCount() > 0;
}

std::int32_t NetGame::connectionCount() const {
    Lock lock(mutex_);
    return static_cast<std::int32_t>(session_.connections().size());
}

NetGame::Transports NetGame::connectionsByTransport() const {
    Lock lock(mutex_);
    Transports counts;
    for (const auto& connection : session_.connections()) {
        ++(connection->webSocket ? counts.webSocket : counts.tcp);
    }
    return counts;
}

bool NetGame::isLobbyClosed() const {
    Lock lock(mutex_);
    return session_.lobbyClosed;
}

bool NetGame::isPlaying() const {
    Lock lock(mutex_);
    return session_.playing();
}

bool NetGame::sendPutt(double& force, double& angle, std::int32_t exceptConnection) {
    Lock lock(mutex_);
    const std::string body = netproto::encodePutt(force, angle);
    if (!session_.connections().empty() && (!session_.playing() || session_.puttPending)) {
        return false;
    }
    session_.beginPutt();
    session_.sendToAllExcept(std::string(1, netproto::Putt) + body, exceptConnection);
    if (session_.isServer) {
        session_.seats.recordPutt(body);
    }
    return true;
}

void NetGame::sendAim(double aim, std::int32_t exceptConnection) {
    Lock lock(mutex_);
    if (session_.playing() && !session_.puttPending) {
        session_.sendToAllExcept(std::string(1, netproto::Aim) + netproto::encodeAim(aim),
                                 exceptConnection);
    }
}

void NetGame::localBallStopped() {
    Lock lock(mutex_);
    if (!session_.puttPending) {
        return;
    }
    session_.moving = false;
    if (!session_.isServer) {
        session_.sendToAllExcept(std::string(1, netproto::Stopped), -1);
    }
    session_.allStoppedCheck();
}

netproto::TextProblem NetGame::sendChat(std::string_view text, std::string_view name,
                                        std::int32_t exceptConnection) {
    if (const auto problem = netproto::checkName(name); problem != netproto::TextProblem::None) {
        return problem;
    }
    if (const auto problem = netproto::checkChatText(text);
        problem != netproto::TextProblem::None) {
        return problem;
    }
    Lock lock(mutex_);
    session_.sendToAllExcept(
        std::string(1, netproto::Chat) + std::string(name) + "|" + std::string(text),
        exceptConnection);
    return netproto::TextProblem::None;
}

bool NetGame::addPlayer(std::string_view name, std::uint32_t colour, std::int32_t pattern,
                        bool transparent, std::int32_t connection, bool announce) {
    Lock lock(mutex_);
    return session_.addPlayer(name, colour, pattern, transparent, connection, announce);
}

bool NetGame::addComputerPlayer(std::string_view name, std::uint32_t colour,
                                ComputerStrength strength) {
    Lock lock(mutex_);
    Match* match = session_.match();
    if (match == nullptr || session_.lobbyClosed ||
        !session_.addPlayer(name, colour, 0, false, Player::LocalConnection, true, true)) {
        return false;
    }
    // Under the same lock as the announcement, so that the server's answering player list
    // already finds it played by the computer.
    match->GetPlayer(match->PlayerCount() - 1)->SetComputer(strength);
    session_.lobbyChanged();
    return true;
}

bool NetGame::startHandshake() {
    Lock lock(mutex_);
    return server_.startHandshake();
}

bool NetGame::restartHandshake() {
    Lock lock(mutex_);
    return server_.restartHandshake();
}

void NetGame::endGame() {
    Lock lock(mutex_);
    session_.endGame();
}

void NetGame::closeListening() {
    Lock lock(mutex_);
    session_.closeListening();
}

double NetGame::puttForce() const {
    return notifier_.current().puttForce;
}
double NetGame::puttAngle() const {
    return notifier_.current().puttAngle;
}
double NetGame::aim() const {
    return notifier_.current().aim;
}
std::string NetGame::chatName() const {
    return notifier_.current().chatName;
}
std::string NetGame::chatText() const {
    return notifier_.current().chatText;
}
std::string NetGame::disconnectText() const {
    return notifier_.current().disconnectText;
}
NetEventData NetGame::eventData() const {
    return notifier_.current();
}

LobbySnapshot NetGame::lobbySnapshot() const {
    Lock lock(mutex_);
    return session_.lobbySnapshot();
}

void NetGame::setDepartedHand(ComputerStrength hand) {
    Lock lock(mutex_);
    session_.departedHand = hand;
}

void NetGame::setTurnOwner(std::int32_t connection) {
    Lock lock(mutex_);
    session_.setTurnOwner(connection);
}

void NetGame::setTurnFrom(const FlowStep& step) {
    if (step.outcome == FlowOutcome::Turn && step.player != nullptr) {
        setTurnOwner(step.player->GetConnection());
    } else if (step.outcome != FlowOutcome::Refused && step.outcome != FlowOutcome::HoleReady) {
        setTurnOwner(NetSession::NoTurn);
    }
}

void NetGame::setServerLog(std::function<void(const std::string&)> log) {
    Lock lock(mutex_);
    session_.serverLog = std::move(log);
}

void NetGame::setSendBudget(std::shared_ptr<SendBudget> budget) {
    Lock lock(mutex_);
    session_.sendBudget = std::move(budget);
}

void NetGame::setRelayLatency(std::shared_ptr<LatencyHistogram> histogram) {
    Lock lock(mutex_);
    session_.relayLatency = std::move(histogram);
}

NetSession::Refusals NetGame::refusals() const {
    Lock lock(mutex_);
    return session_.refusals;
}

void NetGame::setTimeouts(const NetTimeouts& timeouts) {
    Lock lock(mutex_);
    timeouts_ = timeouts;
    engine_->timeoutsChanged();
}

bool NetGame::startRoom(NetLobby* lobby) {
    const Lock lock = beginServing(lobby);
    if (!lock.owns_lock()) {
        return false;
    }
    session_.maxChatBytes = roomproto::MaxChatBytes;
    return true;
}

NetGame::Entry NetGame::serveConnection(Socket& socket, PeerInfo who, std::string received,
                                        std::string_view first, bool creator,
                                        const std::string& token) {
    Lock lock(mutex_);
    if (!session_.isServer || session_.lobbyClosed) {
        return Entry::Started;
    }
    const auto connection = engine_->adopt(socket, std::move(who), std::move(received), first);
    if (connection == nullptr) {
        return Entry::Full;
    }
    if (!token.empty()) {
        session_.seats.assign(token, connection->id());
        connection->send(std::string{roomproto::Letter, roomproto::SeatToken} + token);
    }
    if (creator || session_.roomCreator == 0) {
        session_.roomCreator = connection->id();
        if (!creator) {
            // It joined a room whose creator has gone: it speaks for the room now.
            connection->send(std::string(1, roomproto::Letter) + roomproto::BecameCreator);
        }
    }
    return Entry::Taken;
}

NetGame::Entry NetGame::rejoinConnection(Socket& socket, PeerInfo who, std::string received,
                                         std::string_view first, const std::string& token) {
    Lock lock(mutex_);
    const SeatBook::Seat* seat = session_.isServer ? session_.seats.findToken(token) : nullptr;
    if (seat == nullptr) {
        return Entry::NoSeat;
    }
    if (seat->connection != 0) {
        // Its program came back before this host saw the old connection end.
        session_.connectionClosed(seat->connection);
    }
    if (!session_.lobbyClosed) {
        // Its players went with it: it announces them again, as any client joining.
        return serveConnection(socket, std::move(who), std::move(received), first, false, token);
    }
    // Looked up again: closing the old connection emptied the seat.
    SeatBook::Seat* empty = session_.seats.findToken(token);
    const auto connection = empty != nullptr && empty->connection == 0
                                ? engine_->adopt(socket, std::move(who), std::move(received), first)
                                : nullptr;
    if (connection == nullptr) {
        return empty == nullptr ? Entry::NoSeat : Entry::Full;
    }
    empty->connection = connection->id();
    connection->rejoining = true;
    connection->send(std::string{roomproto::Letter, roomproto::SeatToken} + token);
    return Entry::Taken;
}

bool NetGame::seatsWaiting() const {
    Lock lock(mutex_);
    const Match* match = session_.match();
    return session_.isServer && session_.lobbyClosed && match != nullptr && !match->IsOver() &&
           session_.seats.hasEmptySeatWithPlayers();
}

bool NetGame::startRequested() const {
    Lock lock(mutex_);
    return session_.startRequested;
}

void NetGame::waitForDeliveries() {
    NetNotifier::Ticket ticket = 0;
    {
        Lock lock(mutex_);
        ticket = session_.lastTicket();
    }
    notifier_.waitDelivered(ticket);
}

NetGame::Lock NetGame::lock() const {
    return Lock(mutex_);
}

void NetGame::carrierOpened() {
    if (carried_ != nullptr) {
        carried_->opened();
    }
}

void NetGame::carrierReceived(std::string_view bytes) {
    if (carried_ != nullptr) {
        carried_->received(bytes);
    }
}

void NetGame::carrierClosed() {
    if (carried_ != nullptr) {
        carried_->closed();
    }
}

void NetGame::pollCarrier() {
    if (carried_ != nullptr) {
        carried_->poll();
    }
}

void NetGame::deliverPosted() {
    notifier_.deliverPosted();
}

// --- The I/O thread's view ---

NetRole& NetGame::role() {
    if (session_.isServer) {
        return server_;
    }
    return client_;
}

}  // namespace trundlex
