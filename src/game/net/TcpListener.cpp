#include "net/TcpListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace trundlex {

bool TcpListener::open(const std::string& bindAddress, std::uint16_t port) {
    if (!wake_.valid()) {
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (bindAddress.empty()) {
        address.sin_addr.s_addr = htonl(INADDR_ANY);
    } else if (::inet_pton(AF_INET, bindAddress.c_str(), &address.sin_addr) != 1) {
        return false;
    }
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP));
    if (!socket.valid()) {
        return false;
    }
    // A server started again right after a game must not wait for old connections to age.
    const int reuse = 1;
    ::setsockopt(socket.fd(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    if (::bind(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket.fd(), 5) != 0) {
        return false;
    }
    socklen_t length = sizeof address;
    if (::getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return false;
    }
    port_ = ntohs(address.sin_port);
    socket_ = std::move(socket);
    return true;
}

bool TcpListener::accept(Socket& connection, std::string& peerAddress) {
    if (!socket_.valid()) {
        return false;
    }
    for (;;) {
        pollfd waits[2] = {{socket_.fd(), POLLIN, 0}, {wake_.readFd(), POLLIN, 0}};
        const int ready = ::poll(waits, 2, -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if ((waits[1].revents & POLLIN) != 0) {
            return false;
        }
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        const int fd =
            ::accept4(socket_.fd(), reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
        if (fd < 0) {
            // A connection that went away before it was taken: wait for the next one.
            // Anything else (shut down, out of descriptors) ends the listening.
            if (errno == EINTR || errno == ECONNABORTED || errno == EAGAIN || errno == EPROTO) {
                continue;
            }
            return false;
        }
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
        peerAddress = text;
        sendImmediately(fd);
        connection = Socket(fd);
        return true;
    }
}

void TcpListener::stop() {
    // The descriptor stays open (closed with the object), so a thread still in accept()
    // never works on a number handed to another socket; shut down, it refuses connections.
    socket_.shutdownBoth();
    wake_.wake();
}

}  // namespace trundlex
