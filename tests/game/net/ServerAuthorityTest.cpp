// A server takes its clients for strangers: it relays only what the rules allow (whose turn,
// whose name, which levels, what form), bounds what it holds for them, and never lets one
// silent client hold up the others.
#include <memory>

#include "game/net/NetTestSupport.h"
#include "net/LatencyHistogram.h"
#include "net/SendBudget.h"

namespace trundlex::testing {
namespace {

// Connects, greets with one player and reads up to the player list naming it.
void enter(RawPeer& peer, std::uint16_t port, const std::string& name) {
    ASSERT_TRUE(peer.connect(port));
    for (const char letter : {'H', 'C', 'I', 'I'}) {
        ASSERT_TRUE(peer.expect(letter));
    }
    peer.sendEach({"N" + name + "|255|2|1|", "HTrundlex 1.01"});
    while (const auto list = peer.expect('O')) {
        if (list->find(name + "|") != std::string::npos) {
            return;
        }
    }
    FAIL() << name << " never saw its player listed";
}

// A host without players of its own and two raw clients, Ann and Bob, each with one player.
class ServerAuthorityTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.addLevels({"h1", "h2"}, true);
        {
            auto lock = host.net.lock();
            host.library.add(testLevel("secret"));
        }
        host.net.setServerLog([this](const std::string& line) {
            std::lock_guard lock(logMutex);
            logLines.push_back(line);
        });
        port = host.serve();
        ASSERT_NE(port, 0);
        enter(ann, port, "Ann");
        enter(bob, port, "Bob");
    }
    // Both clients ready and confirmed; the game has started.
    void startGame() {
        ann.send("R");
        bob.send("R");
        ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.startEnabled; }));
        ASSERT_TRUE(host.net.startHandshake());
        for (RawPeer* peer : {&ann, &bob}) {
            ASSERT_TRUE(peer->expect('G'));
            peer->send("D");
        }
        for (RawPeer* peer : {&ann, &bob}) {
            ASSERT_TRUE(peer->expect('S'));
        }
        ASSERT_TRUE(host.listener.waitFor(NetStart));
    }
    std::int32_t connectionOf(const std::string& name) {
        auto lock = host.net.lock();
        for (std::int32_t i = 0; i < host.match.PlayerCount(); ++i) {
            if (host.match.GetPlayer(i)->GetName() == name) {
                return host.match.GetPlayer(i)->GetConnection();
            }
        }
        ADD_FAILURE() << "no player " << name;
        return 0;
    }
    std::vector<std::string> log() {
        std::lock_guard lock(logMutex);
        return logLines;
    }

    Computer host{{}};
    std::uint16_t port = 0;
    RawPeer ann;
    RawPeer bob;
    std::mutex logMutex;
    std::vector<std::string> logLines;
};

TEST_F(ServerAuthorityTest, OnlyTheClientWhosePlayerHasTheTurnPutts) {
    startGame();
    host.net.setTurnOwner(connectionOf("Ann"));
    bob.sendEach({"A1.50", "P9.000000|0.500000"});
    EXPECT_EQ(ann.lettersWithin(Quiet), "") << "Bob's aim and putt reach nobody";
    EXPECT_EQ(host.listener.count(NetPutt), 0);
    EXPECT_EQ(host.net.refusals().outOfTurn, 1u);

    ann.sendEach({"A0.25", "P4.000000|0.250000"});
    bob.expectNext('A', "0.25");
    bob.expectNext('P', "4.000000|0.250000");
    EXPECT_EQ(host.listener.dataOf(NetPutt).puttForce, 4.0);
    const auto lines = log();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.front().starts_with("refused putt out of turn from 127.0.0.1:"))
        << lines.front();
    EXPECT_EQ(lines.front().find("Bob"), std::string::npos) << "names are the players' to give";
}

