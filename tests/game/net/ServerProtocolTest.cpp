// A server as a client made by hand sees it, hostile clients included.
#include <memory>
#include <set>
#include <sstream>

#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

class ServerProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.addLevels({"h1", "h2"}, true);
        port = host.serve();
        ASSERT_NE(port, 0);
        ASSERT_TRUE(client.connect(port));
        ASSERT_TRUE(host.listener.waitFor(NetConnectionAdded));
    }
    // Reads the greeting up to the last level ID, greets back and reads the player list
    // that a greeted client is sent.
    void skipGreeting() {
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(client.receive());
        }
        client.send("HTrundlex 1.01");
        ASSERT_TRUE(client.expect('O'));
    }
    // Joins with one player, reports ready and waits for the server's start.
    void joinUntilStart() {
        skipGreeting();
        client.send("NAnn|255|2|1|");
        client.send("R");
        ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.startEnabled; }));
        ASSERT_TRUE(host.net.startHandshake());
        ASSERT_TRUE(client.expect('G'));
    }
    // Then confirms the start.
    void startGame() {
        joinUntilStart();
        client.send("D");
        ASSERT_TRUE(client.expect('S'));
        ASSERT_TRUE(host.listener.waitFor(NetStart));
    }

    Computer host{{"Host"}};
    std::uint16_t port = 0;
    RawPeer client;
};

TEST_F(ServerProtocolTest, NewClientIsGreetedWithVersionAndLevelsAndPlayersOnceItGreets) {
    client.expectNext('H', "Trundlex 1.01");
    client.expectNext('C', "2");
    client.expectNext('I', "h1");
    client.expectNext('I', "h2");
    EXPECT_EQ(client.lettersWithin(Quiet), "") << "no names for a client that has not greeted";
    client.send("HTrundlex 1.01");
    client.expectNext('O', "Host|65280|1|0|0|");
    client.send("HTrundlex 1.01");
    EXPECT_EQ(client.lettersWithin(Quiet), "") << "a repeated greeting brings nothing new";

    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.snapshot.connectionCount == 1; }));
    const LobbySnapshot lobby = host.lobby.view().snapshot;
    ASSERT_EQ(lobby.computers.size(), 1u);
    EXPECT_EQ(lobby.computers[0].address, Loopback);
    EXPECT_EQ(lobby.computers[0].statusEnglish(), "Initializing game...");
    EXPECT_EQ(lobby.localNames, "Host");
    EXPECT_FALSE(host.lobby.view().startEnabled) << "a new client holds no level yet";
}

TEST_F(ServerProtocolTest, ClientJoinsWithPlayersFetchesLevelsAndGetsReady) {
    skipGreeting();
    client.send("NAnn|255|2|1|");
    EXPECT_EQ(client.expect('O'), "Host|65280|1|0|0|Ann|255|2|1|1|") << "Ann is the client's";
    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann"}));

    client.send("Jh2");
    const auto text = client.expect('L');
    ASSERT_TRUE(text);
    Level sent;
    ASSERT_TRUE(sent.fromText(*text));
    EXPECT_EQ(sent.id(), "h2");
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) {
        const auto& computers = v.snapshot.computers;
        return !computers.empty() && computers[0].status == ComputerStatus::TransferLevel;
    }));
    EXPECT_EQ(host.lobby.view().snapshot.computers[0].statusEnglish(),
              "Transfer level \"Hole h2\"...");
    EXPECT_EQ(host.lobby.view().snapshot.computers[0].playerNames, "Ann");

    client.send("Jnowhere");
    client.send("R");
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.startEnabled; }));
    EXPECT_EQ(host.lobby.view().snapshot.computers[0].statusEnglish(), "Ready");
    EXPECT_EQ(client.lettersWithin(Quiet), "") << "no level for an unknown ID";
}

TEST_F(ServerProtocolTest, ComputerPlayersAreMarkedForTheOthersWhileOwnPlayersStayPlainlyOwn) {
    skipGreeting();
    client.send("NAnn|255|2|1|");
    ASSERT_TRUE(client.expect('O'));
    client.send("NBot|16711680|0|0|1|");
    // An earlier client takes exactly "1" for its own: its computer players must read so too.
    EXPECT_EQ(client.expect('O'), "Host|65280|1|0|0|Ann|255|2|1|1|Bot|16711680|0|0|1|");

    RawPeer other;
    ASSERT_TRUE(other.connect(port));
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(other.receive());
    }
    other.send("HTrundlex 1.01");
    EXPECT_EQ(other.expect('O'), "Host|65280|1|0|0|Ann|255|2|1|0|Bot|16711680|0|0|4|")
        << "to the others, Bot is a computer player and nobody created a room here";

    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 3; }));
    const auto& players = host.lobby.view().snapshot.players;
    EXPECT_FALSE(players[1].computer);
    EXPECT_TRUE(players[2].computer) << "the host's own lobby shows it too";
}

