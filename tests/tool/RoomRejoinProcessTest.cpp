// A player whose connection broke comes back to its seat with the token the host gave it:
// in a running game it gets its players back and the putts so far, once no ball rolls; a
// wrong token is a failed join like a wrong code.
#include <memory>

#include "RoomHostFixture.h"
#include "game/net/NetTestSupport.h"

namespace trundlex {
namespace {

using testing::RoomPeer;
using Kind = roomproto::Answer::Kind;
using namespace std::chrono_literals;

// Whether a player list ("O": name, colour, pattern, transparency, own, each ending in "|")
// marks `name` as the receiver's own.
bool markedOwn(const std::string& list, const std::string& name) {
    std::size_t at = list.find(name + "|");
    if (at == std::string::npos) {
        return false;
    }
    at += name.size() + 1;
    for (int field = 0; field < 3; ++field) {
        at = list.find('|', at) + 1;
    }
    return list.compare(at, 2, "1|") == 0;
}

class RoomRejoinTest : public testing::RoomHostProcessTest {
protected:
    // Ada creates a room, Bea joins, both start; the room's code once the host follows the
    // game (Ada has the first turn).
    std::string startedRoom(std::uint16_t port) {
        ada = std::make_unique<RoomPeer>(address(), port);
        bea = std::make_unique<RoomPeer>(address(), port);
        const std::string code = ada->create("");
        ada->enterAs("Ada");
        EXPECT_EQ(bea->join(code, "Bea").kind, Kind::Room);
        while (const auto list = ada->next('O')) {
            if (list->find("Bea|") != std::string::npos) {
                break;
            }
        }
        start({ada.get(), bea.get()});
        EXPECT_TRUE(host.waitForLine("room " + code + " start"));
        return code;
    }

