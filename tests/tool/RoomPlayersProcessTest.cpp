// The players of a room: the creator's role handed on, a player taken out of the lobby,
// players the host's computer takes over, and the host's stop, as raw clients and as the
// game's own network object see them.
#include <csignal>
#include <memory>

#include "RoomHostFixture.h"
#include "game/net/NetTestSupport.h"

namespace trundlex {
namespace {

using testing::RoomPeer;
using Kind = roomproto::Answer::Kind;
using namespace std::chrono_literals;

class RoomPlayersTest : public testing::RoomHostProcessTest {
protected:
    // A room created by Ada (who is left to the caller) and joined by the others.
    std::string openRoom(std::uint16_t port, std::unique_ptr<RoomPeer>& ada,
                         const std::vector<std::pair<RoomPeer*, std::string>>& guests) {
        ada = std::make_unique<RoomPeer>(address(), port);
        const std::string code = ada->create("");
        ada->enterAs("Ada");
        for (const auto& [peer, name] : guests) {
            EXPECT_EQ(peer->join(code, name).kind, Kind::Room) << name;
        }
        // Everybody is listed before the test goes on.
        while (const auto list = ada->next('O')) {
            if (std::ranges::all_of(guests, [&](const auto& g) {
                    return list->find(g.second + "|") != std::string::npos;
                })) {
                break;
            }
        }
        return code;
    }
};

TEST_P(RoomPlayersTest, TheNextClientBecomesTheCreatorWhenTheCreatorLeavesTheLobby) {
    // Regression: the host moved the role but never said so, and the room could not start.
    const std::uint16_t port = startHost();
    std::unique_ptr<RoomPeer> ada;
    RoomPeer bea(address(), port);
    RoomPeer cy(address(), port);
    openRoom(port, ada, {{&bea, "Bea"}, {&cy, "Cy"}});
    ada.reset();
    EXPECT_EQ(bea.next(roomproto::Letter).value_or("(none)"), "!");
    EXPECT_EQ(cy.lettersWithin(300ms).find(roomproto::Letter), std::string::npos)
        << "only the new creator is told";
    start({&bea, &cy});
}

TEST_P(RoomPlayersTest, TheCreatorAloneTakesAPlayerOutOfTheLobby) {
    const std::uint16_t port = startHost();
    std::unique_ptr<RoomPeer> ada;
    RoomPeer bea(address(), port);
    RoomPeer cy(address(), port);
    openRoom(port, ada, {{&bea, "Bea"}, {&cy, "Cy"}});
    // Cy's request comes first; the chat line after it shows it has been read.
    cy.sendEach({"W-Bea", "MCy|hello"});
    ASSERT_TRUE(ada->next('M'));
    EXPECT_EQ(bea.lettersWithin(300ms).find(roomproto::Letter), std::string::npos)
        << "a guest removes nobody";

    ada->send("W-Bea");
    EXPECT_EQ(bea.next(roomproto::Letter).value_or(""),
              "|The room's creator removed you from the room.");
    EXPECT_TRUE(bea.closedByPeer());
    while (const auto list = cy.next('O')) {
        if (list->find("Bea|") == std::string::npos) {
            break;
        }
    }
    start({ada.get(), &cy});
}

TEST_P(RoomPlayersTest, APlayerTheHostsComputerTakesOverIsNamedToTheOthersBeforeTheLoss) {
    const std::uint16_t port = startHost();
    std::unique_ptr<RoomPeer> ada;
    RoomPeer bea(address(), port);
    openRoom(port, ada, {{&bea, "Bea"}});
    start({ada.get(), &bea});
    bea.close();
    EXPECT_EQ(ada->next(roomproto::Letter).value_or(""), "*Bea");
    EXPECT_EQ(ada->next(netproto::Disconnected).value_or(""), "Bea");
}

TEST_P(RoomPlayersTest, ClientsHearThatTheHostStopsAndItSaysWhatItSaw) {
    const std::uint16_t port = startHost();
    std::unique_ptr<RoomPeer> ada;
    RoomPeer bea(address(), port);
    const std::string code = openRoom(port, ada, {{&bea, "Bea"}});
    start({ada.get(), &bea});
    // The host counts the game once it has followed it to its start.
    ASSERT_TRUE(host.waitForLine("room " + code + " start"));
    host.signal(SIGTERM);
    for (RoomPeer* peer : {ada.get(), &bea}) {
        EXPECT_EQ(peer->next(roomproto::Letter).value_or(""), ".");
        EXPECT_TRUE(peer->closedByPeer());
    }
    EXPECT_EQ(host.waitForExit(), 0);
    EXPECT_TRUE(host.waitForLine("start rooms port " + std::to_string(port) + " courses "));
    EXPECT_TRUE(host.waitForLine("stop rooms-created 1 games-started 1 joins 1 refused-joins 0"));
}

// The game's network object as the creator: it marks the player the host's computer took
// over, takes the creator's role when it is handed on, and ends its game when the host stops.
TEST_P(RoomPlayersTest, TheGameFollowsTheHostsNewsOfItsRoom) {
    const std::uint16_t port = startHost();
    RoomPeer ann(address(), port);
    const std::string code = ann.create("");
    ann.enterAs("Ann");
    testing::Computer bo{{"Bo"}};
    roomproto::Request join;
    join.kind = roomproto::Request::Kind::Join;
    join.code = code;
    ASSERT_TRUE(bo.net.startRoomClient(address(), port, join, &bo.lobby));
    ASSERT_TRUE(bo.lobby.waitForStatus(LobbyText::WaitingForStart)) << "Bo never got ready";
    EXPECT_FALSE(bo.net.lobbySnapshot().roomCreator);
    ann.close();
    ASSERT_TRUE(bo.lobby.waitUntil([](auto& v) { return v.snapshot.roomCreator; }))
        << "the creator's role was not handed on";
    RoomPeer cleo(address(), port);
    ASSERT_EQ(cleo.join(code, "Cleo").kind, Kind::Room);
    cleo.send("R");
    ASSERT_TRUE(bo.lobby.waitUntil([](auto& v) { return v.snapshot.playerCount == 2; }));
    ASSERT_TRUE(bo.net.askRoomStart());
    ASSERT_TRUE(cleo.next('G'));
    cleo.send("D");
    ASSERT_TRUE(bo.listener.waitFor(NetStart));

    // (The first departure was Ann's, from the lobby.)
    cleo.close();
    ASSERT_TRUE(bo.listener.waitFor(NetDisconnectInfo, 2));
    EXPECT_EQ(bo.listener.dataOf(NetDisconnectInfo, 2).computerPlaysFor, "Cleo");
    {
        auto lock = bo.net.lock();
        EXPECT_TRUE(bo.match.GetPlayer(1)->IsPlayedByPeerComputer());
    }
    host.signal(SIGTERM);
    ASSERT_TRUE(bo.listener.waitFor(NetEnded));
    const NetEventData lost = bo.listener.dataOf(NetDisconnectInfo, 3);
    EXPECT_TRUE(lost.hostStopped);
    EXPECT_TRUE(lost.gameAbandoned);
    auto lock = bo.net.lock();
    EXPECT_FALSE(bo.match.GetPlayer(1)->IsComputer()) << "no computer copy of Cleo here";
}

INSTANTIATE_TEST_SUITE_P(Ipv4, RoomPlayersTest, ::testing::Values(std::string("127.0.0.1")));

}  // namespace
}  // namespace trundlex
