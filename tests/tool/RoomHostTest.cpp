// The room host in-process, with limits short enough to watch them act.
#include "RoomHostFixture.h"

namespace trundlex::testing {
namespace {

using Kind = roomproto::Answer::Kind;

TEST_F(RoomHostTest, ALobbyThatNeverStartsClosesAtTheLimitAndFreesItsRoom) {
    settings.lobbyLimit = std::chrono::seconds(1);
    settings.maxRooms = 1;
    const std::uint16_t port = start();
    RoomPeer creator(Loopback, port);
    const std::string code = creator.create("");
    ASSERT_TRUE(roomproto::isCode(code));
    creator.enterAs("Cleo");
    RoomPeer late(Loopback, port);
    EXPECT_EQ(late.request("|").kind, Kind::Refused) << "the only room is taken";

    ASSERT_TRUE(serviceUntil([&] { return host->roomCount() == 0; }));
    EXPECT_TRUE(creator.closedByPeer());
    RoomPeer next(Loopback, port);
    EXPECT_TRUE(roomproto::isCode(next.create(""))) << "the room is free again";
    EXPECT_NE(events.str().find("room " + code + " closed: not started within 1 s"),
              std::string::npos)
        << events.str();
}

TEST_F(RoomHostTest, AVisitorMustBeInARoomWithinTheDoorLimitHoweverOftenItAsks) {
    settings.doorLimit = std::chrono::milliseconds(400);
    const std::uint16_t port = start();
    RoomPeer lister(Loopback, port);
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    bool closed = false;
    int lists = 0;
    // Each list would re-arm the wait of two minutes; the door's limit stands.
    while (!closed && std::chrono::steady_clock::now() < deadline) {
        closed = lister.request("?").kind != Kind::List;
        lists += closed ? 0 : 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(closed);
    EXPECT_LE(lists, RoomGate::MaxLists) << "closed by the time limit, not by the count";
}

TEST_F(RoomHostTest, TheStatusLineCountsRoomsClientsAndVisitors) {
    const std::uint16_t port = start();
    RoomPeer creator(Loopback, port);
    const std::string code = creator.create("");
    creator.enterAs("Cleo");
    RoomPeer guest(Loopback, port);
    ASSERT_EQ(guest.join(code, "Gil").kind, Kind::Room);
    RoomPeer visitor(Loopback, port);
    ASSERT_TRUE(visitor.next(netproto::Hello));
    ASSERT_TRUE(serviceUntil([&] {
        return host->statusLine().starts_with(
            "status rooms 1 lobbies 1 games 0 clients 2 door 1 queued ");
    })) << host->statusLine();
    EXPECT_NE(host->statusLine().find(" memory "), std::string::npos);
    EXPECT_NE(host->startLine(port).find("connections-per-address 16 rooms-per-address 4 "
                                         "rooms-per-minute 10 failed-joins 20"),
              std::string::npos)
        << host->startLine(port);
    EXPECT_TRUE(host->closingLine().starts_with("stop rooms-created 1 games-started 0 joins 1 "))
        << host->closingLine();
}

}  // namespace
}  // namespace trundlex::testing
