// Whole network games between NetGame objects on the loopback address.
#include <memory>

#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

class NetGameFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.addLevels({"h1", "h2"}, true);
        port = host.serve();
        ASSERT_NE(port, 0);
    }
    // A client with one player; it has the first level but not the second, which it fetches.
    // Waits until the server counts it ready, so players keep the order they joined in.
    Computer& join(const std::string& player) {
        auto& guest = *guests.emplace_back(std::make_unique<Computer>(std::vector{player}));
        guest.addLevels({"h1"}, false);
        guest.join(port);
        const auto count = static_cast<std::int32_t>(guests.size());
        EXPECT_TRUE(host.lobby.waitUntil([&](const LobbyView& v) {
            const LobbySnapshot& lobby = v.snapshot;
            return lobby.connectionCount == count && lobby.playerCount == count + 1 &&
                   lobby.computers.back().status == ComputerStatus::Ready && v.startEnabled;
        })) << player
            << " did not get ready";
        return guest;
    }
    void startGame() {
        ASSERT_TRUE(host.net.startHandshake());
        ASSERT_TRUE(host.listener.waitFor(NetStart));
        for (auto& guest : guests) {
            ASSERT_TRUE(guest->listener.waitFor(NetStart));
        }
    }
    // Every computer's count of an event, the server's first.
    std::vector<int> counts(NetEvent event) {
        std::vector<int> seen{host.listener.count(event)};
        for (auto& guest : guests) {
            seen.push_back(guest->listener.count(event));
        }
        return seen;
    }

    Computer host{{"Host"}};
    std::uint16_t port = 0;
    std::vector<std::unique_ptr<Computer>> guests;
};

class StartHandshakeTest : public NetGameFlowTest, public ::testing::WithParamInterface<int> {};

TEST_P(StartHandshakeTest, EveryComputerStartsOnceAllHaveConfirmed) {
    const int clients = GetParam();
    for (int i = 0; i < clients; ++i) {
        join("P" + std::to_string(i));
    }
    startGame();

    EXPECT_TRUE(host.lobby.view().closed);
    for (auto& guest : guests) {
        EXPECT_EQ(guest->listener.sequence().back(), NetStart);
        EXPECT_TRUE(guest->lobby.view().closed);
        EXPECT_EQ(guest->playerNames().size(), static_cast<std::size_t>(clients + 1));
        auto lock = guest->net.lock();
        EXPECT_TRUE(guest->match.AllLevelsAvailable(guest->library)) << "levels transferred";
        EXPECT_EQ(guest->match.LevelCount(), 2);
    }
    const std::vector<NetEvent> hostEvents = host.listener.sequence();
    const auto closed = std::find(hostEvents.begin(), hostEvents.end(), NetLobbyClosed);
    ASSERT_NE(closed, hostEvents.end());
    EXPECT_EQ(std::count(closed, hostEvents.end(), NetStart), 1);

    EXPECT_EQ(host.net.listeningPort(), 0);
    RawPeer late;
#ifdef _WIN32
    // Windows cannot shut a listening socket down from another thread: until the I/O thread
    // has closed it, a connection may still be taken, and is then closed without a word.
    if (late.connect(port)) {
        EXPECT_TRUE(late.closedByPeer()) << "nobody joins a running game";
    }
#else
    EXPECT_FALSE(late.connect(port)) << "nobody joins a running game";
#endif
    EXPECT_EQ(host.net.connectionCount(), clients);
}

INSTANTIATE_TEST_SUITE_P(Clients, StartHandshakeTest, ::testing::Values(0, 1, 3));

TEST_F(NetGameFlowTest, ClientJoiningLateHoldsTheStartUntilItIsReady) {
    Computer& ann = join("Ann");
    RawPeer late;
    ASSERT_TRUE(late.connect(port));
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return !v.startEnabled; }));
    EXPECT_FALSE(host.net.startHandshake()) << "a client is not ready";
    EXPECT_FALSE(ann.lobby.view().closed);

    // The server's own players join through the same path and every client hears of them.
    EXPECT_TRUE(host.net.addPlayer("Zoe", 0xFF, 2, true, Player::LocalConnection, true));
    EXPECT_FALSE(host.net.addPlayer("Z|oe", 0xFF, 2, true, Player::LocalConnection, true));
    ASSERT_TRUE(ann.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 3; }));
    EXPECT_EQ(ann.playerNames(), (std::vector<std::string>{"Host", "Ann *", "Zoe"}));

    late.send("R");
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.startEnabled; }));
    EXPECT_TRUE(host.net.startHandshake());
    EXPECT_TRUE(ann.listener.waitFor(NetLobbyClosed));
}

