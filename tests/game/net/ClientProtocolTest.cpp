// A client as a server made by hand sees it, hostile servers included.
#include <tuple>

#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

class ClientProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        guest.addLevels({"old"}, true);
        guest.join(server.port());
        peer = server.accept();
        ASSERT_TRUE(guest.listener.waitFor(NetConnectionAdded));
    }
    // Reads the client's announcement and greeting.
    void skipGreeting() {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(peer.receive());
        }
    }
    // Announces levels the way a server does: the count, then one ID each.
    void announceLevels(const std::vector<std::string>& ids) {
        peer.send("C" + std::to_string(ids.size()));
        for (const std::string& id : ids) {
            peer.send("I" + id);
        }
    }
    // After the greeting: the players, "G" answered by "D", then "S".
    void confirmStart() {
        peer.sendEach({"HTrundlex 1.01", "OHost|1|1|0|0|Bob|2|1|0|1|Cy|3|1|0|1|", "G"});
        ASSERT_TRUE(peer.expect('D'));
    }
    void startGame() {
        confirmStart();
        peer.send("S");
        ASSERT_TRUE(guest.listener.waitFor(NetStart));
    }

    Computer guest{{"Bob", "Cy"}};
    RawServer server;
    RawPeer peer;
};

TEST_F(ClientProtocolTest, ClientAnnouncesItsPlayersThenGreets) {
    peer.expectNext('N', "Bob|65280|1|0|");
    peer.expectNext('N', "Cy|65280|1|0|");
    peer.expectNext('H', "Trundlex 1.01");
    EXPECT_EQ(guest.lobby.waitForStatus(LobbyText::ConnectionOpen)->english(), "Connection open!");
    EXPECT_EQ(guest.match.LevelCount(), 0) << "the server's levels replace the client's";
    EXPECT_EQ(guest.playerNames(), (std::vector<std::string>{"Bob *", "Cy *"}));
}

TEST_F(ClientProtocolTest, PlayerListOfTheServerReplacesTheClientsPlayers) {
    skipGreeting();
    peer.send("OHost|1|1|0|0|Bob|2|1|0|1|Cy|3|1|0|1|");
    ASSERT_TRUE(guest.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 3; }));
    EXPECT_EQ(guest.playerNames(), (std::vector<std::string>{"Host", "Bob *", "Cy *"}));

    // Garbage records are skipped and the list stays bounded however long the body is.
    std::string hostile = "O||||0|Zed|5|1|0|0|";
    for (int i = 0; i < 100; ++i) {
        hostile += "X" + std::to_string(i) + "|1|1|0|0|";
    }
    peer.send(hostile);
    ASSERT_TRUE(guest.lobby.waitUntil(
        [](auto& v) { return v.snapshot.playerCount == netproto::MaxPlayers; }));
    auto lock = guest.net.lock();
    EXPECT_EQ(guest.match.GetPlayer(0)->GetName(), "Zed");
    EXPECT_FALSE(guest.match.GetPlayer(0)->IsLocalPlayer());
}

TEST_F(ClientProtocolTest, RoomHostsMarksShowTheCreatorsAndTheComputerPlayers) {
    skipGreeting();
    // A computer player added in the lobby says so; an earlier server reads past the mark.
    ASSERT_TRUE(guest.net.addComputerPlayer("Robo", 0xff0000, ComputerStrength::Easy));
    peer.expectNext('N', "Robo|16711680|0|0|1|");
    peer.send("OAnn|1|1|0|2|Tin|2|1|0|6|Pim|3|1|0|4|Bob|4|1|0|1|Robo|5|0|0|1|Cy|6|1|0|0|");
    ASSERT_TRUE(guest.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 6; }));
    std::vector<std::string> marks;
    for (const LobbyPlayer& player : guest.lobby.view().snapshot.players) {
        marks.push_back(player.name + (player.creator ? " creator" : "") +
                        (player.computer ? " computer" : "") + (player.local ? " here" : ""));
    }
    EXPECT_EQ(marks, (std::vector<std::string>{"Ann creator", "Tin creator computer",
                                               "Pim computer", "Bob here", "Robo computer here",
                                               "Cy"}));
}

