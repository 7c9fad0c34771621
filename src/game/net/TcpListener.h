#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "net/Socket.h"

namespace trundlex {

// A listening TCP socket with a blocking accept that stop() ends from another thread: the
// listening ends at once (a connect is refused from then on) and a thread waiting in
// accept() returns. For code that accepts one call at a time (tests, tools); a NetGame
// accepts on its I/O thread.
class TcpListener {
public:
    TcpListener();
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // Binds to `bindAddress` (a numeric IPv4 or IPv6 address; empty for every local address
    // of both families, or of IPv4 alone where IPv6 is missing) and `port` (0 lets the system
    // choose) and listens. False when the address is not valid or the socket cannot be
    // created, bound or put to listen.
    bool open(const std::string& bindAddress, std::uint16_t port);
    // The port listened on (the chosen one when opened with 0); 0 when not open.
    std::uint16_t port() const { return port_; }

    // Waits for the next connection. True with the connected socket and the peer's address
    // in numeric form; false when stop() was called or accepting failed for good.
    bool accept(Socket& connection, std::string& peerAddress);
    // Stops listening and wakes accept(). Safe from any thread, any number of times.
    void stop();

private:
    struct State;
    std::unique_ptr<State> state_;
    std::uint16_t port_ = 0;
};

}  // namespace trundlex
