#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace trundlex {

// A signal that ends a blocking connect from another thread: once woken it stays woken.
// (A game's own connects run on its I/O thread and are cancelled there; this is for the
// blocking calls of Socket that tests and tools make.)
class WakePipe {
public:
    WakePipe() = default;
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    // Always true; kept so that callers written for a fallible signal read the same.
    bool valid() const { return true; }
    // Safe from any thread, any number of times.
    void wake() { woken_.store(true); }
    bool woken() const { return woken_.load(); }

private:
    std::atomic<bool> woken_{false};
};

// How an attempt to connect ended.
enum class ConnectResult : std::int32_t { Connected = 0, Failed = 1, Aborted = 2 };

// A TCP stream socket (IPv4 or IPv6) with blocking calls that each give up in time, closed
// when the object goes. Sending and receiving may run on different threads at the same time;
// shutdownBoth() may be called from any thread to make a blocked receive() return 0.
// A NetGame drives its connections itself, on its I/O thread; this class serves code that
// speaks the protocol one call at a time (tests, load clients).
class Socket {
public:
    // The Asio socket inside (AsioSupport.h), for the network layer's own files.
    struct Impl;

    Socket();
    explicit Socket(std::unique_ptr<Impl> impl);
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const;
    // The descriptor, for waiting on several sockets at once; -1 when not connected.
    int fd() const;
    Impl* impl() const { return impl_.get(); }

    // Resolves `host` (a name, or a numeric IPv4 or IPv6 address, which is used as it is) and
    // tries its addresses in turn until one answers. Gives up after `timeout`, or with
    // Aborted soon after `abort` is woken. On success this socket holds the connection.
    // With `from` (a numeric address of this machine, for a numeric `host` only) the
    // connection leaves from that address (tests stand for several computers with 127.0.0.x).
    ConnectResult connectTo(const std::string& host, std::uint16_t port, const WakePipe& abort,
                            std::chrono::milliseconds timeout, const std::string& from = {});

    // Sends every byte. A peer that has gone never raises SIGPIPE; the send fails instead.
    // False on an error, or when the peer has not taken the bytes within `timeout` (it
    // stopped reading): the caller should treat the connection as dead.
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
    std::unique_ptr<Impl> impl_;
};

}  // namespace trundlex