TEST(ServerWithoutPlayersTest, StartsOnlyOnceSomebodyHasJoinedToPlay) {
    Computer host{{}};
    host.addLevels({"h1"}, true);
    RawPeer client;
    ASSERT_TRUE(client.connect(host.serve()));
    for (const char letter : {'H', 'C', 'I'}) {
        ASSERT_TRUE(client.expect(letter));
    }
    client.send("HTrundlex 1.01");
    ASSERT_TRUE(client.expect('O'));
    client.send("R");
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) {
        const auto& computers = v.snapshot.computers;
        return !computers.empty() && computers[0].status == ComputerStatus::Ready;
    }));
    EXPECT_FALSE(host.net.startHandshake()) << "nobody to play";
    client.send("NAnn|255|2|1|");
    ASSERT_TRUE(host.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 1; }));
    EXPECT_TRUE(host.net.startHandshake());
    EXPECT_TRUE(client.expect('G'));
}

TEST_F(ServerProtocolTest, VersionMismatchEndsTheConnectionAndDropsWhatFollows) {
    skipGreeting();
    client.sendRaw("HTrundlex 0.99\x07\x07NZed|1|1|1|\x07\x07");
    EXPECT_TRUE(client.closedByPeer());
    EXPECT_EQ(host.listener.dataOf(NetDisconnectInfo).disconnectText, "127.0.0.1 is disconnected.")
        << "a client without players is named by its address";
    EXPECT_TRUE(host.listener.waitFor(NetConnectionClosed));
    EXPECT_EQ(host.lobby.waitForStatus(LobbyText::ClientDisconnected)->english(),
              "127.0.0.1 disconnected.");
    EXPECT_EQ(host.playerNames(), std::vector<std::string>{"Host *"});
}

TEST_F(ServerProtocolTest, ChatReachesTheListenersUnderTheSendersOwnName) {
    skipGreeting();
    const auto chatLine = [&](int number) {
        const NetEventData chat = host.listener.dataOf(NetChat, number);
        return chat.chatName + ": " + chat.chatText;
    };
    client.send("MAnn|nobody plays me yet");
    client.send("NAnn|255|2|1|");
    ASSERT_TRUE(client.expect('O'));
    client.send("MAnn|hello|there");
    EXPECT_EQ(chatLine(1), "Ann: hello|there") << "a client without players says nothing";
    client.send("MHost|I am the host");
    EXPECT_EQ(chatLine(2), "Ann: I am the host") << "nobody speaks for another's player";
    client.send("Mnobar");
    EXPECT_EQ(chatLine(3), "Ann: ");
    EXPECT_EQ(host.net.refusals().forgedName, 2u);
    EXPECT_EQ(host.net.refusals().chat, 1u);
}

TEST_F(ServerProtocolTest, MessagesOnlyAServerMaySendAreIgnored) {
    // Regression: a client's "O", "C", "I", "G" or "S" wiped the server's players, changed
    // its levels or closed its lobby.
    skipGreeting();
    client.send("NAnn|255|2|1|");
    ASSERT_TRUE(client.expect('O'));
    client.sendEach({"OEvil|1|1|1|1|", "C7", "Ix", "L" + testLevel("x").toText(), "G", "S",
                     "TSomebody", "Mdone|"});
    ASSERT_TRUE(host.listener.waitFor(NetChat));

    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann"}));
    EXPECT_EQ(host.match.LevelCount(), 2);
    EXPECT_EQ(host.library.findById("x"), -1);
    EXPECT_FALSE(host.net.isLobbyClosed());
    EXPECT_EQ(host.listener.count(NetLobbyClosed), 0);
    EXPECT_EQ(host.listener.count(NetStart), 0);
    EXPECT_EQ(host.listener.count(NetDisconnectInfo), 0);
}

