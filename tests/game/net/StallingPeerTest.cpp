// Peers that take one of a server's few places and never take part, with short limits.
#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

constexpr NetTimeouts kShort{300ms, 600ms};

class StallingPeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.addLevels({"h1"}, true);
        host.net.setTimeouts(kShort);
        port = host.serve();
        ASSERT_NE(port, 0);
    }
    // The drops the host's listeners were told about, in order.
    std::vector<DropReason> drops(int count) {
        std::vector<DropReason> reasons;
        for (int i = 1; i <= count; ++i) {
            const NetEventData data = host.listener.dataOf(NetDisconnectInfo, i);
            EXPECT_EQ(data.disconnectAddress, Loopback);
            reasons.push_back(data.dropReason);
        }
        return reasons;
    }

    Computer host{{"Host"}};
    std::uint16_t port = 0;
};

TEST_F(StallingPeerTest, SilentAndTricklingPeersAreDroppedForWantOfAGreeting) {
    RawPeer silent;
    RawPeer trickling;
    ASSERT_TRUE(silent.connect(port));
    ASSERT_TRUE(trickling.connect(port));
    // Bytes keep coming, but never a whole greeting.
    std::atomic<bool> stop{false};
    std::thread dribble([&] {
        for (const char c : std::string("HTrundlex 1.01")) {
            if (stop || !trickling.trySendRaw(std::string(1, c))) {
                return;
            }
            std::this_thread::sleep_for(50ms);
        }
    });
    EXPECT_TRUE(silent.closedByPeer());
    EXPECT_TRUE(trickling.closedByPeer());
    stop = true;
    dribble.join();
    EXPECT_EQ(drops(2), (std::vector{DropReason::NoGreeting, DropReason::NoGreeting}));
}

TEST_F(StallingPeerTest, LobbyDropsAQuietPeerButKeepsAClientWaitingForTheStart) {
    Computer guest{{"Gus"}};
    guest.net.setTimeouts(kShort);
    guest.join(port);
    ASSERT_TRUE(guest.lobby.waitForStatus(LobbyText::WaitingForStart));
    RawPeer quiet;
    ASSERT_TRUE(quiet.connect(port));
    quiet.sendEach({"NQuinn|255|2|1|", "HTrundlex 1.01"});
    EXPECT_TRUE(quiet.closedByPeer());
    EXPECT_EQ(drops(1), std::vector{DropReason::Idle});

    // The client repeats its greeting while it waits, so it is still there after several
    // idle limits, and the game starts with it.
    EXPECT_FALSE(host.listener.waitFor(NetDisconnectInfo, 2, 3 * kShort.lobbyIdle));
    ASSERT_TRUE(host.net.startHandshake());
    ASSERT_TRUE(host.listener.waitFor(NetStart));
    EXPECT_EQ(host.net.connectionCount(), 1);
}

TEST_F(StallingPeerTest, APlayerThinkingDuringTheGameIsNotDropped) {
    RawPeer thinker;
    ASSERT_TRUE(thinker.connect(port));
    thinker.sendEach({"NTess|255|2|1|", "HTrundlex 1.01", "R"});
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.startEnabled; }));
    ASSERT_TRUE(host.net.startHandshake());
    thinker.send("D");
    ASSERT_TRUE(host.listener.waitFor(NetStart));
    EXPECT_FALSE(host.listener.waitFor(NetDisconnectInfo, 1, 3 * kShort.lobbyIdle));
    EXPECT_EQ(host.net.connectionCount(), 1);
}

}  // namespace
}  // namespace trundlex::testing