TEST_F(ServerAuthorityTest, APuttArrivingBeforeTheNextTurnIsHandedOutWaitsForIt) {
    // The next player's computer may take the "Q" and putt before this one has followed the
    // match to the next turn: that putt is kept, not lost, and a wrong one still refused.
    startGame();
    host.net.setTurnOwner(connectionOf("Ann"));
    ann.send("P2.000000|0.000000");
    ASSERT_TRUE(bob.expect('P'));
    host.net.localBallStopped();
    ann.send("Q");
    bob.send("Q");
    ASSERT_TRUE(host.listener.waitFor(NetAllStopped));
    // Each marker's chat line shows that the putt sent before it has been taken in.
    bob.sendEach({"P3.000000|1.000000", "MBob|marker"});
    ann.sendEach({"P7.000000|1.000000", "MAnn|marker"});
    ASSERT_TRUE(host.listener.waitFor(NetChat, 2));
    EXPECT_EQ(host.listener.count(NetPutt), 1) << "nobody has the turn yet";

    host.net.setTurnOwner(connectionOf("Bob"));
    ASSERT_TRUE(host.listener.waitFor(NetPutt, 2));
    EXPECT_EQ(host.listener.dataOf(NetPutt, 2).puttForce, 3.0);
    EXPECT_EQ(ann.expect('P').value_or(""), "3.000000|1.000000");
    EXPECT_EQ(host.net.refusals().outOfTurn, 1u) << "Ann's early putt";
}

TEST_F(ServerAuthorityTest, APuttThatComesWithTheStartWaitsForTheFirstTurn) {
    // Regression: the first player's computer putted on "S" before the host had followed the
    // new game's set-up; naming nobody for the hole set up refused that putt, and the game
    // stood still.
    host.net.setTurnOwner(NetSession::NoTurn);
    startGame();
    // Each marker's chat line shows that the putt sent before it has been taken in.
    ann.sendEach({"P2.000000|0.500000", "MAnn|marker"});
    ASSERT_TRUE(host.listener.waitFor(NetChat));
    host.net.setTurnFrom(FlowStep{FlowOutcome::HoleReady, nullptr, true});
    EXPECT_EQ(host.net.refusals().outOfTurn, 0u) << "kept for the first turn";
    Player* first = nullptr;
    {
        auto lock = host.net.lock();
        first = host.match.GetPlayer(0);
    }
    ASSERT_EQ(first->GetName(), "Ann");
    host.net.setTurnFrom(FlowStep{FlowOutcome::Turn, first, false});
    EXPECT_EQ(bob.expect('P').value_or(""), "2.000000|0.500000");
    EXPECT_EQ(host.net.refusals().outOfTurn, 0u);
}