TEST_F(ServerProtocolTest, HostileLobbyInputIsRefusedWithinBounds) {
    skipGreeting();
    client.send("N||||");
    client.send("N" + std::string(netproto::MaxNameBytes + 1, 'a') + "|1|1|1|");
    for (int i = 0; i < netproto::MaxPlayers + 8; ++i) {
        client.send("NP" + std::to_string(i) + "|1|1|0|");
    }
    client.sendEach({"P5|0.5", "A1.0", "Q", "D", "Mdone|"});
    ASSERT_TRUE(host.listener.waitFor(NetChat));

    auto lock = host.net.lock();
    EXPECT_EQ(host.match.PlayerCount(), netproto::MaxPlayers) << "the match stops growing";
    EXPECT_EQ(host.match.GetPlayer(1)->GetName(), "P0") << "records without a valid name";
    EXPECT_EQ(host.listener.count(NetPutt), 0) << "putts before the start are dropped";
    EXPECT_EQ(host.listener.count(NetAim), 0);
    EXPECT_EQ(host.listener.count(NetAllStopped), 0);
    EXPECT_EQ(host.listener.count(NetStart), 0) << "a confirmation without a start";
}

TEST_F(ServerProtocolTest, FloodWithoutTerminatorIsHandledAsADisconnection) {
    skipGreeting();
    client.send("NAnn|255|2|1|");
    ASSERT_TRUE(client.expect('O'));
    const std::string chunk(64 * 1024, 'x');
    for (std::size_t sent = 0; sent <= netproto::MaxPendingBytes; sent += chunk.size()) {
        if (!client.trySendRaw(chunk)) {
            break;
        }
    }
    EXPECT_TRUE(client.closedByPeer());
    EXPECT_EQ(host.listener.dataOf(NetDisconnectInfo).disconnectText, "Ann is disconnected.");
    EXPECT_EQ(host.playerNames(), std::vector<std::string>{"Host *"}) << "left in the lobby";
}

TEST_F(ServerProtocolTest, ConnectionsBeyondTheLimitAreClosedAtOnce) {
    std::vector<RawPeer> more(netproto::MaxClients);
    for (RawPeer& peer : more) {
        ASSERT_TRUE(peer.connect(port));
    }
    EXPECT_TRUE(more.back().closedByPeer());
    EXPECT_TRUE(more.front().receive()) << "the others are greeted";
    EXPECT_EQ(host.net.connectionCount(), netproto::MaxClients);
}

TEST_F(ServerProtocolTest, GameTakesOnePuttAtATimeAndWaitsForEveryStop) {
    startGame();
    client.sendEach({"D", "N Late|1|1|0|", "P1e300|0", "P5.5|1.25", "P5.500000|1.250000",
                     "P3.000000|0.000000", "A1.00"});
    const NetEventData putt = host.listener.dataOf(NetPutt);
    EXPECT_EQ(putt.puttForce, 5.5);
    EXPECT_EQ(putt.puttAngle, 1.25);

    client.send("Q");
    EXPECT_FALSE(host.listener.waitFor(NetAllStopped, 1, Quiet))
        << "the server's own ball still rolls";
    host.net.localBallStopped();
    ASSERT_TRUE(host.listener.waitFor(NetAllStopped));
    EXPECT_TRUE(client.expect('Q')) << "the server tells every client";

    client.send("Q");
    client.send("Mdone|");
    ASSERT_TRUE(host.listener.waitFor(NetChat));
    EXPECT_EQ(host.listener.count(NetStart), 1) << "a repeated confirmation starts nothing";
    EXPECT_EQ(host.listener.count(NetPutt), 1) << "one putt until every ball stopped";
    EXPECT_EQ(host.listener.count(NetAim), 0) << "no aim while the ball rolls";
    EXPECT_EQ(host.listener.count(NetAllStopped), 1) << "a stray stop report hands out nothing";
    EXPECT_EQ(host.net.refusals().badForm, 2u) << "putts not in the game's own form";
    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann"}));
}

TEST_F(ServerProtocolTest, ClientLeavingBeforeItConfirmsDoesNotHoldUpTheStart) {
    joinUntilStart();
    client.close();
    EXPECT_TRUE(host.listener.waitFor(NetStart));
    EXPECT_TRUE(host.listener.waitFor(NetEnded));
    EXPECT_EQ(host.playerNames(), (std::vector<std::string>{"Host *", "Ann *"}));
}

