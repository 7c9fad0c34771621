#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace trundlex {

// Hands out the codes of a room host's rooms: random (drawn from the operating system's
// secure source unless a test gives its own), so that nobody can guess the code of a room
// from the codes of earlier ones; never one that a live room has; and never one retired less
// than ReuseAfter ago, so that a friend late with an old code does not walk into a stranger's
// game.
class RoomCodes {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::hours ReuseAfter{1};
    // Gives up after this many draws in a row that are all taken (only a broken random
    // source, or a host with most of the 887 million codes in use, gets there).
    static constexpr int MaxDraws = 1000;
    // Codes resting at once, at most (about 200 bytes each).
    static constexpr std::size_t MaxResting = 50000;

    // `random` returns uniformly random 32-bit values; empty: std::random_device.
    explicit RoomCodes(std::function<std::uint32_t()> random = {});

    // A new live code, or empty when none could be found.
    std::string issue(Clock::time_point now);
    // A seat token (roomproto::TokenLength characters) from the same source; empty when the
    // source fails.
    std::string token();
    // The room of `code` has ended; the code rests for ReuseAfter.
    void retire(const std::string& code, Clock::time_point now);
    bool isLive(const std::string& code) const { return live_.contains(code); }
    std::size_t resting() const { return retired_.size(); }

private:
    void forgetOld(Clock::time_point now);
    // `length` characters of the code alphabet; empty when the source fails.
    std::string draw(std::size_t length);

    std::function<std::uint32_t()> random_;
    std::set<std::string> live_;
    // Retired codes and when they may be used again, looked up by code and by that time.
    std::map<std::string, Clock::time_point> retired_;
    std::multimap<Clock::time_point, std::string> byExpiry_;
};

}  // namespace trundlex
