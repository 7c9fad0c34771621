#include "RoomAttack.h"

#include <deque>
#include <functional>
#include <random>

#include "net/NetProtocol.h"
#include "net/RoomProtocol.h"

namespace trundlex::bench {

namespace {

// A connection from a chosen local address that calls `onMessage` for each message until
// `reading` is cleared; sends queue and go out in order.
struct Peer : std::enable_shared_from_this<Peer> {
    Peer(asio::io_context& io, std::function<void(Peer&, const std::string&)> handler)
        : socket(io), onMessage(std::move(handler)) {}

    void connect(const tcp::endpoint& host, const std::string& from, std::string first) {
        ErrorCode error;
        socket.open(tcp::v4(), error);
        socket.bind(tcp::endpoint(asio::ip::make_address(from), 0), error);
        socket.async_connect(host, [self = shared_from_this(), first](const ErrorCode& e) {
            if (e) {
                self->closed = true;
                return;
            }
            if (!first.empty()) {
                self->send(first);
            }
            self->read();
        });
    }
    void send(std::string_view message) { sendRaw(std::string(message) + std::string(Terminator)); }
    void sendRaw(std::string bytes) {
        const bool idle = out.empty();
        out.push_back(std::move(bytes));
        if (idle) {
            writeNext();
        }
    }
    void writeNext() {
        asio::async_write(socket, asio::buffer(out.front()),
                          [self = shared_from_this()](const ErrorCode& error, std::size_t n) {
                              self->written += n;
                              self->out.pop_front();
                              if (!error && !self->out.empty()) {
                                  self->writeNext();
                              } else if (!error && self->onDrained) {
                                  self->onDrained();
                              }
                          });
    }
    void read() {
        socket.async_read_some(asio::buffer(buffer), [self = shared_from_this()](
                                                         const ErrorCode& error,
                                                         std::size_t n) {
            if (error) {
                self->closed = true;
                return;
            }
            takeMessages(self->received, self->buffer.data(), n,
                         [&](const std::string& message) { self->onMessage(*self, message); });
            if (self->reading) {
                self->read();
            }
        });
    }
    void close() {
        ErrorCode ignored;
        socket.close(ignored);
    }

    tcp::socket socket;
    std::function<void(Peer&, const std::string&)> onMessage;
    std::function<void()> onDrained;
    std::array<char, 8192> buffer{};
    std::string received;
    std::deque<std::string> out;
    std::size_t written = 0;
    bool reading = true;
    bool closed = false;
    // The host's answer to the room request has come.
    bool answered = false;
};

const std::string Hello = "H" + std::string(netproto::Version);

}  // namespace

struct RoomAttack::State {
    explicit State(std::uint16_t port)
        : host(asio::ip::make_address("127.0.0.1"), port), creations(io), guesses(io) {}

    void floodConnections();
    void createRooms();
    void guessCodes();
    void amplify();
    // One more of the amplification room's clients has the start; the last starts the flood.
    void startedOne();
    void measureOthers();
    std::shared_ptr<Peer> peer(std::function<void(Peer&, const std::string&)> handler) {
        auto p = std::make_shared<Peer>(io, std::move(handler));
        peers.push_back(p);
        return p;
    }