TEST_F(NetGameFlowTest, PuttsAimsAndChatTravelThroughTheServer) {
    Computer& ann = join("Ann");
    Computer& bob = join("Bob");
    startGame();

    host.net.sendAim(2.356);
    EXPECT_EQ(ann.listener.dataOf(NetAim).aim, 2.36);
    EXPECT_EQ(bob.listener.dataOf(NetAim).aim, 2.36);

    double force = 1.2345678;
    double angle = 0.5;
    ASSERT_TRUE(ann.net.sendPutt(force, angle));
    EXPECT_EQ(force, 1.234568);
    double second = 3.0;
    EXPECT_FALSE(ann.net.sendPutt(second, angle)) << "one putt at a time";
    for (Computer* other : {&host, &bob}) {
        const NetEventData putt = other->listener.dataOf(NetPutt);
        EXPECT_EQ(putt.puttForce, 1.234568);
        EXPECT_EQ(putt.puttAngle, 0.5);
    }
    EXPECT_EQ(bob.net.sendChat("hi | all", "Bob"), netproto::TextProblem::None);
    const NetEventData chat = ann.listener.dataOf(NetChat);
    EXPECT_EQ(chat.chatName, "Bob");
    EXPECT_EQ(chat.chatText, "hi | all");
    ASSERT_TRUE(host.listener.waitFor(NetChat));
    EXPECT_EQ(bob.net.sendChat("x", "B|ob"), netproto::TextProblem::Separator);
    EXPECT_EQ(bob.net.sendChat("ding\x07", "Bob"), netproto::TextProblem::Terminator);

    // Every computer simulates the putt; the next turn waits for the slowest of them.
    bob.net.localBallStopped();
    host.net.localBallStopped();
    EXPECT_FALSE(host.listener.waitFor(NetAllStopped, 1, Quiet)) << "Ann's ball still rolls";
    ann.net.localBallStopped();
    for (Computer* each : {&host, &ann, &bob}) {
        EXPECT_TRUE(each->listener.waitFor(NetAllStopped));
    }
    force = 2.0;
    EXPECT_TRUE(bob.net.sendPutt(force, angle)) << "the next putt may follow";
    EXPECT_TRUE(host.listener.waitFor(NetPutt, 2));
    EXPECT_TRUE(ann.listener.waitFor(NetPutt));

    EXPECT_EQ(counts(NetAllStopped), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(counts(NetPutt), (std::vector<int>{2, 1, 1})) << "nobody hears its own putt";
    EXPECT_EQ(counts(NetChat), (std::vector<int>{1, 1, 0}));
}

TEST_F(NetGameFlowTest, RestartMakesEveryClientConfirmAgain) {
    Computer& ann = join("Ann");
    startGame();
    double force = 4.0;
    double angle = 1.0;
    ASSERT_TRUE(host.net.sendPutt(force, angle));
    ASSERT_TRUE(ann.listener.waitFor(NetPutt));

    // Restarted while the putt rolls: the abandoned roll holds up nothing.
    ASSERT_TRUE(host.net.restartHandshake());
    EXPECT_TRUE(ann.listener.waitFor(NetLobbyClosed, 2));
    EXPECT_TRUE(ann.listener.waitFor(NetStart, 2));
    EXPECT_TRUE(host.listener.waitFor(NetStart, 2));
    EXPECT_FALSE(ann.net.restartHandshake()) << "only the server restarts";
    EXPECT_TRUE(ann.net.sendPutt(force, angle));
    EXPECT_TRUE(host.listener.waitFor(NetPutt));
}

TEST_F(NetGameFlowTest, ClientLeavingTheLobbyTakesItsPlayersAlong) {
    Computer& ann = join("Ann");
    Computer& bob = join("Bob");
    ASSERT_TRUE(ann.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 3; }));
    EXPECT_EQ(ann.playerNames(), (std::vector<std::string>{"Host", "Ann *", "Bob"}));

    bob.net.endGame();
    EXPECT_TRUE(bob.listener.waitFor(NetEnded));
    EXPECT_EQ(host.listener.dataOf(NetDisconnectInfo).disconnectText, "Bob is disconnected.");
    EXPECT_EQ(ann.listener.dataOf(NetDisconnectInfo).disconnectText, "Bob is disconnected.");
    EXPECT_EQ(host.lobby.waitForStatus(LobbyText::ClientDisconnected)->english(),
              "Bob disconnected.");
    ASSERT_TRUE(host.listener.waitFor(NetConnectionClosed));
    ASSERT_TRUE(ann.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 2; }));
    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann"}));
    EXPECT_EQ(ann.playerNames(), (std::vector<std::string>{"Host", "Ann *"}));
    EXPECT_EQ(host.lobby.view().snapshot.connectionCount, 1);

    ann.net.endGame();
    EXPECT_TRUE(host.listener.waitFor(NetConnectionClosed, 2)) << "the last one, in the lobby";
    EXPECT_EQ(host.listener.count(NetEnded), 0);
    EXPECT_NE(host.net.listeningPort(), 0) << "the server still waits for players";
}