TEST_F(ServerProtocolTest, TurnIsHandedOutBeforeAPuttThatFollowsTheStopIsTaken) {
    // Regression: events of different threads overtook each other, so a putt arriving right
    // after "Q" was credited before the next turn had been handed out.
    startGame();
    double force = 2.0;
    double angle = 0.0;
    ASSERT_TRUE(host.net.sendPutt(force, angle));
    ASSERT_TRUE(client.expect('P'));
    host.net.localBallStopped();

    // Owned by the reaction, which also runs for the events of the game's end, after this
    // body has returned.
    struct Flags {
        std::atomic<bool> handling{false};
        std::atomic<bool> overlapped{false};
    };
    const auto flags = std::make_shared<Flags>();
    host.listener.setReaction([flags](NetEvent event) {
        if (flags->handling.exchange(true)) {
            flags->overlapped = true;
        }
        if (event == NetAllStopped) {
            std::this_thread::sleep_for(100ms);  // a slow user interface
        }
        flags->handling = false;
    });
    client.sendRaw("Q\x07\x07P4.000000|0.250000\x07\x07");
    ASSERT_TRUE(host.listener.waitFor(NetPutt));

    std::vector<NetEvent> order = host.listener.sequence();
    order.erase(order.begin(), std::find(order.begin(), order.end(), NetAllStopped));
    EXPECT_EQ(order, (std::vector<NetEvent>{NetAllStopped, NetPutt}));
    EXPECT_FALSE(flags->overlapped);
}

TEST_F(ServerProtocolTest, WhatWasSentBeforeTheGameEndedStillArrivesBeforeTheClose) {
    skipGreeting();
    // More than the socket buffers hold while the client does not read, so most of it is
    // still waiting to be written when the game ends.
    const std::string text(4000, 'x');
    constexpr int kLines = 500;
    for (int i = 0; i < kLines; ++i) {
        ASSERT_EQ(host.net.sendChat(text, "Host"), netproto::TextProblem::None);
    }
    host.net.endGame();
    int received = 0;
    while (const auto message = client.receive()) {
        received += message->letter == 'M' && message->body == "Host|" + text;
    }
    EXPECT_EQ(received, kLines);
    EXPECT_TRUE(client.closedByPeer());
}

// Players who each kept the first colour offered on their own computer would meet with the
// same ball: the server gives a newcomer whose colour is on the green already a free one, and
// its list tells the newcomer's computer too.
TEST_F(ServerProtocolTest, APlayerArrivingWithATakenBallColourGetsAFreeOne) {
    skipGreeting();
    const auto colours = [](const std::string& list) {
        std::vector<std::string> fields;
        std::stringstream in(list);
        for (std::string field; std::getline(in, field, '|');) {
            fields.push_back(field);
        }
        std::vector<std::string> each;
        for (std::size_t i = 1; i < fields.size(); i += 5) {
            each.push_back(fields[i]);
        }
        return each;
    };
    client.send("NAnn|65280|2|1|");
    const auto afterAnn = colours(client.expect('O').value_or(""));
    ASSERT_EQ(afterAnn.size(), 2u);
    EXPECT_EQ(afterAnn[0], "65280") << "the host's own ball keeps its colour";
    EXPECT_NE(afterAnn[1], "65280");
    client.send("NBo|255|2|0|");
    const auto afterBo = colours(client.expect('O').value_or(""));
    ASSERT_EQ(afterBo.size(), 3u);
    EXPECT_EQ(std::set<std::string>(afterBo.begin(), afterBo.end()).size(), 3u);
    EXPECT_EQ(afterBo[2], "255") << "a colour nobody has is kept";
    // The host's match and lobby show the same balls as the list.
    const auto shown = host.net.lobbySnapshot().players;
    ASSERT_EQ(shown.size(), 3u);
    auto lock = host.net.lock();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::to_string(host.match.GetPlayer(i)->GetStyle().colour), afterBo[i]);
        EXPECT_EQ(std::to_string(shown[static_cast<std::size_t>(i)].style.colour), afterBo[i]);
    }
}

TEST_F(ServerProtocolTest, AClientThatReadsNothingIsDroppedBeforeItsBacklogGrowsWithoutBound) {
    const std::string text(4000, 'x');
    const auto lines = 2 * Connection::MaxQueuedBytes / text.size();
    for (std::size_t i = 0; i < lines && host.net.isConnected(); ++i) {
        host.net.sendChat(text, "Host");
    }
    EXPECT_TRUE(host.listener.waitFor(NetDisconnectInfo));
    EXPECT_FALSE(host.net.isConnected());
}

}  // namespace
}  // namespace trundlex::testing
