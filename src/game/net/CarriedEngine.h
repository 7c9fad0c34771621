#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "net/NetEngine.h"

namespace trundlex {

class Connection;
class NetNotifier;
class NetRole;
class NetSession;

// A connection that the program hosting the game opens and carries for it: a browser page's
// WebSocket to a room host, which the page opens, reads and writes itself. The game asks for
// it and hands it its bytes; the program tells the game what happened (CarriedEngine).
// Called under NetGame's lock, so it must not call back into the game: it only takes note.
class NetCarrier {
public:
    virtual ~NetCarrier() = default;
    // Open the game's connection to `host`:`port` (a page may go to its own host instead,
    // which carries the game for it).
    virtual void open(const std::string& host, std::uint16_t port) = 0;
    // Send these bytes, after those sent before.
    virtual void send(std::string_view bytes) = 0;
    // Close the connection once what was sent has gone.
    virtual void close() = 0;
};

// A NetGame's client side over a NetCarrier, on the thread of whoever drives it (a page has
// one thread for everything): no thread and no socket of its own. The program reports what
// happens on its connection (opened, received, closed) and calls poll() now and then for the
// timers (the connect timeout, the lobby's repeated greeting); every call takes NetGame's lock
// for its work and delivers the events it posted afterwards, without the lock, through
// `deliver` (the notifier's caller delivery), one message's events before the next message
// is looked at, as the I/O thread of NetEngine does. Client only: listen and adopt refuse.
class CarriedEngine : public NetDriver {
public:
    using Clock = std::chrono::steady_clock;

    CarriedEngine(std::recursive_mutex& mutex, NetSession& session,
                  std::function<NetRole&()> role, const NetTimeouts& timeouts, NetCarrier& carrier,
                  std::function<void()> deliver);
    ~CarriedEngine() override;
    CarriedEngine(const CarriedEngine&) = delete;
    CarriedEngine& operator=(const CarriedEngine&) = delete;

    std::uint16_t listen(const std::string& bindAddress, std::uint16_t port) override;
    void connect(const std::string& host, std::uint16_t port,
                 std::chrono::milliseconds timeout) override;
    void timeoutsChanged() override {}
    std::shared_ptr<Connection> adopt(Socket& socket, PeerInfo who, std::string received,
                                      std::string_view first) override;

    // The connection asked for is open.
    void opened();
    // Bytes arrived on it.
    void received(std::string_view bytes);
    // It has ended, or could not be opened.
    void closed();
    // Keeps the limits whose time has come by `now`.
    void poll(Clock::time_point now = Clock::now());
    // When poll() next has something to do; nullopt when nothing waits for a time.
    std::optional<Clock::time_point> nextDue() const;

    struct Attempt;

private:
    // Under the lock: the connection has ended or is given up; tells everybody once.
    void lose(Connection& connection);
    // Under the lock: the attempt to connect has failed.
    void failConnect();
    // Under the lock: sends what the connection's limits ask for by `now`.
    void keepLimits(Connection& connection, Clock::time_point now);
    // Handles one complete message of the connection, if one is there: false when none was.
    bool handleOneMessage();

    std::recursive_mutex& mutex_;
    NetSession& session_;
    std::function<NetRole&()> role_;
    const NetTimeouts& timeouts_;
    NetCarrier& carrier_;
    std::function<void()> deliver_;
    // The attempt to connect under way (also the session's connector), and its deadline.
    std::shared_ptr<Attempt> attempt_;
    Clock::time_point connectDeadline_{};
    // The game's connection once open.
    std::shared_ptr<Connection> connection_;
};

}  // namespace trundlex