// Waits (at most Patience) until `done` holds; whether it does.
bool eventually(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

TEST_F(ServerAuthorityTest, RelaysAreTimedFromTheirReadAndRefusedMessagesAreNot) {
    auto relays = std::make_shared<LatencyHistogram>();
    host.net.setRelayLatency(relays);
    startGame();
    host.net.setTurnOwner(connectionOf("Ann"));
    bob.sendEach({"P9.000000|0.500000", "A1.0"});
    ASSERT_TRUE(eventually([&] {
        const auto refused = host.net.refusals();
        return refused.outOfTurn == 1 && refused.badForm == 1;
    }));
    EXPECT_EQ(relays->snapshot().count, 0u) << "nothing of Bob's went anywhere";

    ann.sendEach({"A0.25", "P4.000000|0.250000"});
    bob.expectNext('A', "0.25");
    bob.expectNext('P', "4.000000|0.250000");
    bob.send("MBob|nice one");
    EXPECT_EQ(ann.expect('M').value_or(""), "Bob|nice one");
    // Timed once each is queued, which may be a moment after its peer has read it.
    EXPECT_TRUE(eventually([&] { return relays->snapshot().count == 3; }));
    const LatencyHistogram::Snapshot timed = relays->snapshot();
    EXPECT_EQ(timed.count, 3u);
    EXPECT_EQ(timed.cumulative.back(), 3u);
    EXPECT_LT(timed.sumNs, static_cast<std::uint64_t>(std::chrono::nanoseconds(Patience).count()))
        << "each counted from its own read, not from the connection's opening";

    // A putt held until the host hands out the next turn counts from its read: the others
    // wait for it all that time.
    host.net.localBallStopped();
    ann.send("Q");
    bob.send("Q");
    ASSERT_TRUE(host.listener.waitFor(NetAllStopped));
    ann.sendEach({"P2.000000|0.000000", "MAnn|marker"});
    EXPECT_EQ(bob.expect('M').value_or(""), "Ann|marker");
    ASSERT_TRUE(eventually([&] { return relays->snapshot().count == 4; }));
    const std::uint64_t sumBefore = relays->snapshot().sumNs;
    constexpr auto kHold = std::chrono::milliseconds(50);
    std::this_thread::sleep_for(kHold);
    host.net.setTurnOwner(connectionOf("Ann"));
    EXPECT_EQ(bob.expect('P').value_or(""), "2.000000|0.000000");
    ASSERT_TRUE(eventually([&] { return relays->snapshot().count == 5; }));
    EXPECT_GE(relays->snapshot().sumNs - sumBefore,
              static_cast<std::uint64_t>(std::chrono::nanoseconds(kHold).count()));
}

TEST_F(ServerAuthorityTest, AimsAndPuttsTravelOnlyInTheFormTheGameWrites) {
    startGame();
    host.net.setTurnOwner(connectionOf("Ann"));
    const std::string huge(4000, '9');
    ann.sendEach({"A1.0", "A" + huge, "A1.00x", "P" + huge + "|1", "P5|1", "P5.000000|1.000000|x"});
    EXPECT_EQ(bob.lettersWithin(Quiet), "");
    EXPECT_EQ(host.net.refusals().badForm, 6u);
    ann.send("A-0.50");
    bob.expectNext('A', "-0.50");
}

TEST_F(ServerAuthorityTest, AFloodOfAimsIsThinnedBeforeItIsCopiedToEveryone) {
    startGame();
    host.net.setTurnOwner(connectionOf("Ann"));
    for (int i = 0; i < 200; ++i) {
        ann.send("A1.00");
    }
    ann.send("Mdone");
    ASSERT_TRUE(bob.expect('M'));
    EXPECT_LT(host.listener.count(NetAim), 100) << "at most one aim every 20 ms is relayed";
    EXPECT_GE(host.listener.count(NetAim), 1);
}

TEST_F(ServerAuthorityTest, UnknownMessagesAreDroppedAndLoggedAtMostOnceAMinuteWithoutNames) {
    for (int i = 0; i < 50; ++i) {
        ann.send("Z" + std::string(1000, 'x'));
    }
    ann.send("MAnn|after");
    ASSERT_TRUE(host.listener.waitFor(NetChat));
    EXPECT_EQ(host.listener.count(NetChat), 1) << "an unknown message is no chat line";
    EXPECT_EQ(bob.expect('M').value_or(""), "Ann|after") << "and reaches nobody";
    EXPECT_EQ(host.net.refusals().unknownLetter, 50u);
    const auto lines = log();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].starts_with("dropped unknown message from 127.0.0.1:")) << lines[0];
    EXPECT_LT(lines[0].size(), 120u) << "the line is capped";
    EXPECT_EQ(lines[0].find("Ann"), std::string::npos);
}

TEST_F(ServerAuthorityTest, AComputerWithSeveralPlayersSpeaksForAllOfThemOrAnyOne) {
    // The game's chat box names every player of its computer, "Ann, Ada".
    ann.send("NAda|65280|1|0|");
    ASSERT_TRUE(bob.expect('O'));
    ann.sendEach({"MAnn, Ada|hello from both", "MAda|just Ada", "MAnn, Bob|not Bob"});
    EXPECT_EQ(bob.expect('M').value_or(""), "Ann, Ada|hello from both");
    EXPECT_EQ(bob.expect('M').value_or(""), "Ada|just Ada");
    EXPECT_EQ(bob.expect('M').value_or(""), "Ann|not Bob");
}

TEST_F(ServerAuthorityTest, OnlyTheGamesLevelsAreSentAndEachOnce) {
    ann.sendEach({"Jsecret", "Jh1", "Jh1", "Jh2"});
    EXPECT_EQ(std::ranges::count(ann.lettersWithin(Quiet), 'L'), 2)
        << "h1 and h2 once; no level outside the course";
    EXPECT_EQ(host.net.refusals().levelRequest, 2u);
}