    std::unique_ptr<RoomPeer> ada;
    std::unique_ptr<RoomPeer> bea;
};

TEST_P(RoomRejoinTest, EveryClientInARoomGetsASeatTokenOfItsOwn) {
    const std::uint16_t port = startHost();
    startedRoom(port);
    EXPECT_TRUE(roomproto::isToken(ada->token)) << ada->token;
    EXPECT_TRUE(roomproto::isToken(bea->token)) << bea->token;
    EXPECT_NE(ada->token, bea->token);
}

TEST_P(RoomRejoinTest, ADroppedPlayerGetsItsSeatBackWithThePuttsOnceNoBallRolls) {
    const std::uint16_t port = startHost();
    const std::string code = startedRoom(port);
    const std::string token = bea->token;
    ada->send("P3.000000|0.500000");
    ASSERT_TRUE(bea->next('P'));
    bea.reset();
    EXPECT_EQ(ada->next(roomproto::Letter).value_or(""), "*Bea");

    RoomPeer back(address(), port);
    ASSERT_EQ(back.rejoin(code, token).kind, Kind::Room);
    EXPECT_EQ(back.token, token) << "the same seat";
    back.enterAs("Bea");
    // A program that lost its levels with its crash fetches them again.
    back.send(std::string(1, netproto::LevelRequest) + "room-test-level-2");
    const auto level = back.next(netproto::LevelText);
    ASSERT_TRUE(level.has_value()) << "the room's levels are sent to a returning client";
    EXPECT_NE(level->find("room-test-level-2"), std::string::npos);
    back.send("R");
    // Ada's ball still rolls: a catch-up now would miss where it stops.
    EXPECT_EQ(back.lettersWithin(300ms).find('G'), std::string::npos);

    ada->send("Q");
    const auto list = back.next('O');
    ASSERT_TRUE(list.has_value());
    EXPECT_TRUE(markedOwn(*list, "Bea")) << "Bea is the returning client's own: " << *list;
    EXPECT_FALSE(markedOwn(*list, "Ada")) << *list;
    EXPECT_TRUE(back.next('G'));
    EXPECT_EQ(back.next(roomproto::Letter).value_or(""), "=3.000000|0.500000;");
    EXPECT_TRUE(back.next('S'));
    EXPECT_EQ(ada->next(roomproto::Letter).value_or(""), "~Bea") << "the others are told";
    EXPECT_TRUE(host.waitForLine("room " + code + " rejoined by "));
    EXPECT_TRUE(host.waitForLine("room " + code + " back Bea"));
}

TEST_P(RoomRejoinTest, TheReturnedPlayerPuttsInItsTurnAndTheHostNoLongerDoes) {
    const std::uint16_t port = startHost();
    const std::string code = startedRoom(port);
    const std::string token = bea->token;
    bea.reset();
    EXPECT_EQ(ada->next(roomproto::Letter).value_or(""), "*Bea");
    RoomPeer back(address(), port);
    ASSERT_EQ(back.rejoin(code, token).kind, Kind::Room);
    back.enterAs("Bea");
    back.send("R");
    ASSERT_TRUE(back.next('S'));
    ASSERT_TRUE(host.waitForLine("room " + code + " back Bea"));

    // Ada putts; once every ball has stopped the turn is Bea's, and hers alone.
    ada->send("P1.000000|3.000000");
    ASSERT_TRUE(back.next('P'));
    ada->send("Q");
    back.send("Q");
    ASSERT_TRUE(back.next(netproto::Stopped));
    ASSERT_TRUE(host.waitForLine("room " + code + " stopped"));
    // Relayed only from the computer whose player has the turn: the host's no longer.
    back.send("P2.000000|3.100000");
    EXPECT_EQ(ada->next('P').value_or(""), "2.000000|3.100000");
    EXPECT_TRUE(host.waitForLine("room " + code + " putt Bea 2.000000 3.100000"));
}

TEST_P(RoomRejoinTest, AWrongTokenIsRefusedAndCountsAsAFailedJoin) {
    const std::uint16_t port = startHost({"--failed-joins", "2"});
    const std::string code = startedRoom(port);
    const std::string wrong(roomproto::TokenLength, '2');
    for (int attempt = 0; attempt < 2; ++attempt) {
        RoomPeer stranger(address(), port);
        const roomproto::Answer answer = stranger.rejoin(code, wrong);
        EXPECT_EQ(answer.kind, Kind::Refused);
        EXPECT_EQ(answer.reason, "Your place in room " + code + " is no longer kept.");
    }
    RoomPeer stranger(address(), port);
    EXPECT_EQ(stranger.rejoin(code, bea->token).reason, "Too many attempts; try again later.")
        << "locked out, even with a right token";
    EXPECT_TRUE(host.waitForLine("refused rejoin " + code));
}

TEST_P(RoomRejoinTest, InTheLobbyAReturningClientSimplyJoinsAgain) {
    const std::uint16_t port = startHost();
    ada = std::make_unique<RoomPeer>(address(), port);
    const std::string code = ada->create("");
    ada->enterAs("Ada");
    RoomPeer first(address(), port);
    ASSERT_EQ(first.join(code, "Bea").kind, Kind::Room);
    const std::string token = first.token;
    first.close();
    ASSERT_TRUE(host.waitForLine("room " + code + " disconnected Bea"));
    RoomPeer back(address(), port);
    ASSERT_EQ(back.rejoin(code, token).kind, Kind::Room);
    EXPECT_EQ(back.token, token);
    back.enterAs("Bea");
    while (const auto list = ada->next('O')) {
        if (list->find("Bea|") != std::string::npos) {
            break;
        }
    }
    start({ada.get(), &back});
}

TEST_P(RoomRejoinTest, AGameEverybodyLeftWaitsForItsPlayersAndGoesOnWhenOneComesBack) {
    const std::uint16_t port = startHost({"--rejoin-wait", "600"});
    const std::string code = startedRoom(port);
    const std::string token = ada->token;
    ada->send("P3.000000|0.500000");
    ASSERT_TRUE(bea->next('P'));
    bea.reset();
    ada.reset();
    ASSERT_TRUE(host.waitForLine("room " + code + " empty: the game waits for its players"));

    RoomPeer back(address(), port);
    ASSERT_EQ(back.rejoin(code, token).kind, Kind::Room);
    back.enterAs("Ada");
    back.send("R");
    ASSERT_TRUE(back.next('G'));
    const auto putts = back.next(roomproto::Letter);
    ASSERT_TRUE(putts.has_value());
    EXPECT_TRUE(putts->starts_with("=3.000000|0.500000;")) << *putts;
    ASSERT_TRUE(back.next('S'));
    ASSERT_TRUE(host.waitForLine("room " + code + " back Ada"));
    // Bea is the host's computer's: it putts for her when her turn comes, as before.
    EXPECT_EQ(host.countLines("room " + code + " over"), 0);
}

TEST_P(RoomRejoinTest, AGameNobodyComesBackToEndsAfterTheWait) {
    const std::uint16_t port = startHost({"--rejoin-wait", "1"});
    const std::string code = startedRoom(port);
    const std::string token = bea->token;
    bea.reset();
    ada.reset();
    ASSERT_TRUE(host.waitForLine("room " + code + " closed: nobody came back within 1 s"));
    RoomPeer late(address(), port);
    EXPECT_EQ(late.rejoin(code, token).reason, "Your place in room " + code + " is no longer kept.");
}

// The game's own network object: it keeps the token, asks for its seat with it and hands
// the catch-up to its listeners before the start.
TEST_P(RoomRejoinTest, TheGameAsksForItsSeatAndHearsThePutts) {
    const std::uint16_t port = startHost();
    ada = std::make_unique<RoomPeer>(address(), port);
    const std::string code = ada->create("");
    ada->enterAs("Ada");
    testing::Computer bo{{"Bo"}};
    roomproto::Request join;
    join.kind = roomproto::Request::Kind::Join;
    join.code = code;
    ASSERT_TRUE(bo.net.startRoomClient(address(), port, join, &bo.lobby));
    ASSERT_TRUE(bo.lobby.waitForStatus(LobbyText::WaitingForStart));
    const std::string token = bo.net.lobbySnapshot().roomToken;
    ASSERT_TRUE(roomproto::isToken(token));
    ada->send("R");
    ada->send(std::string(1, roomproto::StartRequest));
    ASSERT_TRUE(ada->next('G'));
    ada->send("D");
    ASSERT_TRUE(bo.listener.waitFor(NetStart));
    ASSERT_TRUE(host.waitForLine("room " + code + " start"));
    ada->send("P3.000000|0.500000");
    ASSERT_TRUE(bo.listener.waitFor(NetPutt));
    bo.net.endGame();
    ASSERT_TRUE(host.waitForLine("room " + code + " disconnected Bo"));
    ada->send("Q");
    // Bo's turn: the host's computer putts for Bo, and Ada's ball stops again.
    const auto forBo = ada->next('P');
    ASSERT_TRUE(forBo.has_value());
    std::pair<double, double> inherited;
    ASSERT_TRUE(netproto::decodePutt(*forBo, inherited.first, inherited.second));
    ada->send("Q");
    ASSERT_TRUE(host.waitForLine("room " + code + " stopped", 2));

    roomproto::Request rejoin;
    rejoin.kind = roomproto::Request::Kind::Rejoin;
    rejoin.code = code;
    rejoin.token = token;
    ASSERT_TRUE(bo.net.startRoomClient(address(), port, rejoin, &bo.lobby));
    ASSERT_TRUE(bo.listener.waitFor(NetCatchUp));
    const NetEventData caughtUp = bo.listener.dataOf(NetCatchUp);
    EXPECT_EQ(caughtUp.catchUp, (std::vector<std::pair<double, double>>{{3.0, 0.5}, inherited}));
    ASSERT_TRUE(bo.listener.waitFor(NetStart, 2)) << "the start follows the putts";
    EXPECT_EQ(bo.playerNames(), (std::vector<std::string>{"Ada", "Bo *"}));
    EXPECT_EQ(ada->next(roomproto::Letter).value_or(""), "~Bo") << "Ada hears that Bo is back";
}

INSTANTIATE_TEST_SUITE_P(Ipv4, RoomRejoinTest, ::testing::Values(std::string("127.0.0.1")));

}  // namespace
}  // namespace trundlex
