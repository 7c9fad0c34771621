#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/MessageFramer.h"
#include "net/NetListener.h"
#include "net/NetLobby.h"
#include "net/Socket.h"

namespace trundlex {

// One open TCP connection of a network game and what this computer knows about the computer
// at its other end. On a server there is one per client; a client has one, to its server.
//
// The flags and texts are guarded by NetGame's lock. The socket may be read by the
// connection's receiving thread while another thread sends under the lock.
class Connection {
public:
    // How long a peer may leave sent bytes untaken before it counts as gone.
    static constexpr std::chrono::milliseconds SendTimeout{5000};

    // `id` is the value the players of the peer carry as their connection (never
    // Player::LocalConnection). `address` is the peer's dotted decimal address on a server,
    // empty on a client.
    Connection(std::int32_t id, Socket socket, std::string address);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    std::int32_t id() const { return id_; }
    const std::string& address() const { return address_; }

    // Frames `message` (letter and body), sends it in pieces of netproto::PieceSize bytes and
    // completes partial sends. A message that holds a 0x07 byte is refused (it would end
    // early on the other side). A failed or stalled send shuts the connection down, so its
    // receiving thread sees it end and handles it as a disconnection; later sends do nothing.
    // False when nothing or only part was sent.
    bool send(std::string_view message);
    // Ends the connection; the receiving thread's receive() returns 0.
    void shutdown();

    // Receives bytes into the framer (receiving thread only). False when the peer closed the
    // connection, it was shut down, or the peer sent too much without a terminator.
    bool receiveMore();
    // Waits at most `timeout` for receiveMore() to have something (receiving thread only).
    bool waitReadable(std::chrono::milliseconds timeout) const {
        return socket_.waitReadable(timeout);
    }
    // The oldest complete message received (receiving thread only).
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
    // When the connection was opened and when its last complete message arrived.
    std::chrono::steady_clock::time_point openedAt = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastMessageAt = openedAt;
    // When this computer last sent the peer a message.
    std::chrono::steady_clock::time_point lastSentAt = openedAt;
    // Set when this computer closes the connection because the peer stalled.
    DropReason dropReason = DropReason::None;

private:
    std::int32_t id_;
    Socket socket_;
    std::string address_;
    MessageFramer framer_;
    bool broken_ = false;
};

}  // namespace trundlex
