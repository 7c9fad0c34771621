#include "net/NetEngine.h"

#include <atomic>
#include <condition_variable>
#include <optional>
#include <thread>

#include "net/AsioSupport.h"
#include "net/NameLookup.h"
#include "net/NetNotifier.h"
#include "net/NetProtocol.h"
#include "net/NetRole.h"
#include "net/NetSession.h"
#include "util/Threads.h"

namespace trundlex {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using Lock = std::unique_lock<std::recursive_mutex>;

namespace {

// How many connections may wait in the listening socket's queue before the game takes them.
constexpr int kBacklog = 16;

class Acceptor : public NetAcceptor, public std::enable_shared_from_this<Acceptor> {
public:
    explicit Acceptor(const asio::any_io_executor& io) : acceptor(io) {}
    void stop() override {
        if (stopped.exchange(true)) {
            return;
        }
        refuseConnections(acceptor);
        asio::post(acceptor.get_executor(), [self = shared_from_this()] {
            ErrorCode ignored;
            self->acceptor.close(ignored);
        });
    }
    tcp::acceptor acceptor;
    std::atomic<bool> stopped{false};
};

class Connector : public NetConnector, public std::enable_shared_from_this<Connector> {
public:
    explicit Connector(const asio::any_io_executor& io) : socket(io), timer(io) {}
    void cancel() override {
        asio::post(socket.get_executor(), [self = shared_from_this()] { self->end(); });
    }
    // I/O thread: stops whatever step is under way; its handler then finds the attempt gone.
    // A lookup still under way is answered with nothing at once.
    void end() {
        ErrorCode ignored;
        timer.cancel();
        socket.close(ignored);
        if (lookup != nullptr) {
            lookup->give({});
        }
    }
    std::shared_ptr<NameLookup> lookup;
    tcp::socket socket;
    asio::steady_timer timer;
};

}  // namespace

struct NetEngine::State {
    State(std::recursive_mutex& m, NetSession& s, NetNotifier& n, std::function<NetRole&()> r,
          const NetTimeouts& t, NetPool* pool)
        : mutex(m),
          session(s),
          notifier(n),
          role(std::move(r)),
          timeouts(t),
          ownIo(pool == nullptr ? std::make_unique<asio::io_context>() : nullptr),
          io(pool == nullptr ? asio::any_io_executor(ownIo->get_executor())
                             : asio::any_io_executor(asio::make_strand(pool->impl().io))) {}

    // Runs `next` on the I/O thread once the listeners have handled what the session posted
    // up to now. Called under the lock.
    void afterDelivery(std::function<void()> next) {
        notifier.whenDelivered(session.lastTicket(), [this, next = std::move(next), p = pending()] {
            asio::post(io, [next, p] { next(); });
        });
    }
    // To be held by every handler that uses this state.
    Pending pending() { return Pending(pendingCount); }

    void acceptNext(const std::shared_ptr<Acceptor>& acceptor);
    void accepted(const std::shared_ptr<Acceptor>& acceptor, const ErrorCode& error,
                  tcp::socket socket);
    void connected(const std::shared_ptr<Connector>& connector, const ErrorCode& error);
    // Tries the addresses in turn (none: the host was not found).
    void tryEach(const std::shared_ptr<Connector>& connector,
                 const std::vector<tcp::endpoint>& endpoints, const std::string& host);
    // Looks `host` up on a thread of its own, then tries what it found.
    void lookUp(const std::shared_ptr<Connector>& connector, const std::string& host,
                std::uint16_t port);
    // Sends the role's first messages and starts reading once they have been handled.
    void open(const std::shared_ptr<Connection>& connection);
    void readMore(const std::shared_ptr<Connection>& connection);
    // Handles the complete messages received, one at a time, each after the events of the
    // one before have been delivered; reads on when none is left.
    void handleMessages(const std::shared_ptr<Connection>& connection);
    // Under the lock: arms the connection's timer for the next limit it has to keep.
    void keepLimits(const std::shared_ptr<Connection>& connection);
    // Under the lock: the connection has ended (or is given up): tells everybody once.
    void lose(Connection& connection);

    std::recursive_mutex& mutex;
    NetSession& session;
    NetNotifier& notifier;
    std::function<NetRole&()> role;
    const NetTimeouts& timeouts;

