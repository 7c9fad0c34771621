#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace trundlex {

class Connection;
class NetNotifier;
class NetPool;
class Socket;
class NetRole;
class NetSession;

// How long a server lets a peer hold one of its few places without taking part. A client in
// the lobby repeats its greeting at half the idle time, so that waiting for the start is not
// taken for stalling (earlier versions ignore a repeated greeting).
struct NetTimeouts {
    // From the opening of a connection to the peer's version greeting.
    std::chrono::milliseconds greeting{10000};
    // In the lobby, from one complete message of the peer to the next.
    std::chrono::milliseconds lobbyIdle{120000};
    // On a server during a game, from one complete message of the peer to the next; zero for
    // no limit (a game program's server: friends may pause as long as they like).
    std::chrono::milliseconds gameIdle{0};
    // On a server, from a putt to a peer's report that its ball stopped: the longest roll at
    // the slowest speed a player can choose (100 time units of 2 s), and 10 s for the notes
    // shown meanwhile. A peer that has not reported by then is taken as stopped, so one
    // silent computer cannot hold up every other.
    std::chrono::milliseconds stopReport{210000};
};

// Who the peer of a connection that another part of the program accepted is.
struct PeerInfo {
    // The numeric address, as lobbies show it.
    std::string address;
    // Address and port, for a host's log.
    std::string peer;
    // Held while the connection is open (Connection::lease).
    std::shared_ptr<void> lease;
    // It came through a WebSocket (Connection::webSocket).
    bool webSocket = false;
};

// A server's listening socket; stop() (from any thread) ends the listening soon.
class NetAcceptor {
public:
    virtual ~NetAcceptor() = default;
    virtual void stop() = 0;
};

// A client's connect under way; cancel() (from any thread) ends it soon, without a word.
class NetConnector {
public:
    virtual ~NetConnector() = default;
    virtual void cancel() = 0;
};

// What moves a NetGame's bytes: its own sockets (NetEngine), or a connection that the program
// hosting the game carries (CarriedEngine). Called under NetGame's lock.
class NetDriver {
public:
    virtual ~NetDriver() = default;
    // Listens as a server (see NetEngine::listen); 0 where this driver cannot.
    virtual std::uint16_t listen(const std::string& bindAddress, std::uint16_t port) = 0;
    // Connects a client to `host`:`port`, giving up after `timeout`: the game's client
    // connection follows ("Connection open!"), or "Couldn't connect." and the game ends.
    virtual void connect(const std::string& host, std::uint16_t port,
                         std::chrono::milliseconds timeout) = 0;
    // The limits have changed: every connection follows them from now on.
    virtual void timeoutsChanged() = 0;
    // Takes a socket that a room host's door accepted (see NetEngine::adopt); null where this
    // driver cannot.
    virtual std::shared_ptr<Connection> adopt(Socket& socket, PeerInfo who, std::string received,
                                              std::string_view first) = 0;
};

// The network side of a NetGame: one I/O thread that accepts, connects, reads every
// connection, writes what the connections queue and keeps the greeting, idle and keep-alive
// limits with timers. It never waits: a connection whose message has posted events is not
// read on until the listeners have handled them (NetNotifier::whenDelivered), so a slow
// window slows that peer down instead of piling events up, and other peers go on meanwhile.
// It takes NetGame's lock (`mutex`) around everything it does with the session.
//
// Given a pool, it runs on the pool's threads instead of a thread of its own, its work in
// order on a strand of its own; destroying it then waits until none of its work is running or
// waiting any more (the session must have ended every connection and the listening first, and
// it must not be destroyed on a pool thread).
class NetEngine : public NetDriver {
public:
    // `role` answers the role of the current game (under the lock). `timeouts` is read under
    // the lock.
    NetEngine(std::recursive_mutex& mutex, NetSession& session, NetNotifier& notifier,
              std::function<NetRole&()> role, const NetTimeouts& timeouts,
              NetPool* pool = nullptr);
    // Stops the I/O thread. Connections the session still lists are not told anything.
    ~NetEngine() override;
    NetEngine(const NetEngine&) = delete;
    NetEngine& operator=(const NetEngine&) = delete;

    // Under the lock. Listens at `bindAddress` (numeric; empty: every address, IPv6 and IPv4
    // where the machine has both) and `port` (0: any free one), sets session.listener and
    // starts accepting. The port listened on, or 0 when the socket cannot listen.
    std::uint16_t listen(const std::string& bindAddress, std::uint16_t port) override;
    // Under the lock. Resolves `host`, tries each of its addresses in turn for at most
    // `timeout` and sets session.connector meanwhile; the game's client connection follows
    // ("Connection open!"), or "Couldn't connect." and the game ends.
    void connect(const std::string& host, std::uint16_t port,
                 std::chrono::milliseconds timeout) override;
    // How a client finds the numeric addresses of a host name: the system's lookup, unless
    // one is put in place here (tests put in a slow one; null gives the system's back). It
    // runs on a thread that nobody waits for: neither a cancelled connect nor the end of the
    // game waits for a lookup that hangs.
    using HostLookup = std::function<std::vector<std::string>(const std::string& host)>;
    static void setHostLookup(HostLookup lookup);
    // The limits have changed: every connection follows them from now on.
    void timeoutsChanged() override;
    // Under the lock, on a server: takes a connection that another part of the program has
    // accepted, greeted with "H" and read the first bytes of (a room host), as if it had been
    // accepted here. `first` (unless empty) goes out before anything else of this game;
    // `received` is read before the socket. The socket must have been opened on the pool this
    // engine runs on. Null (the socket left to the caller) when the session has
    // netproto::MaxClients connections already, or the socket is of another I/O context.
    std::shared_ptr<Connection> adopt(Socket& socket, PeerInfo who, std::string received,
                                      std::string_view first) override;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace trundlex
