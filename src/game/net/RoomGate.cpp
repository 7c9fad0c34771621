#include "net/RoomGate.h"

#include <atomic>
#include <deque>
#include <set>

#include "net/AsioSupport.h"
#include "net/MessageFramer.h"
#include "net/NetProtocol.h"

namespace trundlex {

using asio::ip::tcp;

namespace {

constexpr int kBacklog = 128;

// One connection at the door, until it has said what it wants.
struct Visitor {
    explicit Visitor(tcp::socket s) : socket(std::move(s)), timer(socket.get_executor()) {}
    tcp::socket socket;
    asio::steady_timer timer;
    std::array<char, 4096> buffer{};
    std::string address;
    std::string peer;
    std::shared_ptr<void> lease;
    bool webSocket = false;
    // Arriving here: the connection is closed when it is not in a room by then.
    std::chrono::steady_clock::time_point leaveBy;
    std::string received;
    std::deque<std::string> out;
    bool writing = false;
    int lists = 0;
    // What to do once everything queued has been written.
    bool closeWhenWritten = false;
    std::optional<RoomArrival> handOver;
    bool listed = true;
};

std::string framed(std::string_view message) {
    std::string bytes;
    for (const std::string& piece : MessageFramer::frame(message, netproto::PieceSize)) {
        bytes += piece;
    }
    return bytes;
}

}  // namespace

struct RoomGate::State {
    State(NetPool& pool, Host& h, const NetTimeouts& t, std::chrono::milliseconds door)
        : host(h),
          timeouts(t),
          doorLimit(door),
          io(asio::make_strand(pool.impl().io)),
          acceptor(io),
          pause(io) {}

    Pending pending() { return Pending(pendingCount); }
    void acceptNext();
    void read(const std::shared_ptr<Visitor>& visitor);
    // Handles the complete messages received; reads on when none is left.
    void take(const std::shared_ptr<Visitor>& visitor);
    void write(const std::shared_ptr<Visitor>& visitor, std::string_view message);
    void writeNext(const std::shared_ptr<Visitor>& visitor);
    void wait(const std::shared_ptr<Visitor>& visitor, std::chrono::milliseconds limit,
              DropReason reason);
    void enter(const std::shared_ptr<Visitor>& visitor);
    void close(const std::shared_ptr<Visitor>& visitor);

