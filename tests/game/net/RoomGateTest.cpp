// A room host's door and its games on shared threads, in one process: rooms that clients
// enter by code relay only among their own clients, and everything goes down cleanly.
#include <gtest/gtest.h>

#include <map>

#include "net/NetPool.h"
#include "net/RoomCodes.h"
#include "net/RoomGate.h"
#include "support/RoomPeer.h"

namespace trundlex {
namespace {

using roomproto::Refusal;
using testing::RoomPeer;

// Rooms of one level, started by the test; the door's answers as a room host gives them.
class TestRooms : public RoomGate::Host {
public:
    struct Room {
        testing::RecordingLobby lobby;
        Match match;
        std::unique_ptr<NetGame> net;
    };

    explicit TestRooms(LevelLibrary& library) : library_(library) {
        gate = std::make_unique<RoomGate>(io, *this, NetTimeouts{});
    }
    ~TestRooms() override {
        gate.reset();
        rooms.clear();
    }

    std::string courseList() override { return roomproto::encodeList({"Only"}); }
    std::optional<std::string> enter(RoomArrival& arrival) override {
        std::lock_guard lock(mutex_);
        std::string code = arrival.request.code;
        if (arrival.request.kind == roomproto::Request::Kind::Create) {
            code = codes_.issue(RoomCodes::Clock::now());
            auto room = std::make_unique<Room>();
            room->match.AddLevel("gate-test");
            room->net = std::make_unique<NetGame>(library_, io, delivery);
            room->lobby.attach(*room->net);
            room->net->setMatch(&room->match);
            room->net->startRoom(&room->lobby);
            rooms[code] = std::move(room);
        } else if (!rooms.contains(code)) {
            return roomproto::encodeRefusal(Refusal::NoSuchRoom, code);
        }
        const auto entry =
            rooms[code]->net->serveConnection(arrival.socket, {arrival.address, {}, {}},
                                              arrival.received,
                                              "W" + roomproto::encodeRoom(code, "Only"), false);
        if (entry == NetGame::Entry::Taken) {
            return std::nullopt;
        }
        return roomproto::encodeRefusal(Refusal::Started, code);
    }
    void dropped(const std::string&, DropReason) override {}
    std::shared_ptr<void> admit(const std::string&) override { return std::make_shared<int>(0); }
    void refused(const std::string&, RoomGate::Refused) override {}
    Room& room(const std::string& code) {
        std::lock_guard lock(mutex_);
        return *rooms.at(code);
    }

    NetPool io{2};
    NetPool delivery{2};
    std::map<std::string, std::unique_ptr<Room>> rooms;
    std::unique_ptr<RoomGate> gate;

private:
    LevelLibrary& library_;
    std::mutex mutex_;
    RoomCodes codes_;
};

TEST(RoomGateTest, RoomsOnSharedThreadsRelayOnlyAmongTheirOwnClients) {
    LevelLibrary library("/nonexistent-trundlex-folder");
    library.add(testing::testLevel("gate-test"));
    TestRooms host(library);
    const std::uint16_t port = host.gate->listen(0);
    ASSERT_NE(port, 0);

    RoomPeer alice(testing::Loopback, port);
    RoomPeer bob(testing::Loopback, port);
    EXPECT_EQ(alice.request("?").courses, std::vector<std::string>{"Only"});
    const std::string codeA = alice.create("");
    const std::string codeB = bob.create("");
    alice.enterAs("Alice");
    bob.enterAs("Bob");
    RoomPeer ann(testing::Loopback, port);
    RoomPeer ben(testing::Loopback, port);
    ASSERT_EQ(ann.join(codeA, "Ann").code, codeA);
    ASSERT_EQ(ben.join(codeB, "Ben").code, codeB);
    EXPECT_EQ(RoomPeer(testing::Loopback, port).request("222222|").reason,
              roomproto::refusalText(Refusal::NoSuchRoom, "222222"));

    for (auto* peer : {&alice, &ann, &bob, &ben}) {
        peer->send("R");
    }
    for (const std::string& code : {codeA, codeB}) {
        TestRooms::Room& room = host.room(code);
        ASSERT_TRUE(room.lobby.waitUntil([](const testing::LobbyView& v) {
            return v.startEnabled && v.snapshot.connectionCount == 2;
        }));
        ASSERT_TRUE(room.net->startHandshake());
    }
    for (auto* peer : {&alice, &ann, &bob, &ben}) {
        ASSERT_TRUE(peer->next('G'));
        peer->send("D");
    }
    for (auto* peer : {&alice, &ann, &bob, &ben}) {
        ASSERT_TRUE(peer->next('S'));
    }
    // A chat line longer than a room relays is dropped.
    alice.sendEach({"MAlice|" + std::string(roomproto::MaxChatBytes, 'x'), "A0.25", "MAlice|a",
                    "P2.000000|0.100000"});
    bob.sendEach({"A0.75", "MBob|b", "P5.000000|0.200000"});
    EXPECT_EQ(ann.playUpToPutt(), "A0.25/MAlice|a/P2.000000|0.100000/+");
    EXPECT_EQ(ben.playUpToPutt(), "A0.75/MBob|b/P5.000000|0.200000/+");
    // A room that has started takes nobody more.
    EXPECT_EQ(RoomPeer(testing::Loopback, port).request(codeA + "|").reason,
              roomproto::refusalText(Refusal::Started, codeA));
    // Asking for lists without end is no client.
    RoomPeer greedy(testing::Loopback, port);
    for (int i = 0; i <= RoomGate::MaxLists; ++i) {
        greedy.send("W?");
    }
    EXPECT_TRUE(greedy.closedByPeer());
    // The host goes with clients still connected: its games end and their threads are waited for.
}

}  // namespace
}  // namespace trundlex
