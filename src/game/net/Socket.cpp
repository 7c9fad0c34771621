#include "net/Socket.h"

// The blocking calls wait on the descriptor with poll: an Asio object may not be used by two
// threads at once, and this class promises that a send and a receive may overlap.
#include "net/AsioSupport.h"  // first: on Windows it brings Winsock before anything else

#ifndef _WIN32
#include <poll.h>
#include <sys/socket.h>
#endif
#if defined(__linux__)
#include <netinet/in.h>
#include <netinet/tcp.h>
#endif

#include <algorithm>
#include <cerrno>
#include <utility>

namespace trundlex {

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::tcp;

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1'000'000));
}

// How often a blocking connect looks at its abort signal.
constexpr std::chrono::milliseconds kAbortCheck{20};

#ifdef _WIN32
// Winsock has the same calls under other names; nothing interrupts them, and a send cannot be
// made non-blocking by itself, so the socket is (and receive waits when nothing is there).
using pollfd = WSAPOLLFD;
int pollSockets(pollfd* fds, unsigned long count, int ms) {
    return ::WSAPoll(fds, count, ms);
}
bool interrupted() {
    return false;
}
bool wouldBlock() {
    return ::WSAGetLastError() == WSAEWOULDBLOCK;
}
constexpr int kShutdownBoth = SD_BOTH;
constexpr int kSendFlags = 0;
bool makeNonBlocking(int fd) {
    u_long on = 1;
    return ::ioctlsocket(static_cast<SOCKET>(fd), FIONBIO, &on) == 0;
}
#else
int pollSockets(pollfd* fds, nfds_t count, int ms) {
    return ::poll(fds, count, ms);
}
bool interrupted() {
    return errno == EINTR;
}
bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}
constexpr int kShutdownBoth = SHUT_RDWR;
constexpr int kSendFlags = MSG_NOSIGNAL | MSG_DONTWAIT;
bool makeNonBlocking(int) {
    return true;  // each send says so itself
}
#endif

}  // namespace

std::string addressText(const asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6()).to_string();
    }
    return address.to_string();
}

std::string endpointText(const tcp::endpoint& endpoint) {
    const std::string address = addressText(endpoint.address());
    const std::string port = std::to_string(endpoint.port());
    return address.find(':') == std::string::npos ? address + ":" + port
                                                  : "[" + address + "]:" + port;
}

