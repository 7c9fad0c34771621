#include "net/RoomCodes.h"

#include <memory>
#include <random>

#include "net/RoomProtocol.h"

namespace trundlex {

RoomCodes::RoomCodes(std::function<std::uint32_t()> random) : random_(std::move(random)) {
    if (!random_) {
        auto device = std::make_shared<std::random_device>();
        random_ = [device] { return static_cast<std::uint32_t>((*device)()); };
    }
}

std::string RoomCodes::draw(std::size_t length) {
    const auto size = static_cast<std::uint32_t>(roomproto::CodeAlphabet.size());
    // Values at or above the last whole multiple of the alphabet's size are drawn again, so
    // every character is equally likely.
    const std::uint32_t limit = UINT32_MAX - UINT32_MAX % size;
    std::string code;
    // A source that only gives rejected values would keep this loop going for ever.
    for (int tries = 0; code.size() < length; ++tries) {
        if (tries == MaxDraws) {
            return {};
        }
        const std::uint32_t value = random_();
        if (value < limit) {
            code += roomproto::CodeAlphabet[value % size];
        }
    }
    return code;
}

std::string RoomCodes::issue(Clock::time_point now) {
    forgetOld(now);
    for (int i = 0; i < MaxDraws; ++i) {
        std::string code = draw(roomproto::CodeLength);
        if (!code.empty() && !live_.contains(code) && !retired_.contains(code)) {
            live_.insert(code);
            return code;
        }
    }
    return {};
}

std::string RoomCodes::token() {
    return draw(roomproto::TokenLength);
}

void RoomCodes::retire(const std::string& code, Clock::time_point now) {
    if (live_.erase(code) == 0) {
        return;
    }
    forgetOld(now);
    retired_[code] = now + ReuseAfter;
    byExpiry_.emplace(now + ReuseAfter, code);
    // Past the bound the oldest rest ends early: 887 million codes leave plenty to draw from,
    // and the memory of a host under churn stays what it is.
    while (retired_.size() > MaxResting) {
        retired_.erase(byExpiry_.begin()->second);
        byExpiry_.erase(byExpiry_.begin());
    }
}

void RoomCodes::forgetOld(Clock::time_point now) {
    while (!byExpiry_.empty() && byExpiry_.begin()->first <= now) {
        retired_.erase(byExpiry_.begin()->second);
        byExpiry_.erase(byExpiry_.begin());
    }
}

}  // namespace trundlex
