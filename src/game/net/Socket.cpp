#include "net/Socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace trundlex {

namespace {


using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1'000'000));
}

bool setBlocking(int fd, bool blocking) {
    const int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) {
        return false;
    }
    return fcntl(fd, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK)) == 0;
}

// Connects `fd` (non-blocking) to `address`, waiting in poll so that `abort` can end it.
ConnectResult connectOne(int fd, const sockaddr* address, socklen_t length, const WakePipe& abort,
                         Clock::time_point deadline) {
    if (!setBlocking(fd, false)) {
        return ConnectResult::Failed;
    }
    if (::connect(fd, address, length) != 0) {
        if (errno != EINPROGRESS) {
            return ConnectResult::Failed;
        }
        pollfd waits[2] = {{fd, POLLOUT, 0}, {abort.readFd(), POLLIN, 0}};
        for (;;) {
            const int ready = ::poll(waits, 2, remainingMs(deadline));
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            if (ready <= 0) {
                return ConnectResult::Failed;
            }
            break;
        }
        if ((waits[1].revents & POLLIN) != 0) {
            return ConnectResult::Aborted;
        }
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            return ConnectResult::Failed;
        }
    }
    return setBlocking(fd, true) ? ConnectResult::Connected : ConnectResult::Failed;
}

}  // namespace

WakePipe::WakePipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        readFd_ = fds[0];
        writeFd_ = fds[1];
    }
}

WakePipe::~WakePipe() {
    if (readFd_ >= 0) {
        ::close(readFd_);
        ::close(writeFd_);
    }
}

void WakePipe::wake() {
    if (writeFd_ >= 0) {
        const char byte = 1;
        // A full pipe is readable already; nothing more is needed then.
        [[maybe_unused]] const ssize_t written = ::write(writeFd_, &byte, 1);
    }
}

Socket::~Socket() {
    close();
}

Socket::Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void Socket::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

ConnectResult Socket::connectTo(const std::string& host, std::uint16_t port, const WakePipe& abort,
                                std::chrono::milliseconds timeout) {
    close();
    if (!abort.valid()) {
        return ConnectResult::Failed;
    }
    const Clock::time_point deadline = Clock::now() + timeout;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    // A dotted decimal address is taken as it is, without asking any name service.
    const std::string service = std::to_string(port);
    if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) {
        return ConnectResult::Failed;
    }
    ConnectResult result = ConnectResult::Failed;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        const int fd =
            ::socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC, entry->ai_protocol);
        if (fd < 0) {
            continue;
        }
        result = connectOne(fd, entry->ai_addr, entry->ai_addrlen, abort, deadline);
        if (result == ConnectResult::Connected) {
            fd_ = fd;
            sendImmediately(fd);
            break;
        }
        ::close(fd);
        if (result == ConnectResult::Aborted) {
            break;
        }
    }
    ::freeaddrinfo(found);
    return result;
}

bool Socket::sendAll(std::string_view bytes, std::chrono::milliseconds timeout) {
    if (fd_ < 0) {
        return false;
    }
    const Clock::time_point deadline = Clock::now() + timeout;
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd wait{fd_, POLLOUT, 0};
            const int ready = ::poll(&wait, 1, remainingMs(deadline));
            if (ready < 0 && errno == EINTR) {
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
    if (fd_ < 0) {
        return -1;
    }
    for (;;) {
        const ssize_t got = ::recv(fd_, buffer, size, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return static_cast<long>(got);
    }
}

bool Socket::waitReadable(std::chrono::milliseconds timeout) const {
    if (fd_ < 0) {
        return true;
    }
    pollfd wait{fd_, POLLIN, 0};
    const int ms = static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, 1 << 30));
    const int ready = ::poll(&wait, 1, ms);
    // An interrupted wait says nothing yet: the caller works out the time left and waits again.
    return ready > 0 || (ready < 0 && errno != EINTR);
}

void Socket::shutdownBoth() {
    if (fd_ >= 0) {
        ::shutdown(fd_, SHUT_RDWR);
    }
}

void sendImmediately(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

}  // namespace trundlex
