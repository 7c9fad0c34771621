// The room host in-process, with limits short enough to watch them act.
#include "RoomHostFixture.h"

#include <atomic>

#include "library/DailyCourse.h"
#include "net/NetProtocol.h"

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

// The level IDs of the room `peer` has just entered, as the host tells them.
std::vector<std::string> roomLevels(RoomPeer& peer) {
    std::vector<std::string> ids;
    const auto count = peer.next(netproto::LevelCount);
    for (int i = 0; count && i < std::stoi(*count); ++i) {
        if (const auto id = peer.next(netproto::LevelId)) {
            ids.push_back(*id);
        }
    }
    return ids;
}

TEST_F(RoomHostTest, TodaysCourseIsOfferedAndPlaysTheDrawOfTheHostsDay) {
    std::vector<DailyCourse::Candidate> pool;
    for (int i = 0; i < 30; ++i) {
        const std::string id = "d" + std::to_string(i);
        library.add(testLevel(id));
        pool.push_back({id, 2 + i % 4});
    }
    settings.dailyPool = pool;
    const std::int64_t day = *DailyCourse::parseDate("2026-12-09");
    // An hour before midnight UTC.
    std::atomic<std::int64_t> now = day * 86400 + 23 * 3600;
    settings.clock = [&now] { return now.load(); };
    const std::uint16_t port = start();
    RoomPeer lister(Loopback, port);
    EXPECT_EQ(lister.request("?").courses, (std::vector<std::string>{"Short", "Today's course"}));

    DailyCourse drawn(pool);
    const auto play = [&](const std::string& asked) {
        RoomPeer creator(Loopback, port);
        const roomproto::Answer answer = creator.request("|" + asked);
        EXPECT_EQ(answer.kind, Kind::Room);
        EXPECT_EQ(answer.course, "Today's course");
        return roomLevels(creator);
    };
    const std::vector<std::string> today = play("Today's course");
    EXPECT_EQ(today, drawn.levelIds(day));
    EXPECT_EQ(today.size(), 9u);
    // Past midnight a new room plays the next day's course; asked for by its file name too.
    now += 2 * 3600;
    const std::vector<std::string> tomorrow = play("today");
    EXPECT_EQ(tomorrow, drawn.levelIds(day + 1));
    EXPECT_NE(tomorrow, today);
    EXPECT_NE(events.str().find("created Today's course (daily-2026-12-09) by "),
              std::string::npos)
        << events.str();
    EXPECT_NE(events.str().find("created Today's course (daily-2026-12-10) by "),
              std::string::npos);
    EXPECT_NE(host->startLine(port).find("courses Short, Today's course "), std::string::npos);
}

TEST_F(RoomHostTest, WithoutPoolTodaysCourseIsNotOffered) {
    const std::uint16_t port = start();
    RoomPeer lister(Loopback, port);
    EXPECT_EQ(lister.request("?").courses, std::vector<std::string>{"Short"});
    RoomPeer creator(Loopback, port);
    EXPECT_EQ(creator.request("|Today's course").kind, Kind::Refused);
}

}  // namespace
}  // namespace trundlex::testing