    Host& host;
    const NetTimeouts timeouts;
    const std::chrono::milliseconds doorLimit;
    PendingCount pendingCount;
    // The size of `waiting`, for other threads.
    std::atomic<std::size_t> waitingCount{0};
    asio::any_io_executor io;
    tcp::acceptor acceptor;
    asio::steady_timer pause;
    std::set<std::shared_ptr<Visitor>> waiting;
};

RoomGate::RoomGate(NetPool& pool, Host& host, const NetTimeouts& timeouts,
                   std::chrono::milliseconds doorLimit)
    : state_(std::make_shared<State>(pool, host, timeouts, doorLimit)) {}

std::size_t RoomGate::waiting() const {
    return state_->waitingCount.load();
}

RoomGate::~RoomGate() {
    State& state = *state_;
    asio::post(state.io, [&state, p = state.pending()] {
        ErrorCode ignored;
        state.acceptor.close(ignored);
        state.pause.cancel();
        const auto visitors = state.waiting;
        for (const auto& visitor : visitors) {
            state.close(visitor);
        }
    });
    state.pendingCount.waitForNone();
}

std::uint16_t RoomGate::listen(std::uint16_t port) {
    State& state = *state_;
    ErrorCode error;
    if (!openAcceptor(state.acceptor, {}, port, kBacklog, error)) {
        return 0;
    }
    const std::uint16_t chosen = state.acceptor.local_endpoint(error).port();
    if (error) {
        return 0;
    }
    asio::post(state.io, [&state, p = state.pending()] { state.acceptNext(); });
    return chosen;
}

void RoomGate::State::acceptNext() {
    acceptor.async_accept([this, p = pending()](const ErrorCode& error, tcp::socket socket) {
        if (error) {
            // Out of descriptors, say: accepting again at once would fail again at once.
            if (acceptor.is_open()) {
                pause.expires_after(std::chrono::milliseconds(100));
                pause.async_wait([this, p = pending()](const ErrorCode& stopped) {
                    if (!stopped && acceptor.is_open()) {
                        acceptNext();
                    }
                });
            }
            return;
        }
        ErrorCode ignored;
        const tcp::endpoint remote = socket.remote_endpoint(ignored);
        if (static_cast<int>(waiting.size()) >= MaxWaiting) {
            // The socket closes here: too many wait at the door already.
            host.refused(endpointText(remote), Refused::DoorFull);
            acceptNext();
            return;
        }
        tuneSocket(socket);
        auto visitor = std::make_shared<Visitor>(std::move(socket));
        visitor->address = addressText(remote.address());
        visitor->peer = endpointText(remote);
        if (visitor->address == "127.0.0.1" || visitor->address == "::1") {
            if (auto browser = host.bridged(remote.port())) {
                visitor->address = std::move(browser->first);
                visitor->peer = std::move(browser->second);
                visitor->webSocket = true;
            }
        }
        visitor->leaveBy = std::chrono::steady_clock::now() + doorLimit;
        visitor->lease = host.admit(visitor->address);
        waiting.insert(visitor);
        waitingCount = waiting.size();
        if (visitor->lease == nullptr) {
            // One address may not hold every place of the door (or of the rooms).
            host.refused(visitor->peer, Refused::TooManyConnections);
            visitor->closeWhenWritten = true;
            write(visitor, std::string(1, netproto::Hello) + std::string(netproto::Version));
            write(visitor, std::string(1, roomproto::Letter) +
                               roomproto::encodeRefusal(roomproto::Refusal::TooManyConnections, {}));
            acceptNext();
            return;
        }
        write(visitor, std::string(1, netproto::Hello) + std::string(netproto::Version));
        wait(visitor, timeouts.greeting, DropReason::NoGreeting);
        read(visitor);
        acceptNext();
    });
}

void RoomGate::State::read(const std::shared_ptr<Visitor>& visitor) {
    visitor->socket.async_read_some(
        asio::buffer(visitor->buffer),
        [this, visitor, p = pending()](const ErrorCode& error, std::size_t size) {
            if (error || !visitor->listed) {
                close(visitor);
                return;
            }
            visitor->received.append(visitor->buffer.data(), size);
            take(visitor);
        });
}

void RoomGate::State::take(const std::shared_ptr<Visitor>& visitor) {
    for (;;) {
        const std::size_t end = visitor->received.find(netproto::Terminator);
        if (end == std::string::npos) {
            if (visitor->received.size() > MaxRequestBytes) {
                close(visitor);
            } else {
                read(visitor);
            }
            return;
        }
        const std::string message = visitor->received.substr(0, end);
        RoomArrival arrival;
        arrival.address = visitor->address;
        arrival.peer = visitor->peer;
        arrival.lease = visitor->lease;
        arrival.webSocket = visitor->webSocket;
        if (message.empty() || message.front() != roomproto::Letter) {
            arrival.classic = true;
            arrival.received = std::move(visitor->received);
        } else {
            arrival.body = message.substr(1);
            arrival.request = roomproto::Request::parse(arrival.body);
            arrival.received = visitor->received.substr(end + netproto::Terminator.size());
            if (arrival.request.kind == roomproto::Request::Kind::List) {
                if (++visitor->lists > MaxLists) {
                    // Asking again and again (without reading, perhaps) is no client.
                    close(visitor);
                    return;
                }
                write(visitor, std::string(1, roomproto::Letter) + host.courseList());
                visitor->received = std::move(arrival.received);
                wait(visitor, timeouts.lobbyIdle, DropReason::Idle);
                continue;
            }
        }
        visitor->received.clear();
        visitor->timer.cancel();
        visitor->handOver = std::move(arrival);
        if (!visitor->writing) {
            enter(visitor);
        }
        return;
    }
}

void RoomGate::State::enter(const std::shared_ptr<Visitor>& visitor) {
    RoomArrival arrival = std::move(*visitor->handOver);
    visitor->handOver.reset();
    waiting.erase(visitor);
    waitingCount = waiting.size();
    arrival.socket = Socket(std::make_unique<Socket::Impl>(std::move(visitor->socket)));
    const std::optional<std::string> refusal = host.enter(arrival);
    if (!refusal || !arrival.socket.valid()) {
        // The room took the socket (and the address's place with it), or took it and then
        // failed it: nothing is left to close here.
        visitor->listed = false;
        visitor->lease.reset();
        return;
    }
    // Turned away: the socket comes back for the last word.
    visitor->socket = std::move(arrival.socket.impl()->socket);
    waiting.insert(visitor);
    waitingCount = waiting.size();
    visitor->closeWhenWritten = true;
    if (refusal->empty()) {
        close(visitor);
    } else {
        write(visitor, std::string(1, roomproto::Letter) + *refusal);
    }
}

void RoomGate::State::write(const std::shared_ptr<Visitor>& visitor, std::string_view message) {
    visitor->out.push_back(framed(message));
    if (!visitor->writing) {
        writeNext(visitor);
    }
}

void RoomGate::State::writeNext(const std::shared_ptr<Visitor>& visitor) {
    if (visitor->out.empty()) {
        visitor->writing = false;
        if (visitor->handOver) {
            enter(visitor);
        } else if (visitor->closeWhenWritten) {
            close(visitor);
        }
        return;
    }
    visitor->writing = true;
    asio::async_write(visitor->socket, asio::buffer(visitor->out.front()),
                      [this, visitor, p = pending()](const ErrorCode& error, std::size_t) {
                          visitor->out.pop_front();
                          if (error) {
                              close(visitor);
                              return;
                          }
                          writeNext(visitor);
                      });
}

void RoomGate::State::wait(const std::shared_ptr<Visitor>& visitor, std::chrono::milliseconds limit,
                           DropReason reason) {
    // Asking for the list again re-arms the wait, but never past the door's limit in all.
    const auto now = std::chrono::steady_clock::now();
    if (now + limit > visitor->leaveBy) {
        limit = std::chrono::duration_cast<std::chrono::milliseconds>(visitor->leaveBy - now);
        reason = DropReason::Idle;
    }
    visitor->timer.expires_after(limit);
    visitor->timer.async_wait(
        [this, visitor, reason, p = pending()](const ErrorCode& error) {
            if (!error && visitor->listed && !visitor->handOver) {
                host.dropped(visitor->peer, reason);
                close(visitor);
            }
        });
}

void RoomGate::State::close(const std::shared_ptr<Visitor>& visitor) {
    if (!visitor->listed) {
        return;
    }
    visitor->listed = false;
    waiting.erase(visitor);
    waitingCount = waiting.size();
    visitor->timer.cancel();
    endSocket(visitor->socket);
    // The address's place goes with the socket (unless a room holds it now).
    visitor->lease.reset();
}

}  // namespace trundlex
