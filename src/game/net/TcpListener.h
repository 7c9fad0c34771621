#pragma once

#include <cstdint>
#include <string>

#include "net/Socket.h"

namespace trundlex {

// A listening IPv4 TCP socket whose waiting thread can be woken: stop() ends the listening at
// once (nobody can connect any more, a connect is refused) and makes a thread blocked in
// accept() return. Closing a listening socket from another thread would not wake it.
class TcpListener {
public:
    TcpListener() = default;
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // Binds to `bindAddress` (dotted decimal; empty for every local address) and `port` (0
    // lets the system choose) and listens with a backlog of 5. False when the address is
    // not valid or the socket cannot be created, bound or put to listen.
    bool open(const std::string& bindAddress, std::uint16_t port);
    // The port listened on (the chosen one when opened with 0); 0 when not open.
    std::uint16_t port() const { return port_; }

    // Waits for the next connection. True with the connected socket and the peer's address
    // in dotted decimal form; false when stop() was called or accepting failed for good.
    bool accept(Socket& connection, std::string& peerAddress);
    // Stops listening and wakes accept(). Safe from any thread, any number of times.
    void stop();

private:
    Socket socket_;
    WakePipe wake_;
    std::uint16_t port_ = 0;
};

}  // namespace trundlex
