#include "net/NetGame.h"

#include "play/Match.h"

namespace trundlex {

NetGame::NetGame(LevelLibrary& library)
    : session_(library, notifier_), server_(session_), client_(session_) {}

NetGame::~NetGame() {
    notifier_.clearListeners();
    notifier_.detachLobby();
    {
        Lock lock(mutex_);
        session_.endGame();
    }
    // The threads end once their sockets are shut down; those waiting for delivery are let
    // go by the delivery thread, which calls nobody any more.
    joinWorkers();
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

bool NetGame::startServer(std::uint16_t port, NetLobby* lobby, const std::string& bindAddress) {
    // Outside the lock: the lobby being replaced may be reading a snapshot right now.
    notifier_.attachLobby(lobby);
    Lock lock(mutex_);
    if (session_.match() == nullptr) {
        return false;
    }
    session_.endGame();
    session_.resetForNewGame(true);
    port_ = 0;
    auto listener = std::make_shared<TcpListener>();
    if (!listener->open(bindAddress, port)) {
        session_.lobbyStatus({LobbyText::CantStartServer, 0, {}, {}});
        return false;
    }
    port_ = listener->port();
    session_.listener = listener;
    spawn([this, listener] { acceptLoop(listener); });
    return true;
}

std::uint16_t NetGame::listeningPort() const {
    Lock lock(mutex_);
    return session_.listener != nullptr ? port_ : 0;
}

bool NetGame::startClient(const std::string& address, std::uint16_t port, NetLobby* lobby) {
    notifier_.attachLobby(lobby);
    Lock lock(mutex_);
    Match* match = session_.match();
    if (match == nullptr) {
        return false;
    }
    session_.endGame();
    session_.resetForNewGame(false);
    match->ClearLevels();
    auto abort = std::make_shared<WakePipe>();
    if (!abort->valid()) {
        session_.lobbyStatus({LobbyText::CouldntConnect, 0, {}, {}});
        return false;
    }
    session_.connectAbort = abort;
    spawn([this, address, port, abort] { connectLoop(address, port, abort); });
    return true;
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
    session_.setMoving(true);
    session_.puttPending = true;
    session_.sendToAllExcept(std::string(1, netproto::Putt) + body, exceptConnection);
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

void NetGame::setTimeouts(const NetTimeouts& timeouts) {
    Lock lock(mutex_);
    timeouts_ = timeouts;
}

NetGame::Lock NetGame::lock() const {
    return Lock(mutex_);
}

// --- Network threads ---

NetRole& NetGame::role() {
    if (session_.isServer) {
        return server_;
    }
    return client_;
}

void NetGame::releaseAndWait(Lock& lock) {
    const NetNotifier::Ticket ticket = session_.lastTicket();
    lock.unlock();
    notifier_.waitDelivered(ticket);
}

void NetGame::acceptLoop(const std::shared_ptr<TcpListener>& listener) {
    {
        Lock lock(mutex_);
        session_.lobbyChanged();
        releaseAndWait(lock);
    }
    for (;;) {
        Socket socket;
        std::string address;
        const bool accepted = listener->accept(socket, address);
        Lock lock(mutex_);
        if (session_.listener != listener) {
            // This computer stopped listening (the game started or ended): leave quietly.
            return;
        }
        if (!accepted) {
            session_.lobbyStatus({LobbyText::CantStartServer, 0, {}, {}});
            session_.endGame();
            releaseAndWait(lock);
            return;
        }
        std::shared_ptr<Connection> connection =
            session_.addConnection(std::move(socket), std::move(address));
        if (connection == nullptr) {
            continue;
        }
        connection->status = ComputerStatus::Initializing;
        session_.lobbyChanged();
        session_.notify(NetConnectionAdded);
        spawn([this, connection] { receiveLoop(connection); });
        releaseAndWait(lock);
    }
}

void NetGame::connectLoop(const std::string& host, std::uint16_t port,
                          const std::shared_ptr<WakePipe>& abort) {
    Socket socket;
    const ConnectResult result = socket.connectTo(host, port, *abort, ConnectTimeout);
    std::shared_ptr<Connection> connection;
    {
        Lock lock(mutex_);
        if (session_.connectAbort != abort) {
            // The game was ended or replaced while connecting.
            return;
        }
        session_.connectAbort.reset();
        if (result != ConnectResult::Connected) {
            session_.lobbyStatus({LobbyText::CouldntConnect, 0, {}, {}});
            session_.endGame();
            releaseAndWait(lock);
            return;
        }
        connection = session_.addConnection(std::move(socket), {});
        session_.notify(NetConnectionAdded);
        session_.lobbyStatus({LobbyText::ConnectionOpen, 0, {}, {}});
        releaseAndWait(lock);
    }
    receiveLoop(connection);
}

void NetGame::receiveLoop(const std::shared_ptr<Connection>& connection) {
    {
        Lock lock(mutex_);
        if (session_.isListed(*connection)) {
            role().greet(*connection);
        }
        releaseAndWait(lock);
    }
    bool open = true;
    while (open && awaitBytes(*connection) && connection->receiveMore()) {
        for (;;) {
            Lock lock(mutex_);
            NetMessage message;
            if (!session_.isListed(*connection)) {
                // Ended by this computer: nothing more to do.
                open = false;
                break;
            }
            if (!connection->nextMessage(message)) {
                break;
            }
            connection->lastMessageAt = std::chrono::steady_clock::now();
            const DispatchResult result = role().dispatch(*connection, message);
            releaseAndWait(lock);
            if (result == DispatchResult::Close) {
                // The rest of what arrived is dropped with the connection.
                open = false;
                break;
            }
        }
    }
    Lock lock(mutex_);
    if (session_.isListed(*connection)) {
        role().reportLoss(*connection);
        session_.connectionClosed(connection->id());
    }
    releaseAndWait(lock);
}

bool NetGame::awaitBytes(Connection& connection) {
    using Clock = std::chrono::steady_clock;
    for (;;) {
        Clock::time_point deadline;
        {
            Lock lock(mutex_);
            const Clock::time_point now = Clock::now();
            if (!session_.isListed(connection)) {
                // Ended here: the socket is shut down and the read that follows says so.
                return true;
            }
            if (session_.isServer && !connection.greeted) {
                deadline = connection.openedAt + timeouts_.greeting;
                if (now >= deadline) {
                    connection.dropReason = DropReason::NoGreeting;
                    return false;
                }
            } else if (session_.isServer && !session_.lobbyClosed) {
                deadline = connection.lastMessageAt + timeouts_.lobbyIdle;
                if (now >= deadline) {
                    connection.dropReason = DropReason::Idle;
                    return false;
                }
            } else if (!session_.isServer && !session_.lobbyClosed) {
                deadline = connection.lastSentAt + timeouts_.lobbyIdle / 2;
                if (now >= deadline) {
                    connection.send(std::string(1, netproto::Hello) +
                                    std::string(netproto::Version));
                    continue;
                }
            } else {
                // A game in progress: a player may think as long as they like.
                return true;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (connection.waitReadable(left + std::chrono::milliseconds(1))) {
            return true;
        }
    }
}

void NetGame::spawn(std::function<void()> body) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::lock_guard guard(workersMutex_);
    // Threads that have finished are joined here, so a long run does not gather them.
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
    workers_.push_back({std::thread([body = std::move(body), done] {
                            body();
                            done->store(true);
                        }),
                        done});
}

void NetGame::joinWorkers() {
    for (;;) {
        std::vector<Worker> workers;
        {
            std::lock_guard guard(workersMutex_);
            workers.swap(workers_);
        }
        if (workers.empty()) {
            return;
        }
        for (Worker& worker : workers) {
            worker.thread.join();
        }
    }
}

}  // namespace trundlex
