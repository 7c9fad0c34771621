// Delivery of network events and lobby updates to listeners and the lobby.
#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

// A callback that can be held until the test releases it.
class Gate {
public:
    explicit Gate(bool open) : open_(open) {}
    // Runs `record` under the lock, then waits while the gate is shut.
    void pass(const std::function<void()>& record = {}) {
        std::unique_lock lock(mutex);
        if (record) {
            record();
        }
        inside_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
        inside_ = false;
    }
    bool waitInside() {
        std::unique_lock lock(mutex);
        return changed_.wait_for(lock, Patience, [&] { return inside_; });
    }
    void hold() { set(false); }
    void release() { set(true); }

    std::mutex mutex;

private:
    void set(bool open) {
        std::lock_guard lock(mutex);
        open_ = open;
        changed_.notify_all();
    }

    std::condition_variable changed_;
    bool inside_ = false;
    bool open_;
};

// Records each event with the notifier's current data during the call.
class GateListener : public NetListener, public Gate {
public:
    explicit GateListener(NetNotifier& notifier) : Gate(true), notifier_(notifier) {}
    void onNetEvent(NetEvent event) override {
        pass([&] { seen.push_back({event, notifier_.current()}); });
    }

    std::vector<SeenEvent> seen;  // guarded by `mutex`

private:
    NetNotifier& notifier_;
};

// A lobby whose refresh is held until released, like one reading a long list.
struct GateLobby : NetLobby, Gate {
    GateLobby() : Gate(false) {}
    void onLobbyStatus(const LobbyStatus&) override {}
    void onLobbyStartEnabled(bool) override {}
    void onLobbyChanged() override { pass(); }
    void onLobbyClosedByNetwork() override {}
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
        std::lock_guard lock(listener->mutex);
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
    std::lock_guard lock(listeners[0]->mutex);
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

#ifndef _WIN32  // watching a thread block takes Linux's /proc
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
#endif

}  // namespace
}  // namespace trundlex::testing
