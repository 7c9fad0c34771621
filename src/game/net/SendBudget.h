#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "net/Connection.h"

namespace trundlex {

// The bytes every connection of a host may hold waiting to be sent, together. Each
// connection has a cap of its own (Connection::MaxQueuedBytes), but a host with thousands of
// clients that all stop reading would still fill its memory; past the host's cap, the
// connection with the longest queue is closed as gone (the one most likely not reading).
// Thread-safe: connections count on whichever thread sends and on their I/O threads.
class SendBudget {
public:
    explicit SendBudget(std::size_t cap) : cap_(cap) {}
    SendBudget(const SendBudget&) = delete;
    SendBudget& operator=(const SendBudget&) = delete;

    std::size_t cap() const { return cap_; }
    // Bytes waiting now, over every connection.
    std::size_t queued() const { return queued_.load(std::memory_order_relaxed); }
    // Connections closed so far because the cap was passed.
    std::uint64_t shed() const { return shed_.load(std::memory_order_relaxed); }

    // Connection::Link's side: a link counts its bytes here once it is listed.
    void list(const std::shared_ptr<Connection::Link>& link);
    void add(std::size_t bytes);
    void remove(std::size_t bytes);
    // Past the cap: closes the listed link that holds the most.
    void shedIfOver();

private:
    const std::size_t cap_;
    std::atomic<std::size_t> queued_{0};
    std::atomic<std::uint64_t> shed_{0};
    std::mutex mutex_;
    std::vector<std::weak_ptr<Connection::Link>> links_;
};

}  // namespace trundlex