TEST_F(ServerAuthorityTest, NamesAndChatReachOnlyClientsThatHaveGreeted) {
    RawPeer stranger;
    ASSERT_TRUE(stranger.connect(port));
    ann.send("MAnn|hello");
    ASSERT_TRUE(bob.expect('M'));
    bob.close();
    ASSERT_TRUE(host.listener.waitFor(NetDisconnectInfo));
    // The stranger saw the greeting and the course's levels, never a name.
    EXPECT_EQ(stranger.lettersWithin(Quiet), "HCII");
    stranger.send("HTrundlex 1.01");
    const auto list = stranger.expect('O');
    ASSERT_TRUE(list);
    EXPECT_EQ(*list, "Ann|255|2|1|0|") << "names come with the greeting";
}

TEST_F(ServerAuthorityTest, AClientThatNeverReportsItsStopIsTakenAsStopped) {
    NetTimeouts timeouts;
    timeouts.stopReport = std::chrono::milliseconds(300);
    host.net.setTimeouts(timeouts);
    startGame();
    host.net.setTurnOwner(connectionOf("Ann"));
    ann.send("P2.000000|0.000000");
    ASSERT_TRUE(host.listener.waitFor(NetPutt));
    host.net.localBallStopped();
    ann.send("Q");
    // Bob never reports.
    ASSERT_TRUE(host.listener.waitFor(NetAllStopped));
    EXPECT_TRUE(ann.expect('Q'));
    EXPECT_TRUE(host.net.isConnected()) << "taken as stopped, not thrown out";
    const auto lines = log();
    EXPECT_TRUE(std::ranges::any_of(lines, [](const std::string& l) {
        return l.starts_with("no stop report from 127.0.0.1:");
    }));
}

TEST_F(ServerAuthorityTest, AGameInWhichAClientSaysNothingForTheIdleLimitLetsItGo) {
    NetTimeouts timeouts;
    timeouts.gameIdle = std::chrono::milliseconds(1500);
    host.net.setTimeouts(timeouts);
    startGame();
    // Ann keeps talking, Bob does not.
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (host.net.connectionCount() == 2 && std::chrono::steady_clock::now() < deadline) {
        ann.send("MAnn|still here");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(host.net.connectionCount(), 1);
    EXPECT_EQ(host.listener.dataOf(NetDisconnectInfo).dropReason, DropReason::Idle);
    EXPECT_EQ(host.listener.dataOf(NetDisconnectInfo).disconnectNames, "Bob");
}

TEST(SendBudgetTest, TheHostsBudgetDropsTheClientWithTheLongestQueueFirst) {
    // A budget far below one client's own cap (64 MiB): Bob reads nothing, Ann reads
    // everything. (The sockets' buffers take a few mebibytes before anything waits here.)
    constexpr std::size_t kCap = 1u << 20;
    auto budget = std::make_shared<SendBudget>(kCap);
    Computer host{{}};
    host.addLevels({"h1", "h2"}, true);
    host.net.setSendBudget(budget);
    const std::uint16_t port = host.serve();
    RawPeer ann;
    RawPeer bob;
    enter(ann, port, "Ann");
    enter(bob, port, "Bob");
    std::atomic<bool> reading{true};
    std::atomic<std::size_t> annHas{0};
    std::thread reader([&] {
        while (reading) {
            if (const auto message = ann.receive(std::chrono::milliseconds(20));
                message && message->letter == netproto::Chat) {
                ++annHas;
            }
        }
    });
    const std::string text(4000, 'x');
    std::size_t sent = 0;
    std::size_t lines = 0;
    // As a room's traffic comes: Ann has read everything sent before the next lines go, so
    // only Bob's queue grows, whatever the sockets' buffers hold on this system.
    while (budget->shed() == 0 && sent < 32 * kCap) {
        host.net.sendChat(text, "Host");
        sent += text.size();
        if (++lines % 25 == 0) {
            const auto deadline = std::chrono::steady_clock::now() + Patience;
            while (annHas < lines && budget->shed() == 0 &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }
    EXPECT_TRUE(host.listener.waitFor(NetDisconnectInfo));
    EXPECT_LT(sent, 32 * kCap) << "dropped once the host's budget was spent";
    EXPECT_EQ(host.listener.dataOf(NetDisconnectInfo).disconnectNames, "Bob");
    EXPECT_EQ(budget->shed(), 1u);
    reading = false;
    reader.join();
    host.net.endGame();
    // Every byte counted is given back once the connections have gone.
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (budget->queued() != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(budget->queued(), 0u);
}

}  // namespace
}  // namespace trundlex::testing
