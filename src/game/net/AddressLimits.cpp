#include "net/AddressLimits.h"

#include <algorithm>
#include <vector>

namespace trundlex {

namespace {

constexpr std::string_view kMappedPrefix = "::ffff:";

// The groups of an IPv6 address in its usual text, "::" expanded; empty when it is none.
std::vector<std::string> ipv6Groups(const std::string& address) {
    const std::string text = address.substr(0, address.find('%'));
    const std::size_t gap = text.find("::");
    const auto split = [](std::string_view part) {
        std::vector<std::string> groups;
        while (!part.empty()) {
            const std::size_t colon = part.find(':');
            groups.emplace_back(part.substr(0, colon));
            part = colon == std::string_view::npos ? std::string_view() : part.substr(colon + 1);
        }
        return groups;
    };
    std::vector<std::string> groups;
    if (gap == std::string::npos) {
        groups = split(text);
    } else {
        std::vector<std::string> head = split(std::string_view(text).substr(0, gap));
        const std::vector<std::string> tail = split(std::string_view(text).substr(gap + 2));
        if (head.size() + tail.size() > 7) {
            return {};
        }
        head.resize(8 - tail.size(), "0");
        head.insert(head.end(), tail.begin(), tail.end());
        groups = std::move(head);
    }
    return groups.size() == 8 ? groups : std::vector<std::string>{};
}

}  // namespace

std::string AddressLimits::keyOf(const std::string& address) {
    if (address.find(':') == std::string::npos) {
        return address;
    }
    if (address.starts_with(kMappedPrefix) && address.find('.') != std::string::npos) {
        return address.substr(kMappedPrefix.size());
    }
    const std::vector<std::string> groups = ipv6Groups(address);
    if (groups.empty()) {
        return address;
    }
    std::string key;
    for (int i = 0; i < 4; ++i) {
        // Leading zeros dropped, so that two spellings of one prefix count together.
        std::string group = groups[static_cast<std::size_t>(i)];
        std::transform(group.begin(), group.end(), group.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const std::size_t first = group.find_first_not_of('0');
        key += first == std::string::npos ? "0" : group.substr(first);
        key += ':';
    }
    return key + ":/64";
}

bool AddressLimits::idle(const Entry& e, Clock::time_point now) const {
    return e.connections == 0 && e.rooms == 0 && e.creations.empty() && e.failures.empty() &&
           e.lockedUntil <= now;
}

void AddressLimits::prune(Clock::time_point now) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        Entry& e = it->second;
        while (!e.creations.empty() && now - e.creations.front() >= std::chrono::minutes(1)) {
            e.creations.pop_front();
        }
        while (!e.failures.empty() && now - e.failures.front() >= settings_.failWindow) {
            e.failures.pop_front();
        }
        it = idle(e, now) ? entries_.erase(it) : std::next(it);
    }
}

AddressLimits::Entry& AddressLimits::entry(const std::string& key, Clock::time_point now) {
    const auto found = entries_.find(key);
    if (found != entries_.end()) {
        return found->second;
    }
    if (entries_.size() >= MaxTracked) {
        prune(now);
    }
    if (entries_.size() >= MaxTracked) {
        // Still full of addresses that hold something: forget one that holds no place (its
        // history of failures goes; the places are what protect the others).
        const auto spare = std::find_if(entries_.begin(), entries_.end(), [](const auto& e) {
            return e.second.connections == 0 && e.second.rooms == 0;
        });
        if (spare != entries_.end()) {
            entries_.erase(spare);
        }
    }
    return entries_[key];
}

std::shared_ptr<void> AddressLimits::lease(const std::string& key, int Entry::*count) {
    // The lease only counts down: the limits object outlives every connection and room
    // of its host.
    // (It points at this object only so that it reads as held: it owns nothing.)
    return std::shared_ptr<void>(static_cast<void*>(this), [this, key, count](void*) {
        std::lock_guard lock(mutex_);
        const auto it = entries_.find(key);
        if (it != entries_.end() && it->second.*count > 0) {
            --(it->second.*count);
        }
    });
}

std::shared_ptr<void> AddressLimits::admitConnection(const std::string& address) {
    const std::string key = keyOf(address);
    std::lock_guard lock(mutex_);
    Entry& e = entry(key, Clock::now());
    if (e.connections >= settings_.connections) {
        return nullptr;
    }
    ++e.connections;
    return lease(key, &Entry::connections);
}

AddressLimits::Creation AddressLimits::createRoom(const std::string& address,
                                                  Clock::time_point now,
                                                  std::shared_ptr<void>& held) {
    const std::string key = keyOf(address);
    std::lock_guard lock(mutex_);
    Entry& e = entry(key, now);
    while (!e.creations.empty() && now - e.creations.front() >= std::chrono::minutes(1)) {
        e.creations.pop_front();
    }
    if (e.rooms >= settings_.roomsAlive) {
        return Creation::TooManyAlive;
    }
    if (static_cast<int>(e.creations.size()) >= settings_.creationsPerMinute) {
        return Creation::TooFast;
    }
    e.creations.push_back(now);
    ++e.rooms;
    held = lease(key, &Entry::rooms);
    return Creation::Allowed;
}

bool AddressLimits::joinsLocked(const std::string& address, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(keyOf(address));
    return it != entries_.end() && it->second.lockedUntil > now;
}

bool AddressLimits::joinFailed(const std::string& address, Clock::time_point now) {
    const std::string key = keyOf(address);
    std::lock_guard lock(mutex_);
    Entry& e = entry(key, now);
    while (!e.failures.empty() && now - e.failures.front() >= settings_.failWindow) {
        e.failures.pop_front();
    }
    e.failures.push_back(now);
    if (static_cast<int>(e.failures.size()) < settings_.failedJoins) {
        return false;
    }
    // Only the window's worth is kept: the count cannot grow without bound.
    e.failures.clear();
    e.lockedUntil = now + settings_.lockout;
    return true;
}

std::size_t AddressLimits::tracked() {
    std::lock_guard lock(mutex_);
    prune(Clock::now());
    return entries_.size();
}

}  // namespace trundlex
