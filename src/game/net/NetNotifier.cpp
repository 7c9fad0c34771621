#include "net/NetNotifier.h"

#include <algorithm>

#include "util/Threads.h"

namespace trundlex {

namespace {

// The notifier whose listeners or lobby this thread is calling right now, if any.
thread_local const NetNotifier* tDelivering = nullptr;

// Entries one delivery task hands out before it lets other games' tasks run.
constexpr int kDeliveriesPerTask = 16;

}  // namespace

NetNotifier::NetNotifier(Poster pool) : pool_(std::move(pool)) {
    if (!pool_) {
        thread_ = threadIfAvailable([this] { run(); });
    }
}

NetNotifier::NetNotifier(CallerDelivers) : callerDelivers_(true) {}

NetNotifier::~NetNotifier() {
    {
        std::unique_lock lock(mutex_);
        stopping_ = true;
        queue_.clear();
        posted_.notify_all();
        delivered_.notify_all();
        // A delivery task holds `this` until it has seen the stop.
        drained_.wait(lock, [this] { return !draining_; });
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool NetNotifier::addListener(NetListener* listener) {
    std::lock_guard lock(mutex_);
    if (listener == nullptr || static_cast<int>(listeners_.size()) >= MaxListeners ||
        std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
        return false;
    }
    listeners_.push_back(listener);
    return true;
}

void NetNotifier::removeListener(NetListener* listener) {
    std::lock_guard lock(mutex_);
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void NetNotifier::clearListeners() {
    std::lock_guard lock(mutex_);
    listeners_.clear();
}

void NetNotifier::attachLobby(NetLobby* lobby) {
    std::unique_lock lock(mutex_);
    // A lobby that forgets itself from inside a call must not wait for that very call.
    if (tDelivering != this) {
        lobbyIdle_.wait(lock, [this] { return !lobbyBusy_; });
    }
    lobby_ = lobby;
    ++lobbyGeneration_;
}

void NetNotifier::detachLobby() {
    attachLobby(nullptr);
}

NetNotifier::Ticket NetNotifier::post(Entry entry) {
    std::lock_guard lock(mutex_);
    entry.ticket = ++lastPosted_;
    entry.lobbyGeneration = lobbyGeneration_;
    queue_.push_back(std::move(entry));
    posted_.notify_one();
    if (pool_ && !draining_ && !stopping_) {
        draining_ = true;
        pool_([this] { drain(); });
    }
    return lastPosted_;
}

NetNotifier::Ticket NetNotifier::postEvent(NetEvent event, const NetEventData& data) {
    Entry entry;
    entry.kind = Kind::Event;
    entry.event = event;
    entry.data = data;
    return post(std::move(entry));
}

NetNotifier::Ticket NetNotifier::postLobbyStatus(const LobbyStatus& status) {
    Entry entry;
    entry.kind = Kind::LobbyStatus;
    entry.status = status;
    return post(std::move(entry));
}

NetNotifier::Ticket NetNotifier::postLobbyStartEnabled(bool enabled) {
    Entry entry;
    entry.kind = Kind::LobbyStart;
    entry.enabled = enabled;
    return post(std::move(entry));
}

NetNotifier::Ticket NetNotifier::postLobbyChanged() {
    Entry entry;
    entry.kind = Kind::LobbyChanged;
    return post(std::move(entry));
}

NetNotifier::Ticket NetNotifier::postLobbyClosed() {
    Entry entry;
    entry.kind = Kind::LobbyClosed;
    return post(std::move(entry));
}

void NetNotifier::waitDelivered(Ticket ticket) {
    if (callerDelivers_) {
        // Nobody else would deliver it.
        deliverPosted();
        return;
    }
    std::unique_lock lock(mutex_);
    delivered_.wait(lock, [&] { return stopping_ || lastDelivered_ >= ticket; });
}

void NetNotifier::whenDelivered(Ticket ticket, std::function<void()> then) {
    std::lock_guard lock(mutex_);
    if (waitersDropped_) {
        return;
    }
    if (lastDelivered_ >= ticket || stopping_) {
        then();
        return;
    }
    waiters_.emplace_back(ticket, std::move(then));
}

void NetNotifier::dropWaiters() {
    std::lock_guard lock(mutex_);
    waitersDropped_ = true;
    waiters_.clear();
}

NetEventData NetNotifier::current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

void NetNotifier::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        posted_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        deliverNext(lock);
    }
}

void NetNotifier::drain() {
    std::unique_lock lock(mutex_);
    for (int i = 0; i < kDeliveriesPerTask && !stopping_ && !queue_.empty(); ++i) {
        deliverNext(lock);
    }
    if (stopping_ || queue_.empty()) {
        draining_ = false;
        // Notified under the lock: once the destructor sees the flag, this task touches
        // nothing of the notifier any more (releasing the lock is its last step).
        drained_.notify_all();
        return;
    }
    pool_([this] { drain(); });
}

void NetNotifier::deliverPosted() {
    std::unique_lock lock(mutex_);
    if (!callerDelivers_ || tDelivering == this) {
        return;
    }
    while (!stopping_ && !queue_.empty()) {
        deliverNext(lock);
    }
}

void NetNotifier::deliverNext(std::unique_lock<std::mutex>& lock) {
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    tDelivering = this;
    deliver(lock, entry);
    tDelivering = nullptr;
    lastDelivered_ = entry.ticket;
    delivered_.notify_all();
    for (auto it = waiters_.begin(); it != waiters_.end();) {
        if (it->first <= lastDelivered_) {
            it->second();
            it = waiters_.erase(it);
        } else {
            ++it;
        }
    }
}

// Called and returns with the lock held; releases it around every call out.
void NetNotifier::deliver(std::unique_lock<std::mutex>& lock, Entry& entry) {
    if (entry.kind == Kind::Event) {
        current_ = std::move(entry.data);
        const std::vector<NetListener*> listeners = listeners_;
        lock.unlock();
        for (NetListener* listener : listeners) {
            listener->onNetEvent(entry.event);
        }
        lock.lock();
        return;
    }
    if (lobby_ == nullptr || entry.lobbyGeneration != lobbyGeneration_) {
        return;
    }
    NetLobby* lobby = lobby_;
    if (entry.kind == Kind::LobbyClosed) {
        lobby_ = nullptr;
        ++lobbyGeneration_;
    }
    lobbyBusy_ = true;
    lock.unlock();
    switch (entry.kind) {
        case Kind::LobbyStatus:
            lobby->onLobbyStatus(entry.status);
            break;
        case Kind::LobbyStart:
            lobby->onLobbyStartEnabled(entry.enabled);
            break;
        case Kind::LobbyChanged:
            lobby->onLobbyChanged();
            break;
        case Kind::LobbyClosed:
            lobby->onLobbyClosedByNetwork();
            break;
        case Kind::Event:
            break;
    }
    lock.lock();
    lobbyBusy_ = false;
    lobbyIdle_.notify_all();
}

}  // namespace trundlex
