// Delivery of network events and lobby updates: one at a time, in order, with their data,
// to at most ten listeners, and never into a lobby that has been let go.
#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

// Records what it was told and what the notifier's current data was during the call; can be
// held inside a call until released.
class GateListener : public NetListener {
public:
    explicit GateListener(NetNotifier& notifier) : notifier_(notifier) {}
    void onNetEvent(NetEvent event) override {
        std::unique_lock lock(mutex_);
        seen.push_back({event, notifier_.current()});
        inside = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open; });
        inside = false;
    }
    bool waitInside() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, Patience, [&] { return inside; });
    }
    void hold() {
        std::lock_guard lock(mutex_);
        open = false;
    }
    void release() {
        std::lock_guard lock(mutex_);
        open = true;
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SeenEvent> seen;
    bool inside = false;
    bool open = true;

private:
    NetNotifier& notifier_;
};

// A lobby whose refresh is held until released, like one reading a long list.
class GateLobby : public NetLobby {
public:
    void onLobbyStatus(const LobbyStatus&) override {}
    void onLobbyStartEnabled(bool) override {}
    void onLobbyChanged() override {
        std::unique_lock lock(mutex_);
        inside_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }
    void onLobbyClosedByNetwork() override {}
    bool waitInside() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, Patience, [&] { return inside_; });
    }
    void release() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool inside_ = false;
    bool open_ = false;
};

NetEventData chatData(std::string text) {
    NetEventData data;
    data.chatName = "Ann";
    data.chatText = std::move(text);
    return data;
}

TEST(NetNotifierTest, EventsArriveInOrderWithTheValuesOfTheirMoment) {
    NetNotifier notifier;
    GateListener first(notifier);
    GateListener second(notifier);
    ASSERT_TRUE(notifier.addListener(&first));
    ASSERT_TRUE(notifier.addListener(&second));
    EXPECT_FALSE(notifier.addListener(&first)) << "added once only";

    notifier.postEvent(NetChat, chatData("one"));
    NetEventData putt;
    putt.puttForce = 7.5;
    notifier.postEvent(NetPutt, putt);
    notifier.waitDelivered(notifier.postEvent(NetChat, chatData("two")));

    for (GateListener* listener : {&first, &second}) {
        std::lock_guard lock(listener->mutex_);
        ASSERT_EQ(listener->seen.size(), 3u);
        EXPECT_EQ(listener->seen[0].data.chatText, "one");
        EXPECT_EQ(listener->seen[1].event, NetPutt);
        EXPECT_EQ(listener->seen[1].data.puttForce, 7.5);
        EXPECT_EQ(listener->seen[2].data.chatText, "two");
    }
}

TEST(NetNotifierTest, TenListenersAtMost) {
    NetNotifier notifier;
    std::vector<std::unique_ptr<GateListener>> listeners;
    for (int i = 0; i < NetNotifier::MaxListeners + 1; ++i) {
        listeners.push_back(std::make_unique<GateListener>(notifier));
    }
    for (int i = 0; i < NetNotifier::MaxListeners; ++i) {
        EXPECT_TRUE(notifier.addListener(listeners[i].get()));
    }
    EXPECT_FALSE(notifier.addListener(listeners.back().get()));
    notifier.removeListener(listeners[0].get());
    EXPECT_TRUE(notifier.addListener(listeners.back().get()));
    notifier.waitDelivered(notifier.postEvent(NetAim, {}));
    std::lock_guard lock(listeners[0]->mutex_);
    EXPECT_TRUE(listeners[0]->seen.empty()) << "removed before the event";
}

TEST(NetNotifierTest, UpdatesForALobbyThatWasLetGoAreDropped) {
    NetNotifier notifier;
    GateListener slow(notifier);
    notifier.addListener(&slow);
    RecordingLobby old;
    RecordingLobby fresh;

    // Queued behind a slow event, the update is still undelivered when the lobby changes.
    slow.hold();
    notifier.attachLobby(&old);
    notifier.postEvent(NetChat, {});
    ASSERT_TRUE(slow.waitInside());
    notifier.postLobbyStatus({LobbyText::ConnectionOpen, 0, {}, {}});
    notifier.attachLobby(&fresh);
    slow.release();
    notifier.waitDelivered(notifier.postLobbyStartEnabled(true));
    EXPECT_TRUE(old.view().statuses.empty());
    EXPECT_TRUE(fresh.view().startEnabled);

    // The lobby is told that it closes after it has been forgotten.
    notifier.waitDelivered(notifier.postLobbyClosed());
    EXPECT_TRUE(fresh.view().closed);
    notifier.waitDelivered(notifier.postLobbyStartEnabled(false));
    EXPECT_TRUE(fresh.view().startEnabled) << "nothing after the close";
}

TEST(NetNotifierTest, DetachWaitsUntilTheLobbyCallInProgressReturns) {
    NetNotifier notifier;
    GateLobby lobby;
    notifier.attachLobby(&lobby);
    notifier.postLobbyChanged();
    ASSERT_TRUE(lobby.waitInside());

    std::atomic<bool> detached{false};
    std::promise<pid_t> windowId;
    std::thread window([&] {
        windowId.set_value(::gettid());
        notifier.detachLobby();
        detached = true;
    });
    EXPECT_TRUE(waitUntilBlocked(windowId.get_future().get()));
    EXPECT_FALSE(detached) << "the lobby may not go while it is being called";
    lobby.release();
    window.join();
    EXPECT_TRUE(detached);
}

}  // namespace
}  // namespace trundlex::testing
