#include "net/TcpListener.h"

#include <mutex>

#include "net/AsioSupport.h"

namespace trundlex {

using asio::ip::tcp;

namespace {
// Small on purpose: a caller that accepts one connection at a time has no use for a long
// queue, and a full queue lets tests make a connect hang.
constexpr int kBacklog = 5;
}  // namespace

struct TcpListener::State {
    asio::io_context io;
    tcp::acceptor acceptor{io};
    // Guards `stopped` and `accepting`, and with them who may close the acceptor: the thread
    // in accept() runs the I/O context, so stop() hands it the closing then.
    std::mutex mutex;
    bool stopped = false;
    bool accepting = false;
};

TcpListener::TcpListener() : state_(std::make_unique<State>()) {}
TcpListener::~TcpListener() = default;

bool TcpListener::open(const std::string& bindAddress, std::uint16_t port) {
    ErrorCode error;
    if (!openAcceptor(state_->acceptor, bindAddress, port, kBacklog, error)) {
        return false;
    }
    port_ = state_->acceptor.local_endpoint(error).port();
    return !error;
}

bool TcpListener::accept(Socket& connection, std::string& peerAddress) {
    State& state = *state_;
    auto impl = std::make_unique<Socket::Impl>();
    bool accepted = false;
    for (;;) {
        ErrorCode result;
        {
            std::lock_guard lock(state.mutex);
            if (state.stopped || !state.acceptor.is_open()) {
                return false;
            }
            state.accepting = true;
            state.acceptor.async_accept(*impl->ownIo,
                                        [&](const ErrorCode& error, tcp::socket peer) {
                                            result = error;
                                            if (!error) {
                                                impl->socket = std::move(peer);
                                            }
                                        });
        }
        state.io.restart();
        state.io.run();
        std::lock_guard lock(state.mutex);
        state.accepting = false;
        if (state.stopped) {
            ErrorCode ignored;
            state.acceptor.close(ignored);
            return false;
        }
        if (!result) {
            accepted = true;
            break;
        }
        // A connection that went away before it was taken: wait for the next one. Anything
        // else (out of descriptors, say) ends the listening.
        if (result != asio::error::connection_aborted && result != asio::error::try_again &&
            result != asio::error::interrupted) {
            return false;
        }
    }
    ErrorCode error;
    const tcp::endpoint peer = impl->socket.remote_endpoint(error);
    peerAddress = error ? std::string() : addressText(peer.address());
    impl->socket.set_option(tcp::no_delay(true), error);
    connection = Socket(std::move(impl));
    return accepted;
}

void TcpListener::stop() {
    State& state = *state_;
    std::lock_guard lock(state.mutex);
    if (state.stopped) {
        return;
    }
    state.stopped = true;
    if (state.accepting) {
        refuseConnections(state.acceptor);
        asio::post(state.io, [&state] {
            ErrorCode ignored;
            state.acceptor.close(ignored);
        });
    } else {
        ErrorCode ignored;
        state.acceptor.close(ignored);
    }
}

}  // namespace trundlex
