#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "net/NetListener.h"
#include "net/NetLobby.h"

namespace trundlex {

// The values a listener reads back from NetGame while it handles an event.
struct NetEventData {
    // The last putt received.
    double puttForce = 0.0;
    double puttAngle = 0.0;
    // On a server: the connection the last putt came from (for a log naming its player).
    std::int32_t puttConnection = 0;
    // The last aim received.
    double aim = 0.0;
    // Sender and text of the last chat line received.
    std::string chatName;
    std::string chatText;
    // The last disconnection, ready for display ("%s is disconnected." or "You have been
    // disconnected from the server."), and its parts for a translated text: the names list
    // of the computer that left, or serverLost when this client lost its server.
    std::string disconnectText;
    std::string disconnectNames;
    bool serverLost = false;
    // The names (joined) of the players of the computer that left whom this computer's
    // computer plays from now on (NetGame::setDepartedHand); empty when none.
    std::string computerPlaysFor;
    // On a server: the address of the computer that left, and why this computer closed the
    // connection when it did so itself.
    std::string disconnectAddress;
    // The same with the port, for a host's log.
    std::string disconnectPeer;
    DropReason dropReason = DropReason::None;
    // A client: the game cannot go on without its server (a room host's game, or a host that
    // said it was stopping), so it ends here with the results so far instead of going on
    // against computer copies of the others.
    bool gameAbandoned = false;
    // The host said it was stopping before the connection ended.
    bool hostStopped = false;
    // NetCatchUp: the game's putts so far (force, angle), in order.
    std::vector<std::pair<double, double>> catchUp;
    // NetPlayersReturned: the names (joined) of the players back with their own computer.
    std::string returnedNames;
};

// Hands network events to the listeners and lobby updates to the lobby on one thread of its
// own, one after the other in the order they were posted. Whoever posts never waits for a
// user interface while it holds NetGame's lock: it posts under the lock and, being a network
// thread, waits for delivery afterwards (waitDelivered), which keeps the queue short and
// makes a flood of messages wait for the user interface instead of piling up.
//
// Given a pool, it has no thread of its own: a post starts a delivery task on the pool unless
// one runs already, and that task delivers in order until the queue is empty (handing the
// pool to other games after a few), so one game's posts are still delivered one at a time,
// in order, and never on the thread that posted them under the lock.
//
// Where the program has one thread for everything (a browser page), the caller delivers:
// whoever posted calls deliverPosted() once it has let go of NetGame's lock.
class NetNotifier {
public:
    using Ticket = std::uint64_t;
    static constexpr int MaxListeners = 10;
    // Runs a delivery task on a pool's threads.
    using Poster = std::function<void(std::function<void()> task)>;
    struct CallerDelivers {};

    // Starts the delivery thread, or delivers on a pool's threads through `pool` when given.
    explicit NetNotifier(Poster pool = {});
    // Delivers only in deliverPosted().
    explicit NetNotifier(CallerDelivers);
    // Stops the delivery after the call in progress (waiting for it); undelivered posts are
    // dropped.
    ~NetNotifier();
    NetNotifier(const NetNotifier&) = delete;
    NetNotifier& operator=(const NetNotifier&) = delete;

    // Adds a listener after the others; false when MaxListeners are registered already or it
    // is registered (nothing changes then).
    bool addListener(NetListener* listener);
    // Later events reach the listener no more. Does not wait for a call in progress.
    void removeListener(NetListener* listener);
    void clearListeners();

    // Lobby updates posted from now on go to `lobby` (null: nowhere). Updates posted for an
    // earlier lobby are dropped.
    void attachLobby(NetLobby* lobby);
    // Forgets the lobby and waits until a call into it in progress has returned (unless it is
    // called from within that call).
    void detachLobby();

    // Posts an event with the values the listeners read back during it.
    Ticket postEvent(NetEvent event, const NetEventData& data);
    Ticket postLobbyStatus(const LobbyStatus& status);
    Ticket postLobbyStartEnabled(bool enabled);
    Ticket postLobbyChanged();
    // The lobby is forgotten before it is told that it closes.
    Ticket postLobbyClosed();
    // Returns when everything posted up to `ticket` has been delivered (or the notifier
    // stops). Never call it on a thread a listener waits for.
    void waitDelivered(Ticket ticket);
    // Calls `then` once everything posted up to `ticket` has been delivered: at once (on this
    // thread) when it has, otherwise on the delivery thread right after. `then` runs under
    // the notifier's own lock, so it must only hand work on (post it to another thread).
    // This is how the I/O thread pauses one connection until its events have been handled
    // without ever waiting itself.
    void whenDelivered(Ticket ticket, std::function<void()> then);
    // Forgets every `then` not yet called and calls none from now on. Returns when none is
    // running.
    void dropWaiters();
    // A notifier whose caller delivers: delivers everything posted so far, and what that
    // posts meanwhile, on this thread. Never under NetGame's lock. Nothing happens when called
    // from within a delivery (that one goes on with the rest), or for a notifier that delivers
    // by itself.
    void deliverPosted();
    // The values of the event being delivered, or of the last one delivered.
    NetEventData current() const;

private:
    enum class Kind { Event, LobbyStatus, LobbyStart, LobbyChanged, LobbyClosed };
    struct Entry {
        Ticket ticket = 0;
        Kind kind = Kind::Event;
        NetEvent event = NetConnectionAdded;
        NetEventData data;
        LobbyStatus status;
        bool enabled = false;
        std::uint64_t lobbyGeneration = 0;
    };

    Ticket post(Entry entry);
    void run();
    // A delivery task on the pool: delivers a few entries, then goes on in a new task.
    void drain();
    // Delivers the oldest entry and calls the waiters it satisfies (the lock held).
    void deliverNext(std::unique_lock<std::mutex>& lock);
    void deliver(std::unique_lock<std::mutex>& lock, Entry& entry);

    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::condition_variable delivered_;
    std::condition_variable lobbyIdle_;
    std::deque<Entry> queue_;
    std::deque<std::pair<Ticket, std::function<void()>>> waiters_;
    bool waitersDropped_ = false;
    std::vector<NetListener*> listeners_;
    NetLobby* lobby_ = nullptr;
    std::uint64_t lobbyGeneration_ = 0;
    bool lobbyBusy_ = false;
    NetEventData current_;
    Ticket lastPosted_ = 0;
    Ticket lastDelivered_ = 0;
    bool stopping_ = false;
    Poster pool_;
    bool callerDelivers_ = false;
    // Pool only: a delivery task is queued or running.
    bool draining_ = false;
    std::condition_variable drained_;
    std::thread thread_;
};

}  // namespace trundlex