    // Declared before the I/O context: the handlers it destroys still count down here.
    PendingCount pendingCount;
    // The game's own I/O context and thread; none on a pool.
    std::unique_ptr<asio::io_context> ownIo;
    std::optional<asio::executor_work_guard<asio::io_context::executor_type>> work;
    std::thread thread;
    // Where the handlers run: the own context, or a strand on the pool.
    asio::any_io_executor io;
    // The lookups under way, told to forget their answer when the engine goes.
    std::mutex lookupsMutex;
    std::vector<std::weak_ptr<NameLookup>> lookups;
    bool closing = false;
};

NetEngine::NetEngine(std::recursive_mutex& mutex, NetSession& session, NetNotifier& notifier,
                     std::function<NetRole&()> role, const NetTimeouts& timeouts, NetPool* pool)
    : state_(std::make_shared<State>(mutex, session, notifier, std::move(role), timeouts, pool)) {
    if (state_->ownIo != nullptr) {
        asio::io_context* io = state_->ownIo.get();
        state_->work.emplace(asio::make_work_guard(*io));
        state_->thread = threadIfAvailable([io] { io->run(); });
    }
}

NetEngine::~NetEngine() {
    {
        // A lookup that answers from now on finds nobody to answer to.
        std::lock_guard lock(state_->lookupsMutex);
        state_->closing = true;
        for (const auto& weak : state_->lookups) {
            if (const auto lookup = weak.lock()) {
                lookup->forget();
            }
        }
    }
    if (state_->ownIo != nullptr) {
        state_->ownIo->stop();
        joinIfStarted(state_->thread);
        return;
    }
    // On a pool the handlers of ended connections still run, later, on other threads; they
    // hold the session and the lock, which go with this engine's game.
    state_->pendingCount.waitForNone();
}

std::uint16_t NetEngine::listen(const std::string& bindAddress, std::uint16_t port) {
    State& state = *state_;
    auto acceptor = std::make_shared<Acceptor>(state.io);
    ErrorCode error;
    if (!openAcceptor(acceptor->acceptor, bindAddress, port, kBacklog, error)) {
        return 0;
    }
    const std::uint16_t chosen = acceptor->acceptor.local_endpoint(error).port();
    if (error) {
        return 0;
    }
    state.session.listener = acceptor;
    asio::post(state.io, [&state, acceptor, p = state.pending()] {
        Lock lock(state.mutex);
        if (state.session.listener != acceptor) {
            return;
        }
        state.session.lobbyChanged();
        state.afterDelivery([&state, acceptor] { state.acceptNext(acceptor); });
    });
    return chosen;
}

void NetEngine::State::acceptNext(const std::shared_ptr<Acceptor>& acceptor) {
    acceptor->acceptor.async_accept(
        [this, acceptor, p = pending()](const ErrorCode& error, tcp::socket socket) {
            accepted(acceptor, error, std::move(socket));
        });
}

void NetEngine::State::accepted(const std::shared_ptr<Acceptor>& acceptor,
                                const ErrorCode& error, tcp::socket socket) {
    Lock lock(mutex);
    if (session.listener != acceptor) {
        // This computer stopped listening (the game started or ended): leave quietly.
        return;
    }
    if (error) {
        // A connection that went away before it was taken: wait for the next one. Anything
        // else (out of descriptors, say) ends the listening.
        if (error == asio::error::connection_aborted || error == asio::error::try_again ||
            error == asio::error::interrupted) {
            acceptNext(acceptor);
            return;
        }
        session.lobbyStatus({LobbyText::CantStartServer, 0, {}, {}});
        session.endGame();
        return;
    }
    ErrorCode ignored;
    const tcp::endpoint peer = socket.remote_endpoint(ignored);
    tuneSocket(socket);
    std::shared_ptr<Connection> connection = session.addConnection(
        Socket(std::make_unique<Socket::Impl>(std::move(socket))), addressText(peer.address()));
    if (connection == nullptr) {
        // Full: the socket closes with the refused connection.
        acceptNext(acceptor);
        return;
    }
    connection->peer = endpointText(peer);
    connection->status = ComputerStatus::Initializing;
    session.lobbyChanged();
    session.notify(NetConnectionAdded);
    open(connection);
    afterDelivery([this, acceptor] { acceptNext(acceptor); });
}

void NetEngine::connect(const std::string& host, std::uint16_t port,
                        std::chrono::milliseconds timeout) {
    State& state = *state_;
    auto connector = std::make_shared<Connector>(state.io);
    state.session.connector = connector;
    asio::post(state.io, [&state, connector, host, port, timeout, p = state.pending()] {
        connector->timer.expires_after(timeout);
        connector->timer.async_wait([connector](const ErrorCode& error) {
            if (!error) {
                connector->end();
            }
        });
        ErrorCode error;
        const asio::ip::address numeric = asio::ip::make_address(host, error);
        if (!error) {
            // A numeric address is used as it is, without asking any name service.
            state.tryEach(connector, {tcp::endpoint(numeric, port)}, host);
            return;
        }
        state.lookUp(connector, host, port);
    });
}

void NetEngine::setHostLookup(HostLookup lookup) {
    NameLookup::replace(std::move(lookup));
}

void NetEngine::State::lookUp(const std::shared_ptr<Connector>& connector,
                              const std::string& host, std::uint16_t port) {
    // No Pending is held while the lookup runs: the engine does not wait for it.
    auto lookup = std::make_shared<NameLookup>([this, connector, host](NameLookup::Found found) {
        asio::post(io, [this, connector, host, found = std::move(found), p = pending()] {
            tryEach(connector, found, host);
        });
    });
    {
        // Listed before it starts, so that an engine going away meanwhile silences it.
        std::lock_guard lock(lookupsMutex);
        if (closing) {
            return;
        }
        std::erase_if(lookups, [](const auto& weak) { return weak.expired(); });
        lookups.push_back(lookup);
    }
    connector->lookup = lookup;
    NameLookup::run(lookup, host, port);
}

void NetEngine::State::tryEach(const std::shared_ptr<Connector>& connector,
                               const std::vector<tcp::endpoint>& endpoints,
                               const std::string& host) {
    if (endpoints.empty()) {
        connected(connector, asio::error::host_not_found);
        return;
    }
    asio::async_connect(
        connector->socket,
        tcp::resolver::results_type::create(endpoints.begin(), endpoints.end(), host, ""),
        [this, connector, p = pending()](const ErrorCode& error, const tcp::endpoint&) {
            connected(connector, error);
        });
}

void NetEngine::State::connected(const std::shared_ptr<Connector>& connector,
                                 const ErrorCode& error) {
    connector->timer.cancel();
    Lock lock(mutex);
    if (session.connector != connector) {
        // The game was ended or replaced while connecting.
        return;
    }
    session.connector.reset();
    if (error) {
        session.lobbyStatus({LobbyText::CouldntConnect, 0, {}, {}});
        session.endGame();
        return;
    }
    tuneSocket(connector->socket);
    std::shared_ptr<Connection> connection = session.addConnection(
        Socket(std::make_unique<Socket::Impl>(std::move(connector->socket))), {});
    session.notify(NetConnectionAdded);
    session.lobbyStatus({LobbyText::ConnectionOpen, 0, {}, {}});
    afterDelivery([this, connection] {
        Lock lock(mutex);
        open(connection);
    });
}

void NetEngine::State::open(const std::shared_ptr<Connection>& connection) {
    if (session.isListed(*connection)) {
        role().greet(*connection);
        keepLimits(connection);
    }
    afterDelivery([this, connection] { readMore(connection); });
}

void NetEngine::State::readMore(const std::shared_ptr<Connection>& connection) {
    Connection::Link& link = *connection->link();
    link.socket.async_read_some(
        asio::buffer(link.readBuffer),
        asio::bind_executor(link.io, [this, connection, p = pending()](
                                         const ErrorCode& error, std::size_t size) {
            if (error || !connection->takeBytes(
                             std::string_view(connection->link()->readBuffer.data(), size))) {
                // The peer closed the connection, it was closed here, or the peer sent too
                // much without a terminator.
                Lock lock(mutex);
                lose(*connection);
                return;
            }
            handleMessages(connection);
        }));
}

void NetEngine::State::handleMessages(const std::shared_ptr<Connection>& connection) {
    Lock lock(mutex);
    if (!session.isListed(*connection)) {
        // Ended by this computer: nothing more to do.
        return;
    }
    NetMessage message;
    if (!connection->nextMessage(message)) {
        lock.unlock();
        readMore(connection);
        return;
    }
    connection->lastMessageAt = Clock::now();
    if (role().dispatch(*connection, message) == DispatchResult::Close) {
        // The rest of what arrived is dropped with the connection.
        lose(*connection);
        return;
    }
    keepLimits(connection);
    afterDelivery([this, connection] { handleMessages(connection); });
}

void NetEngine::State::keepLimits(const std::shared_ptr<Connection>& connection) {
    Connection::Link* link = connection->link();
    if (link == nullptr || !session.isListed(*connection) || link->isBroken()) {
        // A closed link is about to be reported lost: a wait armed now would outlive it.
        return;
    }
    Clock::time_point deadline;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (session.isServer && !connection->greeted) {
            deadline = connection->openedAt + timeouts.greeting;
            if (now >= deadline) {
                connection->dropReason = DropReason::NoGreeting;
                lose(*connection);
                return;
            }
        } else if (session.isServer && !session.lobbyClosed) {
            deadline = connection->lastMessageAt + timeouts.lobbyIdle;
            if (now >= deadline) {
                connection->dropReason = DropReason::Idle;
                lose(*connection);
                return;
            }
        } else if (!session.isServer && !session.lobbyClosed && !session.room.asking()) {
            // (While a room is asked for, a greeting would be taken for a request.)
            deadline = connection->lastSentAt + timeouts.lobbyIdle / 2;
            if (now >= deadline) {
                connection->send(std::string(1, netproto::Hello) + std::string(netproto::Version));
                continue;
            }
        } else if (session.isServer &&
                   ((session.puttPending && connection->moving) || timeouts.gameIdle.count() > 0)) {
            // A game on a server: a stop report is due, or a host limits silence.
            const bool stopDue = session.puttPending && connection->moving;
            if (stopDue && now >= connection->movingSince + timeouts.stopReport) {
                session.takeAsStopped(*connection);
                continue;
            }
            const bool idleLimit = timeouts.gameIdle.count() > 0;
            if (idleLimit && now >= connection->lastMessageAt + timeouts.gameIdle) {
                connection->dropReason = DropReason::Idle;
                lose(*connection);
                return;
            }
            deadline = stopDue ? connection->movingSince + timeouts.stopReport
                               : connection->lastMessageAt + timeouts.gameIdle;
            if (stopDue && idleLimit) {
                deadline = std::min(deadline, connection->lastMessageAt + timeouts.gameIdle);
            }
        } else {
            // A game in progress: a player may think as long as they like.
            link->idleTimer.cancel();
            return;
        }
        break;
    }
    // A wait replaced here ends with operation_aborted; one that had already run out looks
    // at the limits again, which changes nothing.
    link->idleTimer.expires_at(deadline);
    link->idleTimer.async_wait([this, connection, p = pending()](const ErrorCode& error) {
        if (error != asio::error::operation_aborted) {
            Lock lock(mutex);
            keepLimits(connection);
        }
    });
}

