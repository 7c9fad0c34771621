#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "net/MessageFramer.h"
#include "net/NetListener.h"
#include "net/NetLobby.h"
#include "net/Socket.h"

namespace trundlex {

class SendBudget;

// One open connection of a network game and what this computer knows about the computer at
// its other end. On a server there is one per client; a client has one, to its server.
//
// The flags and texts are guarded by NetGame's lock. A connection over a socket of the game's
// own is read and written on the game's I/O thread only (NetEngine); send() and shutdown()
// hand their work to it. A connection that the program hosting the game carries (a browser
// page's WebSocket, see CarriedEngine) hands its bytes to that program.
class Connection {
public:
    // How long a peer may leave sent bytes untaken before it counts as gone.
    static constexpr std::chrono::milliseconds SendTimeout{5000};
    // The most bytes that may wait to be sent: a peer that reads slower than the game sends
    // counts as gone then, instead of making this computer hold more and more.
    static constexpr std::size_t MaxQueuedBytes = std::size_t{64} << 20;

    // What carries the bytes out: the game's own socket (Link), or a connection another
    // program carries. Its calls may come from any thread.
    class Transport {
    public:
        virtual ~Transport() = default;
        // Takes the pieces of one framed message to send after what went before; false when
        // nothing can be sent any more (the connection failed or is ending).
        virtual bool queue(std::vector<std::string> pieces) = 0;
        // Nothing more is taken; what was taken still goes out, then the connection closes
        // and its reading sees the end.
        virtual void shutdown() = 0;
    };
    // The socket, its timers and what waits to be sent (AsioSupport.h).
    struct Link;

    // `id` is the value the players of the peer carry as their connection (never
    // Player::LocalConnection). `address` is the peer's numeric address on a server, empty
    // on a client. `socket` is one of the game's I/O thread; without one (an empty Socket)
    // nothing can be sent.
    Connection(std::int32_t id, Socket socket, std::string address);
    // A connection whose bytes `transport` carries (null: nothing can be sent).
    Connection(std::int32_t id, std::shared_ptr<Transport> transport, std::string address);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    std::int32_t id() const { return id_; }
    const std::string& address() const { return address_; }

    // Frames `message` (letter and body) into pieces of netproto::PieceSize bytes and queues
    // them for the I/O thread, which completes partial sends. Safe from any thread; messages
    // leave in the order they were queued. A message that holds a 0x07 byte is refused (it
    // would end early on the other side). A failed or stalled send (SendTimeout), or more
    // than MaxQueuedBytes waiting, closes the connection, so its reading sees it end and
    // handles it as a disconnection; later sends do nothing. False when nothing was queued.
    bool send(std::string_view message);
    // Counts what waits to be sent in a host's budget from now on (before anything is sent).
    void useBudget(const std::shared_ptr<SendBudget>& budget);
    // Ends the connection: nothing more is sent from now on; what was sent before still goes
    // out, then the socket closes (on the I/O thread, soon) and its pending read ends.
    void shutdown();

    // I/O thread only: the socket and timers; null for a connection another program carries.
    Link* link() const { return link_.get(); }
    // I/O thread only: takes received bytes into the framer (and notes when, receivedAt).
    // False when the peer sent too much without a terminator.
    bool takeBytes(std::string_view bytes) {
        receivedAt = std::chrono::steady_clock::now();
        return framer_.append(bytes);
    }
    // The oldest complete message received (I/O thread only).
    bool nextMessage(NetMessage& message) { return framer_.next(message); }

    // The peer's ball of the current putt is still rolling.
    bool moving = false;
    // The peer holds every level of the game (server side); on a client, set when the start
    // handshake begins.
    bool ready = false;
    // The peer has confirmed the start of the game.
    bool started = false;
    // What the server's lobby shows for this client.
    ComputerStatus status = ComputerStatus::None;
    std::string statusLevelName;
    // Server side: the peer has sent this program's version.
    bool greeted = false;
    // Server side: the peer came back to its seat in a running game and has not been brought
    // up to the game's state yet; play messages mean nothing to it until then, and nobody
    // waits for it. `catchUpDue` once it holds every level: the catch-up follows as soon as
    // no putt is rolling.
    bool rejoining = false;
    bool catchUpDue = false;
    // Server side: this program's version went out before the game took the connection (a
    // room host greets before it knows the room).
    bool greetingSent = false;
    // When the connection was opened and when its last complete message arrived.
    std::chrono::steady_clock::time_point openedAt = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastMessageAt = openedAt;
    // When this computer last sent the peer a message.
    std::chrono::steady_clock::time_point lastSentAt = openedAt;
    // Set when this computer closes the connection because the peer stalled.
    DropReason dropReason = DropReason::None;
    // The peer's address and port ("192.0.2.7:50000", "[2001:db8::7]:50000") for a host's
    // log; the address alone where the port is unknown.
    std::string peer;
    // Whatever the program holds for this connection while it is open (a room host's place
    // for the peer's address): released when the connection goes.
    std::shared_ptr<void> lease;
    // Server side: the peer reaches this computer through a WebSocket (a room host's web
    // side carries it to the game's port), not over TCP of its own.
    bool webSocket = false;
    // I/O thread only (takeBytes): when the bytes that completed the messages now being
    // handled were read, since the next read waits until those are handled; a relay's time
    // counts from then.
    std::chrono::steady_clock::time_point receivedAt{};
    // Server side: when the putt the turn gate holds for this peer was read.
    std::chrono::steady_clock::time_point heldPuttReceivedAt{};
    // Server side: the level IDs this peer has been sent in the current lobby. A level goes
    // to a peer once, so a stream of requests cannot make the server send more than the
    // course holds.
    std::set<std::string, std::less<>> levelsSent;
    // Server side: when an unrecognised message from this peer was last written to the log.
    std::chrono::steady_clock::time_point unknownLoggedAt{};
    // Server side: when an aim of this peer was last relayed.
    std::chrono::steady_clock::time_point aimRelayedAt{};
    // Server side: when the peer's ball of the current putt started rolling.
    std::chrono::steady_clock::time_point movingSince{};

private:
    std::int32_t id_;
    std::shared_ptr<Link> link_;
    // The link, or what another program carries.
    std::shared_ptr<Transport> transport_;
    std::string address_;
    MessageFramer framer_;
};

}  // namespace trundlex