TEST_F(ClientProtocolTest, OwnPlayersPlayedByTheComputerStaySoInTheServersList) {
    {
        auto lock = guest.net.lock();
        guest.match.GetPlayer(1)->SetComputer(ComputerStrength::Hard);  // Cy
    }
    skipGreeting();
    const auto strengthOf = [&](std::string_view name) {
        auto lock = guest.net.lock();
        for (int i = 0; i < guest.match.PlayerCount(); ++i) {
            if (guest.match.GetPlayer(i)->GetName() == name) {
                return guest.match.GetPlayer(i)->GetComputer();
            }
        }
        return ComputerStrength::Person;
    };
    // A host with no players yet sends an empty list first; then every new list is rebuilt
    // from the one before. A remote player of the same name is somebody else's.
    peer.send("O");
    ASSERT_TRUE(guest.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 0; }));
    for (int round = 0; round < 2; ++round) {
        peer.send("OCy|1|1|0|0|Bob|2|1|0|1|Cy|3|1|0|1|");
        ASSERT_TRUE(guest.lobby.waitUntil([&](auto& v) {
            return v.snapshot.playerCount == 3 && strengthOf("Bob") == ComputerStrength::Person;
        }));
        auto lock = guest.net.lock();
        EXPECT_EQ(guest.match.GetPlayer(0)->GetComputer(), ComputerStrength::Person);
        EXPECT_EQ(guest.match.GetPlayer(1)->GetComputer(), ComputerStrength::Person);
        EXPECT_EQ(guest.match.GetPlayer(2)->GetComputer(), ComputerStrength::Hard);
        EXPECT_TRUE(guest.match.GetPlayer(2)->IsLocalPlayer());
    }
}

TEST_F(ClientProtocolTest, ClientLackingTwoOfFiveLevelsFetchesThemThenReportsReady) {
    guest.addLevels({"l1", "l2", "l3"}, false);
    skipGreeting();
    announceLevels({"l1", "l2", "l3", "l4", "l5"});
    EXPECT_EQ(peer.expect('J'), "l4");
    EXPECT_EQ(peer.expect('J'), "l5");
    EXPECT_EQ(peer.lettersWithin(Quiet), "") << "no more requests, not ready yet";
    EXPECT_EQ(guest.lobby.waitForStatus(LobbyText::TransferLevels)->count, 5);

    peer.send("L" + testLevel("l4").toText());
    EXPECT_EQ(peer.lettersWithin(Quiet), "");
    peer.send("L" + testLevel("l5").toText());
    EXPECT_TRUE(peer.expect('R'));
    EXPECT_EQ(guest.lobby.waitForStatus(LobbyText::WaitingForStart)->english(),
              "Waiting for start message.");
    auto lock = guest.net.lock();
    EXPECT_GE(guest.library.findById("l4"), 0);
    EXPECT_GE(guest.library.findById("l5"), 0);
    EXPECT_EQ(guest.match.GetLevelId(4), "l5");
}

TEST_F(ClientProtocolTest, ClientHoldingEveryLevelReportsReadyAfterTheLastId) {
    guest.addLevels({"l1", "l2", "l3", "l4", "l5"}, false);
    skipGreeting();
    announceLevels({"l1", "l2", "l3", "l4", "l5"});
    EXPECT_EQ(peer.lettersWithin(Quiet), "R");
}

TEST_F(ClientProtocolTest, HostileLevelCountsIdsAndTextsAreRefused) {
    skipGreeting();
    peer.sendEach({"C-5", "C99999999", "C2", "Ia", "Ib", "Ic",
                   "I" + std::string(netproto::MaxLevelIdBytes + 1, 'x'),
                   "L{Trundlex1}{a}{evil}{x}{65536}{65536}{1}{1}{$}",
                   "L{Trundlex1}{a}{evil}{x}{2147483647}{2147483647}{1}{1}",
                   "L" + testLevel("unasked").toText()});
    EXPECT_EQ(peer.lettersWithin(Quiet), "JJ") << "only the two announced levels are asked for";

    auto lock = guest.net.lock();
    EXPECT_EQ(guest.match.LevelCount(), 2) << "no more IDs than announced";
    EXPECT_EQ(guest.library.findById("a"), -1);
    EXPECT_EQ(guest.library.findById("unasked"), -1) << "only asked-for levels join";
    EXPECT_EQ(guest.library.count(), 1);
}

