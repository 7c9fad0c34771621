#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace trundlex {

// What one address may do at a room host at once and within a while, so that one computer
// on the internet can neither lock everybody else out nor guess its way into rooms. Every
// IPv4 address counts alone; IPv6 addresses count by their /64 prefix, which one home or one
// server is usually given whole. Thread-safe: the door, the rooms and the main thread all
// ask.
//
// Memory stays bounded: an address is remembered only while it holds something or has a
// recent failure or creation; at most MaxTracked addresses are remembered at once, and past
// that an address with nothing open is forgotten (its history goes with it).
class AddressLimits {
public:
    using Clock = std::chrono::steady_clock;

    struct Settings {
        // Connections open at once (at the door and in rooms).
        int connections = 16;
        // Rooms alive that the address created.
        int roomsAlive = 4;
        // Rooms the address may create within one minute.
        int creationsPerMinute = 10;
        // Failed joins within failWindow after which the address is locked out of joining.
        int failedJoins = 20;
        std::chrono::seconds failWindow{600};
        std::chrono::seconds lockout{600};
    };
    static constexpr std::size_t MaxTracked = 100000;

    explicit AddressLimits(Settings settings) : settings_(settings) {}
    const Settings& settings() const { return settings_; }

    // The key an address counts under: an IPv4 address itself ("192.0.2.7", also for an
    // IPv4-mapped IPv6 address), the first four groups of an IPv6 address ("2001:db8:0:7::/64").
    static std::string keyOf(const std::string& address);

    // A place for one more connection from `address`, held until the returned lease goes;
    // null when the address has Settings::connections open already.
    std::shared_ptr<void> admitConnection(const std::string& address);

    enum class Creation : std::int32_t { Allowed, TooManyAlive, TooFast };
    // Whether `address` may create a room now. When Allowed, the creation is counted and
    // `lease` holds one of its rooms alive until it goes.
    Creation createRoom(const std::string& address, Clock::time_point now,
                        std::shared_ptr<void>& lease);

    // Whether `address` is locked out of joining at `now`.
    bool joinsLocked(const std::string& address, Clock::time_point now);
    // A join from `address` failed (no such room). True when this failure locks it out.
    bool joinFailed(const std::string& address, Clock::time_point now);

    // Addresses remembered now (for the host's status line and the tests of the bound).
    std::size_t tracked();

private:
    struct Entry {
        int connections = 0;
        int rooms = 0;
        std::deque<Clock::time_point> creations;
        std::deque<Clock::time_point> failures;
        Clock::time_point lockedUntil{};
    };
    // Under the lock: the entry of `key`, made room for when needed.
    Entry& entry(const std::string& key, Clock::time_point now);
    // Under the lock: forgets what has expired, and entries holding nothing.
    void prune(Clock::time_point now);
    bool idle(const Entry& e, Clock::time_point now) const;
    std::shared_ptr<void> lease(const std::string& key, int Entry::*count);

    const Settings settings_;
    std::mutex mutex_;
    std::map<std::string, Entry> entries_;
};

}  // namespace trundlex
