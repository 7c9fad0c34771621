#include "net/CarriedEngine.h"

#include "net/Connection.h"
#include "net/NetProtocol.h"
#include "net/NetRole.h"
#include "net/NetSession.h"

namespace trundlex {

using Lock = std::unique_lock<std::recursive_mutex>;

namespace {

// The game's side of the carried connection: what it sends goes to the carrier as it is
// framed, and its end asks the carrier to close.
class CarriedLink : public Connection::Transport {
public:
    explicit CarriedLink(NetCarrier& carrier) : carrier_(carrier) {}

    bool queue(std::vector<std::string> pieces) override {
        std::lock_guard lock(mutex_);
        if (ended_) {
            return false;
        }
        for (const std::string& piece : pieces) {
            carrier_.send(piece);
        }
        return true;
    }
    void shutdown() override {
        std::lock_guard lock(mutex_);
        if (!ended_) {
            ended_ = true;
            carrier_.close();
        }
    }

private:
    std::mutex mutex_;
    NetCarrier& carrier_;
    bool ended_ = false;
};

}  // namespace

// The session's connector while the carrier opens the connection: cancelling it (the game
// ended meanwhile) asks the carrier to close whatever it is opening.
struct CarriedEngine::Attempt : NetConnector {
    explicit Attempt(NetCarrier& c) : carrier(c) {}
    void cancel() override { carrier.close(); }
    NetCarrier& carrier;
};

CarriedEngine::CarriedEngine(std::recursive_mutex& mutex, NetSession& session,
                             std::function<NetRole&()> role, const NetTimeouts& timeouts,
                             NetCarrier& carrier, std::function<void()> deliver)
    : mutex_(mutex),
      session_(session),
      role_(std::move(role)),
      timeouts_(timeouts),
      carrier_(carrier),
      deliver_(std::move(deliver)) {}

CarriedEngine::~CarriedEngine() = default;

std::uint16_t CarriedEngine::listen(const std::string&, std::uint16_t) {
    // Nobody can reach a page: it serves no game.
    return 0;
}

std::shared_ptr<Connection> CarriedEngine::adopt(Socket&, PeerInfo, std::string,
                                                 std::string_view) {
    return nullptr;
}

void CarriedEngine::connect(const std::string& host, std::uint16_t port,
                            std::chrono::milliseconds timeout) {
    // (Under the lock; the game has ended whatever went before.)
    connection_.reset();
    attempt_ = std::make_shared<Attempt>(carrier_);
    session_.connector = attempt_;
    connectDeadline_ = Clock::now() + timeout;
    carrier_.open(host, port);
}

void CarriedEngine::opened() {
    {
        Lock lock(mutex_);
        if (attempt_ == nullptr || session_.connector != attempt_) {
            // An attempt that the game has given up on meanwhile.
            attempt_.reset();
            return;
        }
        session_.connector.reset();
        attempt_.reset();
        connection_ = session_.addConnection(std::make_shared<CarriedLink>(carrier_), {});
        session_.notify(NetConnectionAdded);
        session_.lobbyStatus({LobbyText::ConnectionOpen, 0, {}, {}});
    }
    deliver_();
    {
        Lock lock(mutex_);
        if (connection_ != nullptr && session_.isListed(*connection_)) {
            role_().greet(*connection_);
        }
    }
    deliver_();
}

void CarriedEngine::received(std::string_view bytes) {
    {
        Lock lock(mutex_);
        if (connection_ == nullptr || !session_.isListed(*connection_)) {
            return;
        }
        if (!connection_->takeBytes(bytes)) {
            // The peer sent too much without a terminator.
            lose(*connection_);
        }
    }
    deliver_();
    while (handleOneMessage()) {
        deliver_();
    }
}

bool CarriedEngine::handleOneMessage() {
    Lock lock(mutex_);
    const std::shared_ptr<Connection> connection = connection_;
    if (connection == nullptr || !session_.isListed(*connection)) {
        return false;
    }
    NetMessage message;
    if (!connection->nextMessage(message)) {
        return false;
    }
    connection->lastMessageAt = Clock::now();
    if (role_().dispatch(*connection, message) == DispatchResult::Close) {
        // The rest of what arrived is dropped with the connection.
        lose(*connection);
    }
    return true;
}

void CarriedEngine::closed() {
    {
        Lock lock(mutex_);
        if (attempt_ != nullptr) {
            if (session_.connector == attempt_) {
                failConnect();
            } else {
                attempt_.reset();
            }
        } else if (connection_ != nullptr) {
            lose(*connection_);
            connection_.reset();
        }
    }
    deliver_();
}

void CarriedEngine::poll(Clock::time_point now) {
    {
        Lock lock(mutex_);
        if (attempt_ != nullptr && session_.connector == attempt_ && now >= connectDeadline_) {
            failConnect();
        }
        if (connection_ != nullptr && session_.isListed(*connection_)) {
            keepLimits(*connection_, now);
        }
    }
    deliver_();
}

std::optional<CarriedEngine::Clock::time_point> CarriedEngine::nextDue() const {
    Lock lock(mutex_);
    if (attempt_ != nullptr && session_.connector == attempt_) {
        return connectDeadline_;
    }
    if (connection_ != nullptr && session_.isListed(*connection_) && !session_.isServer &&
        !session_.lobbyClosed && !session_.room.asking()) {
        return connection_->lastSentAt + timeouts_.lobbyIdle / 2;
    }
    return std::nullopt;
}

void CarriedEngine::keepLimits(Connection& connection, Clock::time_point now) {
    // A client in the lobby says hello again at half the server's idle limit, so that waiting
    // for the start is not taken for stalling. (While a room is asked for, a greeting would be
    // taken for a request.) During a game a player may think as long as they like.
    if (!session_.isServer && !session_.lobbyClosed && !session_.room.asking() &&
        now >= connection.lastSentAt + timeouts_.lobbyIdle / 2) {
        connection.send(std::string(1, netproto::Hello) + std::string(netproto::Version));
    }
}

void CarriedEngine::failConnect() {
    session_.connector.reset();
    attempt_.reset();
    carrier_.close();
    session_.lobbyStatus({LobbyText::CouldntConnect, 0, {}, {}});
    session_.endGame();
}

void CarriedEngine::lose(Connection& connection) {
    if (session_.isListed(connection)) {
        role_().reportLoss(connection);
        session_.connectionClosed(connection.id());
    }
}

}  // namespace trundlex