void tuneSocket(tcp::socket& socket) {
    ErrorCode ignored;
    socket.set_option(tcp::no_delay(true), ignored);
    socket.set_option(asio::socket_base::keep_alive(true), ignored);
#if defined(__linux__)
    // Linux waits two hours before its first probe by default; a room should not hold a
    // vanished player's place that long. First probe after 60 s, then every 15 s, 4 tries.
    const int idle = 60;
    const int interval = 15;
    const int count = 4;
    const auto handle = socket.native_handle();
    ::setsockopt(handle, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(handle, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(handle, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
#endif
}

void endSocket(tcp::socket& socket) {
    ErrorCode ignored;
    socket.cancel(ignored);
    socket.shutdown(tcp::socket::shutdown_both, ignored);
    socket.close(ignored);
}

void refuseConnections(tcp::acceptor& acceptor) {
    ::shutdown(acceptor.native_handle(), kShutdownBoth);
}

bool openAcceptor(tcp::acceptor& acceptor, const std::string& bindAddress, std::uint16_t port,
                  int backlog, ErrorCode& error) {
    auto listenOn = [&](const tcp::endpoint& endpoint, bool dualStack) {
        ErrorCode ignored;
        acceptor.close(ignored);
        acceptor.open(endpoint.protocol(), error);
        if (error) {
            return false;
        }
        acceptor.set_option(tcp::acceptor::reuse_address(true), ignored);
        if (dualStack) {
            acceptor.set_option(asio::ip::v6_only(false), ignored);
        }
        acceptor.bind(endpoint, error);
        if (!error) {
            acceptor.listen(backlog, error);
        }
        return !error;
    };
    if (bindAddress.empty()) {
        return listenOn(tcp::endpoint(tcp::v6(), port), true) ||
               listenOn(tcp::endpoint(tcp::v4(), port), false);
    }
    const asio::ip::address address = asio::ip::make_address(bindAddress, error);
    return !error && listenOn(tcp::endpoint(address, port), false);
}

Socket::Socket() = default;
Socket::Socket(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Socket::~Socket() = default;
Socket::Socket(Socket&& other) noexcept = default;
Socket& Socket::operator=(Socket&& other) noexcept = default;

bool Socket::valid() const {
    return impl_ != nullptr && impl_->socket.is_open();
}

int Socket::fd() const {
    return valid() ? static_cast<int>(impl_->socket.native_handle()) : -1;
}

ConnectResult Socket::connectTo(const std::string& host, std::uint16_t port, const WakePipe& abort,
                                std::chrono::milliseconds timeout, const std::string& from) {
    impl_ = std::make_unique<Impl>();
    asio::io_context& io = *impl_->ownIo;
    const Clock::time_point deadline = Clock::now() + timeout;
    tcp::resolver resolver(io);
    bool done = false;
    ErrorCode result = asio::error::timed_out;
    auto connect = [&](const tcp::resolver::results_type& endpoints) {
        asio::async_connect(impl_->socket, endpoints,
                            [&](const ErrorCode& error, const tcp::endpoint&) {
                                result = error;
                                done = true;
                            });
    };
    ErrorCode error;
    const asio::ip::address numeric = asio::ip::make_address(host, error);
    if (!error && !from.empty()) {
        const tcp::endpoint target(numeric, port);
        impl_->socket.open(target.protocol(), error);
        if (!error) {
            impl_->socket.bind(tcp::endpoint(asio::ip::make_address(from, error), 0), error);
        }
        if (error) {
            return ConnectResult::Failed;
        }
        impl_->socket.async_connect(target, [&](const ErrorCode& failed) {
            result = failed;
            done = true;
        });
    } else if (!error) {
        // A numeric address is used as it is, without asking any name service.
        connect(tcp::resolver::results_type::create(tcp::endpoint(numeric, port), host, ""));
    } else {
        resolver.async_resolve(
            host, std::to_string(port), tcp::resolver::numeric_service,
            [&](const ErrorCode& failed, tcp::resolver::results_type found) {
                if (failed || found.empty()) {
                    result = failed ? failed : asio::error::host_not_found;
                    done = true;
                } else {
                    connect(found);
                }
            });
    }
    bool aborted = false;
    while (!done && !aborted && Clock::now() < deadline) {
        io.run_one_for(std::min<std::chrono::milliseconds>(
            kAbortCheck, std::chrono::milliseconds(remainingMs(deadline))));
        aborted = abort.woken();
    }
    if (!done) {
        // Let the cancelled operations finish before the objects they refer to go.
        resolver.cancel();
        impl_->socket.close(error);
        io.restart();
        io.run();
    }
    if (!done || result) {
        impl_.reset();
        return aborted ? ConnectResult::Aborted : ConnectResult::Failed;
    }
    impl_->socket.set_option(tcp::no_delay(true), error);
    return ConnectResult::Connected;
}

bool Socket::sendAll(std::string_view bytes, std::chrono::milliseconds timeout) {
    const int fd = this->fd();
    if (fd < 0 || !makeNonBlocking(fd)) {
        return false;
    }
    const Clock::time_point deadline = Clock::now() + timeout;
    while (!bytes.empty()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 30));
        const auto sent = ::send(fd, bytes.data(), chunk, kSendFlags);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && interrupted()) {
            continue;
        }
        if (sent < 0 && wouldBlock()) {
            pollfd wait{static_cast<decltype(pollfd::fd)>(fd), POLLOUT, 0};
            const int ready = pollSockets(&wait, 1, remainingMs(deadline));
            if (ready < 0 && interrupted()) {
                continue;
            }
            if (ready <= 0) {
                return false;
            }
            continue;
        }
        return false;
    }
    return true;
}

long Socket::receive(char* buffer, std::size_t size) {
    const int fd = this->fd();
    if (fd < 0) {
        return -1;
    }
    for (;;) {
        const int chunk = static_cast<int>(std::min<std::size_t>(size, 1 << 30));
        const auto got = ::recv(fd, buffer, chunk, 0);
        if (got < 0 && interrupted()) {
            continue;
        }
        if (got < 0 && wouldBlock()) {
            waitReadable(std::chrono::milliseconds(1 << 30));
            continue;
        }
        return static_cast<long>(got);
    }
}

bool Socket::waitReadable(std::chrono::milliseconds timeout) const {
    const int fd = this->fd();
    if (fd < 0) {
        return true;
    }
    pollfd wait{static_cast<decltype(pollfd::fd)>(fd), POLLIN, 0};
    const int ms = static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, 1 << 30));
    const int ready = pollSockets(&wait, 1, ms);
    // An interrupted wait says nothing yet: the caller works out the time left and waits again.
    return ready > 0 || (ready < 0 && !interrupted());
}

void Socket::shutdownBoth() {
    if (valid()) {
        ErrorCode ignored;
        impl_->socket.shutdown(tcp::socket::shutdown_both, ignored);
    }
}

}  // namespace trundlex