// A hostile server's levels: larger than the editor makes, or more text than a game holds.
TEST_F(ClientProtocolTest, OversizedLevelsAndFloodsOfLevelTextAreRefused) {
    skipGreeting();
    announceLevels({"wide", "fits"});
    ASSERT_TRUE(peer.expect('J'));
    ASSERT_TRUE(peer.expect('J'));
    for (const auto& [id, width, height] :
         {std::tuple{"wide", 100, 2}, std::tuple{"wide", 2, 100}, std::tuple{"fits", 99, 99}}) {
        Level level(width, height);
        level.setId(id);
        peer.send("L" + level.toText());
    }
    EXPECT_EQ(peer.lettersWithin(Quiet), "") << "not ready: the wide level was refused";
    {
        auto lock = guest.net.lock();
        EXPECT_EQ(guest.library.findById("wide"), -1);
        EXPECT_GE(guest.library.findById("fits"), 0);
    }
    // Each text below the frame limit, together past what one game may take: the client
    // leaves the server.
    const std::string junk = "L" + std::string(netproto::MaxPendingBytes - 16, '{');
    for (std::size_t sent = 0; sent <= netproto::MaxLevelBytesPerGame && peer.trySendRaw(
             junk + std::string(netproto::Terminator));
         sent += junk.size()) {
    }
    EXPECT_TRUE(peer.closedByPeer());
    EXPECT_TRUE(guest.listener.dataOf(NetDisconnectInfo).serverLost);
}

TEST_F(ClientProtocolTest, ServerOfAnotherVersionIsLeftWithBothVersionsShown) {
    skipGreeting();
    peer.send("HTrundlex 2.00");
    peer.send("OHost|1|1|0|0|");
    EXPECT_TRUE(peer.closedByPeer());
    const NetEventData info = guest.listener.dataOf(NetDisconnectInfo);
    EXPECT_EQ(info.disconnectText, "You have been disconnected from the server.");
    EXPECT_TRUE(info.serverLost);
    EXPECT_TRUE(guest.listener.waitFor(NetConnectionClosed)) << "it ended in the lobby";
    EXPECT_EQ(guest.lobby.waitForStatus(LobbyText::IllegalVersion)->english(),
              "Illegal server version (server: Trundlex 2.00, this version: Trundlex 1.01).");
    EXPECT_EQ(guest.lobby.view().statuses.back().text, LobbyText::IllegalVersion)
        << "shown after the interruption";
    EXPECT_EQ(guest.playerNames(), (std::vector<std::string>{"Bob *", "Cy *"}))
        << "the list after the mismatch was dropped";
}

TEST_F(ClientProtocolTest, StartHandshakeThenPuttsAndReportsFromTheServer) {
    skipGreeting();
    peer.send("P1|1");
    peer.send("S");
    startGame();
    EXPECT_TRUE(guest.lobby.view().closed);
    EXPECT_EQ(guest.listener.count(NetLobbyClosed), 1);

    peer.send("S");
    peer.send("A2.36");
    EXPECT_EQ(guest.listener.dataOf(NetAim).aim, 2.36);
    peer.send("P2.5|0.75");
    const NetEventData putt = guest.listener.dataOf(NetPutt);
    EXPECT_EQ(putt.puttForce, 2.5);
    EXPECT_EQ(putt.puttAngle, 0.75);

    guest.net.localBallStopped();
    EXPECT_TRUE(peer.expect('Q'));
    EXPECT_FALSE(guest.listener.waitFor(NetAllStopped, 1, Quiet)) << "the server decides";
    peer.send("Q");
    EXPECT_TRUE(guest.listener.waitFor(NetAllStopped));

    peer.sendEach({"NEve|1|1|0|", "Jold", "R", "D", "TAnn, Bo"});
    EXPECT_EQ(guest.listener.dataOf(NetDisconnectInfo).disconnectText, "Ann, Bo is disconnected.");
    EXPECT_EQ(peer.lettersWithin(Quiet), "") << "nothing answers what only clients send";
    EXPECT_EQ(guest.listener.count(NetStart), 1) << "one start per handshake";
    EXPECT_EQ(guest.listener.count(NetPutt), 1) << "the putt before the start was dropped";
    EXPECT_EQ(guest.playerNames(), (std::vector<std::string>{"Host", "Bob *", "Cy *"}));
}

TEST_F(ClientProtocolTest, ServerLostDuringTheStartLetsTheClientPlayOn) {
    skipGreeting();
    confirmStart();
    peer.close();
    EXPECT_TRUE(guest.listener.waitFor(NetStart)) << "no \"S\" will ever come";
    EXPECT_TRUE(guest.listener.waitFor(NetEnded));
}

}  // namespace
}  // namespace trundlex::testing