TEST_F(NetGameFlowTest, ClientLeavingAGameLeavesItsPlayersToTheServer) {
    Computer& ann = join("Ann");
    Computer& bob = join("Bob");
    startGame();
    double force = 3.0;
    double angle = 0.0;
    ASSERT_TRUE(host.net.sendPutt(force, angle));
    // Both clients must hold the putt before they report their balls stopped.
    ASSERT_TRUE(bob.listener.waitFor(NetPutt));
    ASSERT_TRUE(ann.listener.waitFor(NetPutt));
    host.net.localBallStopped();
    ann.net.localBallStopped();

    // Regression: the server waited for the "Q" of a client that had left, for ever.
    bob.net.endGame();
    EXPECT_TRUE(host.listener.waitFor(NetAllStopped));
    EXPECT_TRUE(ann.listener.waitFor(NetAllStopped));
    EXPECT_TRUE(host.listener.waitFor(NetConnectionClosed));
    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann", "Bob *"}))
        << "the server plays Bob from now on";
    EXPECT_EQ(ann.playerNames(), (std::vector<std::string>{"Host", "Ann *", "Bob"}));

    ann.net.endGame();
    EXPECT_TRUE(host.listener.waitFor(NetEnded)) << "the last client left a running game";
    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann *", "Bob *"}));
}

TEST_F(NetGameFlowTest, ServerGoingAwayEndsTheGameOnEveryClient) {
    Computer& ann = join("Ann");
    Computer& bob = join("Bob");
    startGame();

    host.net.endGame();
    EXPECT_TRUE(host.listener.waitFor(NetEnded));
    for (Computer* guest : {&ann, &bob}) {
        EXPECT_EQ(guest->listener.dataOf(NetDisconnectInfo).disconnectText,
                  "You have been disconnected from the server.");
        EXPECT_TRUE(guest->listener.waitFor(NetEnded));
        EXPECT_EQ(guest->playerNames().size(), 3u);
        for (const std::string& name : guest->playerNames()) {
            EXPECT_EQ(name.back(), '*') << name << " is played here now";
        }
    }
    EXPECT_EQ(host.listener.count(NetDisconnectInfo), 0) << "the server ended it itself";
}

TEST_F(NetGameFlowTest, ClientThatCannotConnectSaysSoWithoutEndingAnything) {
    std::uint16_t unused = 0;
    {
        TcpListener probe;
        ASSERT_TRUE(probe.open(Loopback, 0));
        unused = probe.port();
    }
    Computer lost({"Lost"});
    lost.join(unused);
    EXPECT_EQ(lost.lobby.waitForStatus(LobbyText::CouldntConnect)->english(), "Couldn't connect.");
    EXPECT_FALSE(lost.net.isConnected());
    EXPECT_FALSE(lost.listener.waitFor(NetEnded, 1, Quiet));
    EXPECT_EQ(lost.listener.count(NetConnectionAdded), 0);
}

TEST_F(NetGameFlowTest, EndingAndStartingAgainServesAFreshGame) {
    join("Ann");
    startGame();
    host.net.endGame();
    ASSERT_TRUE(host.listener.waitFor(NetEnded));

    // The same object serves the next game: a new lobby, new clients, a new start.
    guests.clear();
    port = host.serve();
    ASSERT_NE(port, 0);
    {
        auto lock = host.net.lock();
        host.match.RemovePlayer(1);
    }
    Computer& cy = join("Cy");
    startGame();
    EXPECT_EQ(cy.playerNames(), (std::vector<std::string>{"Host", "Cy *"}));
}

}  // namespace
}  // namespace trundlex::testing
