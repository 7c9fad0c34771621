#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "net/NetEngine.h"
#include "net/NetListener.h"
#include "net/NetLobby.h"
#include "net/RoomProtocol.h"
#include "net/Socket.h"

namespace trundlex {

class NetPool;

// A client at a room host's door that has said what it wants: its "W" request, or, for a
// client of an earlier version (whose first message is not "W"), an Invalid request with
// `classic` set.
struct RoomArrival {
    roomproto::Request request;
    bool classic = false;
    // The body of a "W" message that is no request (kept for the refusal's text).
    std::string body;
    std::string address;
    // Address and port, for the host's log.
    std::string peer;
    // The address's place for this connection (AddressLimits), held while it is open.
    std::shared_ptr<void> lease;
    // It is the game side of a browser's WebSocket (Host::bridged named its browser).
    bool webSocket = false;
    // The connection; a room that takes the client takes it (NetGame::serveConnection).
    Socket socket;
    // What the client sent after its request (a classic client: everything it sent).
    std::string received;
};

// The door of a room host: listens, greets every connection with "H", answers "W?" with the
// courses (the connection stays open for the next request) and hands every other first
// message to the host, which puts the client into a room or turns it away. A connection that
// does not send its first message within the greeting limit, stays silent after a list
// longer than the lobby's idle limit, or is not in a room within DoorLimit in all, is
// closed, and so is one that asks for more than MaxLists lists. At most MaxWaiting
// connections wait at the door; more are closed at once. The host is asked whether the
// connection's address may have one more connection before it is greeted.
// Runs on a strand of the I/O pool.
class RoomGate {
public:
    static constexpr int MaxWaiting = 1024;
    // Course lists one connection may ask for.
    static constexpr int MaxLists = 16;
    // Most bytes a connection may send before its first request is complete.
    static constexpr std::size_t MaxRequestBytes = 64 * 1024;
    // The longest a connection may stay at the door, however often it asks for the list.
    static constexpr std::chrono::milliseconds DoorLimit{30000};

    // Why the door turned a connection away before it could ask for anything.
    enum class Refused : std::int32_t { DoorFull, TooManyConnections };

    // What the host decides; called on the pool's threads, one call at a time.
    class Host {
    public:
        virtual ~Host() = default;
        // The body of the answer to "W?".
        virtual std::string courseList() = 0;
        // Puts the client into a room (taking its socket), or returns what to tell it before
        // its connection closes: "W" and the body, or nothing at all when empty.
        virtual std::optional<std::string> enter(RoomArrival& arrival) = 0;
        // A connection at the door was closed for stalling.
        virtual void dropped(const std::string& peer, DropReason reason) = 0;
        // A place for one more connection from `address`, held while the connection is open;
        // null when the address may have no more.
        virtual std::shared_ptr<void> admit(const std::string& address) = 0;
        // A connection was turned away at once.
        virtual void refused(const std::string& peer, Refused why) = 0;
        // For a connection from this machine's loopback address: when it is the game side of
        // a WebSocket (HttpServer) that connected from `port`, the browser's address and
        // address:port, which stand for it from then on (each is asked for once).
        virtual std::optional<std::pair<std::string, std::string>> bridged(std::uint16_t port) {
            (void)port;
            return std::nullopt;
        }
    };

    RoomGate(NetPool& pool, Host& host, const NetTimeouts& timeouts,
             std::chrono::milliseconds doorLimit = DoorLimit);
    // Connections waiting at the door now.
    std::size_t waiting() const;
    // Stops listening and closes every connection still at the door; waits for the gate's
    // handlers (not on a pool thread).
    ~RoomGate();
    RoomGate(const RoomGate&) = delete;
    RoomGate& operator=(const RoomGate&) = delete;

    // Listens on `port` (0: any free one) at every address, both families where the machine
    // has them. The port listened on, or 0.
    std::uint16_t listen(std::uint16_t port);

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace trundlex
