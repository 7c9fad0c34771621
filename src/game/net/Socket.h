#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trundlex {

// A pipe that wakes a thread waiting in poll: once woken, its read end stays readable. Used
// to end waits for a connection or a client from another thread, since closing a socket
// does not wake a thread blocked on it.
class WakePipe {
public:
    // Check valid() before use: creating the pipe can fail.
    WakePipe();
    ~WakePipe();
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    bool valid() const { return readFd_ >= 0; }
    // The end to poll for POLLIN.
    int readFd() const { return readFd_; }
    // Makes readFd() readable for good. Safe from any thread, any number of times.
    void wake();

private:
    int readFd_ = -1;
    int writeFd_ = -1;
};

// How an attempt to connect ended.
enum class ConnectResult : std::int32_t { Connected = 0, Failed = 1, Aborted = 2 };

// An IPv4 TCP stream socket, closed when the object goes. Sending and receiving may run on
// different threads at the same time; shutdownBoth() may be called from any thread to make a
// blocked receive() return 0.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Resolves `host` (IPv4; a dotted decimal address is used as it is, a name is looked up)
    // and connects to the first address that answers. Gives up after `timeout`, or with
    // Aborted as soon as `abort` is woken. On success this socket holds the connection.
    ConnectResult connectTo(const std::string& host, std::uint16_t port, const WakePipe& abort,
                            std::chrono::milliseconds timeout);

    // Sends every byte, repeating partial sends. A peer that has gone never raises SIGPIPE;
    // the send fails instead. False on an error, or when the peer has not taken the bytes
    // within `timeout` (it stopped reading): the caller should treat the connection as dead.
    bool sendAll(std::string_view bytes, std::chrono::milliseconds timeout);
    // Waits for bytes and reads up to `size` of them: the count, 0 when the peer closed the
    // connection or it was shut down, -1 on an error.
    long receive(char* buffer, std::size_t size);
    // Waits at most `timeout` for receive() to have something to say (bytes, the end of the
    // connection or an error). False when the time ran out first.
    bool waitReadable(std::chrono::milliseconds timeout) const;
    // Ends both directions at once; a thread blocked in receive() gets 0. The descriptor
    // stays open until the object goes, so no other thread can be handed its number.
    void shutdownBoth();

private:
    void close();

    int fd_ = -1;
};

// Turns off the small-packet delay on a connected TCP socket: messages are short and each
// one waits for an answer, so waiting to bundle them would add tens of milliseconds a putt.
void sendImmediately(int fd);

}  // namespace trundlex