    asio::io_context io;
    tcp::endpoint host;
    asio::steady_timer creations;
    asio::steady_timer guesses;
    std::vector<std::shared_ptr<Peer>> peers;
    std::mt19937 random{11};
    std::atomic<bool> stopping{false};
    std::atomic<std::size_t> aimBytesSent{0};
    Report report;
    // The amplification room.
    int mates = 0;
    int started = 0;
    std::shared_ptr<Peer> amplifier;
    Clock::time_point othersFrom;
};

void RoomAttack::State::floodConnections() {
    for (int i = 0; i < 200; ++i) {
        peer([this](Peer& p, const std::string& message) {
            if (message.starts_with("W|")) {
                ++report.floodRefused;
                p.reading = false;
            }
        })->connect(host, "127.0.0.2", {});
    }
}

void RoomAttack::State::createRooms() {
    if (stopping) {
        return;
    }
    peer([this](Peer& p, const std::string& message) {
        if (message.starts_with("W|")) {
            ++report.roomsRefused;
            p.reading = false;
        } else if (isRoomAnswer(message)) {
            // Kept: a room alive holds one of the address's places.
            ++report.roomsCreated;
        }
    })->connect(host, "127.0.0.7", "W|");
    creations.expires_after(50ms);
    creations.async_wait([this](const ErrorCode& error) {
        if (!error) {
            createRooms();
        }
    });
}

void RoomAttack::State::guessCodes() {
    if (stopping) {
        return;
    }
    std::string code;
    for (std::size_t i = 0; i < roomproto::CodeLength; ++i) {
        code += roomproto::CodeAlphabet[random() % roomproto::CodeAlphabet.size()];
    }
    peer([this](Peer& p, const std::string& message) {
        if (message.starts_with("W|No room")) {
            ++report.codeChecks;
        } else if (message.starts_with("W|Too many attempts")) {
            ++report.guessesLockedOut;
        }
        if (message.starts_with("W")) {
            p.reading = false;
            p.close();
        }
    })->connect(host, "127.0.0.8", "W" + code + "|");
    guesses.expires_after(10ms);
    guesses.async_wait([this](const ErrorCode& error) {
        if (!error) {
            guessCodes();
        }
    });
}

void RoomAttack::State::startedOne() {
    if (++started < 16) {
        return;
    }
    // 64 MiB of well-formed aims, as fast as the socket takes them, in the creator's turn.
    std::string chunk;
    while (chunk.size() < 65536) {
        chunk += "A1.00" + std::string(Terminator);
    }
    amplifier->onDrained = [this, chunk] {
        report.aimBytes = static_cast<double>(amplifier->written);
        aimBytesSent = amplifier->written;
        if (!stopping && amplifier->written < (std::size_t{64} << 20)) {
            amplifier->sendRaw(chunk);
        }
    };
    amplifier->sendRaw(chunk);
}

void RoomAttack::State::amplify() {
    const auto mateHandler = [this](int index) {
        return [this, index](Peer& p, const std::string& message) {
            if (!p.answered && isRoomAnswer(message)) {
                p.answered = true;
                p.send("NMate" + std::to_string(index) + "|255|1|0|");
                p.send(Hello);
                p.send("R");
                if (++mates == 15) {
                    amplifier->send("Y");
                }
            } else if (message == "G") {
                p.send("D");
            } else if (message == "S") {
                // Fourteen never read again; the last counts what reaches it.
                p.reading = index == 14;
                startedOne();
            } else if (message.starts_with("A")) {
                ++report.aimsRelayed;
            }
        };
    };
    amplifier = peer([this, mateHandler](Peer& p, const std::string& message) {
        if (!p.answered && isRoomAnswer(message)) {
            p.answered = true;
            const std::string code = message.substr(1, roomproto::CodeLength);
            p.send("NAmp|255|1|0|");
            p.send(Hello);
            p.send("R");
            for (int i = 0; i < 15; ++i) {
                peer(mateHandler(i))->connect(host, "127.0.0.4", "W" + code + "|");
            }
        } else if (message == "G") {
            p.send("D");
        } else if (message == "S") {
            startedOne();
        }
    });
    amplifier->connect(host, "127.0.0.3", "W|");
}

void RoomAttack::State::measureOthers() {
    othersFrom = Clock::now();
    peer([this](Peer& creator, const std::string& message) {
        if (!isRoomAnswer(message)) {
            return;
        }
        creator.send("NOwn|255|1|0|");
        creator.send(Hello);
        const std::string code = message.substr(1, roomproto::CodeLength);
        peer([this](Peer& guest, const std::string& answer) {
            if (isRoomAnswer(answer)) {
                report.otherCreateJoinMs =
                    std::chrono::duration<double, std::milli>(Clock::now() - othersFrom).count();
                guest.reading = false;
            }
        })->connect(host, "127.0.0.6", "W" + code + "|");
    })->connect(host, "127.0.0.5", "W|");
}

RoomAttack::RoomAttack(std::uint16_t port) : state_(std::make_shared<State>(port)) {}

RoomAttack::~RoomAttack() {
    if (thread_.joinable()) {
        stop();
    }
}

void RoomAttack::start() {
    thread_ = std::thread([state = state_] {
        state->floodConnections();
        state->createRooms();
        state->guessCodes();
        state->amplify();
        // Once the flood holds its places, somebody else must still get in at once.
        asio::steady_timer later(state->io, 1s);
        later.async_wait([&state](const ErrorCode&) { state->measureOthers(); });
        while (!state->stopping) {
            state->io.run_for(100ms);
        }
        for (const auto& p : state->peers) {
            p->close();
        }
        state->creations.cancel();
        state->guesses.cancel();
        state->io.run_for(200ms);
    });
}

std::size_t RoomAttack::aimBytesSent() const {
    return state_->aimBytesSent;
}

RoomAttack::Report RoomAttack::stop() {
    state_->stopping = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    state_->report.floodKept = 200 - state_->report.floodRefused;
    return state_->report;
}

}  // namespace trundlex::bench
