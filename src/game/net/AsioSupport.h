#pragma once
// The network layer's own files include Boost.Asio through this header only, without the calls
// it has deprecated. Nothing outside src/game/net includes it, so the rest of the program never
// sees a socket or an operating system header.
#ifndef BOOST_ASIO_NO_DEPRECATED
#define BOOST_ASIO_NO_DEPRECATED
#endif
#include <boost/asio.hpp>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/Connection.h"
#include "net/NetPool.h"
#include "net/SendBudget.h"
#include "net/Socket.h"

namespace trundlex {

namespace asio = boost::asio;
using ErrorCode = boost::system::error_code;

// What a Socket holds: an Asio stream socket, with the I/O context of its own that its
// blocking calls run when it has one (a Socket made by Socket::connectTo or TcpListener), or
// bound to the game's I/O thread (a connection of a NetGame).
struct Socket::Impl {
    Impl() : ownIo(std::make_unique<asio::io_context>()), socket(*ownIo) {}
    // `where` (when given) is where the connection's handlers run instead of the socket's own
    // executor: a socket a room host's door accepted keeps the door's strand as its executor
    // when it moves to a room, and runs on the room's from then on.
    explicit Impl(asio::ip::tcp::socket connected, asio::any_io_executor where = {})
        : socket(std::move(connected)), where(std::move(where)) {}

    std::unique_ptr<asio::io_context> ownIo;
    asio::ip::tcp::socket socket;
    asio::any_io_executor where;
};

struct NetPool::Impl {
    asio::io_context io;
    asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(io);
    std::vector<std::thread> threads;
};

// A connection's socket and what works on it. Everything but the send queue belongs to the
// I/O thread; the queue is filled from any thread under `mutex`.
struct Connection::Link : Connection::Transport, std::enable_shared_from_this<Connection::Link> {
    Link(asio::ip::tcp::socket connected, const asio::any_io_executor& where)
        : socket(std::move(connected)),
          io(where ? where : socket.get_executor()),
          idleTimer(io),
          writeTimer(io) {}
    ~Link() override { unbudget(budgeted.load()); }

    // Queues the pieces and makes sure a write is under way. False when the link is broken
    // (or breaks now: too much waits).
    bool queue(std::vector<std::string> pieces) override;
    // Queues nothing more and closes the socket on the I/O thread once the queue is empty.
    void shutdown() override;
    // Closes the socket: the read pending ends with an error, writes stop (I/O thread).
    void close();
    // Closes the socket once what was queued has been written (I/O thread; `finishing` is
    // set already): a message sent just before a connection is ended still arrives.
    void finish();

    asio::ip::tcp::socket socket;
    // Where every handler of this link runs (bound explicitly: it need not be the socket's
    // own executor).
    asio::any_io_executor io;
    // The greeting, idle and keep-alive limits (NetEngine).
    asio::steady_timer idleTimer;
    std::array<char, 4096> readBuffer{};

    std::mutex mutex;
    std::vector<std::string> queued;
    std::size_t queuedBytes = 0;
    bool writing = false;
    // Nothing more is written: the link has failed or was closed.
    bool broken = false;
    // Nothing more is queued; the socket closes when the queue is empty.
    bool finishing = false;

    // The host's budget of bytes waiting, and what this link counts in it (queued and in
    // flight); none outside a host that sets one.
    std::shared_ptr<SendBudget> budget;
    std::atomic<std::size_t> budgeted{0};
    // The budget has chosen this link to close.
    std::atomic<bool> shedding{false};
    // Takes `bytes` out of the budget's count (I/O thread, or under `mutex`).
    void unbudget(std::size_t bytes);
    bool isBroken() {
        std::lock_guard lock(mutex);
        return broken;
    }

private:
    void writeNext();

    // A write that the peer does not take within Connection::SendTimeout breaks the link.
    asio::steady_timer writeTimer;
    std::vector<std::string> inFlight;
    std::uint64_t writeRound = 0;
};

// Counts the tasks and handlers of a game (or a room host's door) that are waiting or running on
// a pool, so that it can wait for the last one before it goes. Each is given a Pending to hold.
struct PendingCount {
    std::mutex mutex;
    std::condition_variable none;
    int count = 0;

    void waitForNone() {
        std::unique_lock lock(mutex);
        none.wait(lock, [this] { return count == 0; });
    }
};

class Pending {
public:
    explicit Pending(PendingCount& owner) : owner_(&owner) { change(1); }
    Pending(const Pending& other) : owner_(other.owner_) { change(1); }
    Pending& operator=(const Pending&) = delete;
    ~Pending() { change(-1); }

private:
    void change(int by) {
        std::lock_guard lock(owner_->mutex);
        owner_->count += by;
        if (owner_->count == 0) {
            owner_->none.notify_all();
        }
    }
    PendingCount* owner_;
};

// Ends a connection's socket from its own thread: its pending read and write end with an error,
// the peer sees the end, and the descriptor is closed. (Cancelling comes first: under Wine a
// read stays pending on a socket closed while a write to it is stuck, and the connection would
// never be reported lost.)
void endSocket(asio::ip::tcp::socket& socket);

// The address of an endpoint as people write it: dotted decimal for IPv4 (also for an IPv4
// peer reaching a dual-stack listener), the usual colon form for IPv6.
std::string addressText(const asio::ip::address& address);
// The address and port of a peer for a log: "192.0.2.7:50000", "[2001:db8::7]:50000".
std::string endpointText(const asio::ip::tcp::endpoint& endpoint);
// Sets up a connection's socket for play: no Nagle delay (a putt goes out at once) and TCP
// keep-alive, so that a peer that vanished without closing (a laptop closed, a route lost)
// is found out by the operating system even while nobody sends.
void tuneSocket(asio::ip::tcp::socket& socket);

// Makes a listening socket refuse connections at once, from any thread, and wakes a pending
// accept (with an error). Asio would only do this on the socket's own thread, later; a game
// that has started must not let anybody in meanwhile. The socket stays open (the caller
// closes it on its own thread), so its descriptor is never handed to another socket.
void refuseConnections(asio::ip::tcp::acceptor& acceptor);

// Opens, binds and listens. An empty `bindAddress` listens on every address of both families
// on one IPv6 socket (IPv4 peers arrive as mapped addresses), or on IPv4 alone when the
// machine has no IPv6; otherwise it is a numeric address. A server started again right after
// a game does not wait for the old connections to age.
bool openAcceptor(asio::ip::tcp::acceptor& acceptor, const std::string& bindAddress,
                  std::uint16_t port, int backlog, ErrorCode& error);

}  // namespace trundlex