void NetEngine::State::lose(Connection& connection) {
    if (session.isListed(connection)) {
        role().reportLoss(connection);
        session.connectionClosed(connection.id());
    }
}

std::shared_ptr<Connection> NetEngine::adopt(Socket& socket, PeerInfo who,
                                             std::string received, std::string_view first) {
    State& state = *state_;
    if (!socket.valid() ||
        static_cast<std::int32_t>(state.session.connections().size()) >= netproto::MaxClients) {
        return nullptr;
    }
    // The socket object moves to this game, and its handlers run on this game's strand from
    // now on. Both strands are on the pool's one I/O context, where the socket is registered,
    // so the operating system's handle stays where it is (Windows cannot move a socket to
    // another completion port everywhere).
    tcp::socket& taken = socket.impl()->socket;
    if (&asio::query(taken.get_executor(), asio::execution::context) !=
        &asio::query(state.io, asio::execution::context)) {
        return nullptr;
    }
    std::shared_ptr<Connection> connection = state.session.addConnection(
        Socket(std::make_unique<Socket::Impl>(std::move(taken), state.io)), std::move(who.address));
    socket = Socket();
    if (connection == nullptr) {
        return nullptr;
    }
    connection->peer = who.peer.empty() ? connection->peer : std::move(who.peer);
    connection->lease = std::move(who.lease);
    connection->webSocket = who.webSocket;
    connection->greetingSent = true;
    if (!first.empty()) {
        connection->send(first);
    }
    connection->status = ComputerStatus::Initializing;
    state.session.lobbyChanged();
    state.session.notify(NetConnectionAdded);
    asio::post(state.io, [&state, connection, received = std::move(received), p = state.pending()] {
        Lock lock(state.mutex);
        if (!state.session.isListed(*connection)) {
            return;
        }
        if (!connection->takeBytes(received)) {
            state.lose(*connection);
            return;
        }
        state.role().greet(*connection);
        state.keepLimits(connection);
        // What arrived with the request is handled before the socket is read.
        state.afterDelivery([&state, connection] { state.handleMessages(connection); });
    });
    return connection;
}

void NetEngine::timeoutsChanged() {
    State& state = *state_;
    asio::post(state.io, [&state, p = state.pending()] {
        Lock lock(state.mutex);
        // A copy: a limit that has run out takes its connection out of the list.
        const auto connections = state.session.connections();
        for (const auto& connection : connections) {
            state.keepLimits(connection);
        }
    });
}

}  // namespace trundlex
