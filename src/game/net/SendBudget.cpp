#include "net/SendBudget.h"

#include <algorithm>

#include "net/AsioSupport.h"

namespace trundlex {

void SendBudget::list(const std::shared_ptr<Connection::Link>& link) {
    std::lock_guard lock(mutex_);
    // Links that have gone are dropped as the list grows, so it stays as long as the number
    // of open connections (twice at most).
    if (links_.size() >= 64 && links_.size() == links_.capacity()) {
        std::erase_if(links_, [](const auto& weak) { return weak.expired(); });
    }
    links_.push_back(link);
}

void SendBudget::add(std::size_t bytes) {
    queued_.fetch_add(bytes, std::memory_order_relaxed);
}

void SendBudget::remove(std::size_t bytes) {
    queued_.fetch_sub(bytes, std::memory_order_relaxed);
}

void SendBudget::shedIfOver() {
    if (queued() <= cap_) {
        return;
    }
    std::shared_ptr<Connection::Link> longest;
    std::size_t most = 0;
    // What the links chosen already still hold goes as soon as their closing runs: it does
    // not count against the others.
    std::size_t going = 0;
    {
        std::lock_guard lock(mutex_);
        for (const auto& weak : links_) {
            std::shared_ptr<Connection::Link> link = weak.lock();
            if (link == nullptr) {
                continue;
            }
            const std::size_t held = link->budgeted.load(std::memory_order_relaxed);
            if (link->shedding.load()) {
                going += held;
            } else if (held > most) {
                most = held;
                longest = std::move(link);
            }
        }
    }
    if (queued() <= cap_ + going || longest == nullptr || longest->shedding.exchange(true)) {
        return;
    }
    shed_.fetch_add(1, std::memory_order_relaxed);
    asio::post(longest->io, [link = longest] { link->close(); });
}

}  // namespace trundlex
