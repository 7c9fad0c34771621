// The room host as a real process, over loopback: rooms created and joined by code, played
// at the same time, refusals, the start on the creator's word, and clients of earlier
// versions in the default room.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "RoomHostFixture.h"
#include "level/LevelFile.h"
#include "solver/ShippedPars.h"

namespace trundlex {
namespace {

using testing::ChildProcess;
using testing::RoomPeer;
using Kind = roomproto::Answer::Kind;
using namespace std::chrono_literals;

using RoomHostProcessTest = testing::RoomHostProcessTest;

TEST_P(RoomHostProcessTest, TwoRoomsPlayAtOnceAndNeverSeeEachOther) {
    if (address() == "::1" && !testing::hasIpv6Loopback()) {
        GTEST_SKIP() << "this machine has no IPv6 loopback address";
    }
    // Without a wait for players to come back, a room ends with its last client.
    const std::uint16_t port = startHost({"--log-chat", "--rejoin-wait", "0"});
    RoomPeer lister(address(), port);
    const roomproto::Answer list = lister.request("?");
    EXPECT_EQ(list.courses, (std::vector<std::string>{"Room Test One", "Room Test Two"}));

    // The lister asks again on the same connection: it creates the first room.
    RoomPeer& alice = lister;
    const std::string codeA = alice.create("Room Test One");
    RoomPeer bob(address(), port);
    const std::string codeB = bob.create("two");
    ASSERT_TRUE(roomproto::isCode(codeA) && roomproto::isCode(codeB) && codeA != codeB);
    alice.enterAs("Alice");
    bob.enterAs("Bob");
    RoomPeer ann(address(), port);
    RoomPeer ben(address(), port);
    EXPECT_EQ(ann.join(codeA, "Ann").course, "Room Test One");
    EXPECT_EQ(ben.join(codeB, "Ben").course, "Room Test Two");
    start({&alice, &ann});
    start({&bob, &ben});
    // Aims count from the first turn on, which the host names before it says "start".
    for (const std::string& code : {codeA, codeB}) {
        ASSERT_TRUE(host.waitForLine("room " + code + " start"));
    }

    // Aims, chat lines and putts of both rooms cross; each reaches its own room only.
    for (RoomPeer* sender : {&alice, &bob}) {
        const std::string name = sender == &alice ? "Alice" : "Bob";
        sender->sendEach({"A0.50", "M" + name + "|hello from " + name});
    }
    alice.send("P3.000000|0.500000");
    bob.send("P4.000000|1.000000");
    EXPECT_EQ(ann.playUpToPutt(), "A0.50/MAlice|hello from Alice/P3.000000|0.500000/+");
    EXPECT_EQ(ben.playUpToPutt(), "A0.50/MBob|hello from Bob/P4.000000|1.000000/+");

    // The event lines say which room each event belongs to.
    for (const auto& [code, name, course] :
         {std::tuple{codeA, "Alice", "Room Test One"}, std::tuple{codeB, "Bob", "Room Test Two"}}) {
        const std::string room = "room " + code + " ";
        EXPECT_TRUE(host.waitForLine(room + "created " + course));
        EXPECT_TRUE(host.waitForLine(room + "player " + name));
        EXPECT_TRUE(host.waitForLine(room + "start"));
        EXPECT_TRUE(host.waitForLine(room + "chat " + name + ": hello from " + name));
        EXPECT_TRUE(host.waitForLine(room + "putt "));
    }
    EXPECT_EQ(host.countLines("room " + codeA + " putt "), 1);
    for (RoomPeer* peer : {&alice, &ann, &bob, &ben}) {
        peer->close();
    }
    EXPECT_TRUE(host.waitForLine("room " + codeA + " over"));
    EXPECT_TRUE(host.waitForLine("room " + codeB + " over"));
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, RoomHostProcessTest,
                         ::testing::Values(std::string("127.0.0.1"), std::string("::1")));

using RoomHostRulesTest = RoomHostProcessTest;

TEST_P(RoomHostRulesTest, RefusalsNameTheirReasonAndCloseTheConnection) {
    // Every client comes from one address here: it may hold more than the 16 places an
    // address has by default.
    const std::uint16_t port = startHost({"--max-rooms", "2", "--max-connections-per-address", "64"});
    RoomPeer starter(address(), port);
    const std::string started = starter.create("");
    starter.enterAs("Sam");
    start({&starter});
    RoomPeer filler(address(), port);
    const std::string full = filler.create("Room Test Two");
    std::vector<std::unique_ptr<RoomPeer>> crowd;
    for (int i = 1; i < netproto::MaxClients; ++i) {
        crowd.push_back(std::make_unique<RoomPeer>(address(), port));
        ASSERT_EQ(crowd.back()->request(full + "|").kind, Kind::Room) << "client " << i + 1;
    }
    const std::string unknown = started == "222222" || full == "222222" ? "333333" : "222222";

    const std::vector<std::pair<std::string, std::string>> cases = {
        {unknown + "|", "No room with code " + unknown + "."},
        {"K7QX2O|", "No room with code K7QX2O."},
        {started + "|", "The game in room " + started + " has started."},
        {full + "|", "Room " + full + " is full."},
        {"|Nowhere", "No course named Nowhere."},
        {"|", "This host has no free room."},
    };
    for (const auto& [body, reason] : cases) {
        RoomPeer peer(address(), port);
        const roomproto::Answer answer = peer.request(body);
        EXPECT_EQ(answer.kind, Kind::Refused) << body;
        EXPECT_EQ(answer.reason, reason) << body;
        EXPECT_TRUE(peer.closedByPeer()) << body;
    }
    // A client of an earlier version, and the host has no default course.
    RoomPeer classic(address(), port);
    classic.enterAs("Old");
    const auto answer = classic.next(roomproto::Letter);
    EXPECT_EQ(answer.value_or(""), "|This host needs a room code.");
    EXPECT_TRUE(classic.closedByPeer());
}

TEST_P(RoomHostRulesTest, OnlyTheCreatorStartsTheRoomAndOnlyOnceEveryClientIsReady) {
    const std::uint16_t port = startHost();
    const std::string y(1, roomproto::StartRequest);
    // The creator asks before anybody is ready: the start waits for the last ready client.
    RoomPeer eager(address(), port);
    const std::string first = eager.create("");
    eager.enterAs("Eve");
    RoomPeer slow(address(), port);
    ASSERT_EQ(slow.join(first, "Sol").kind, Kind::Room);
    eager.sendEach({y, "R"});
    EXPECT_EQ(eager.lettersWithin(500ms).find('G'), std::string::npos) << "started before Sol";
    slow.send("R");
    EXPECT_TRUE(eager.next('G'));
    EXPECT_TRUE(slow.next('G'));

    // Another client's "Y" is ignored: the room waits for its creator.
    RoomPeer creator(address(), port);
    const std::string second = creator.create("");
    creator.enterAs("Cid");
    RoomPeer other(address(), port);
    ASSERT_EQ(other.join(second, "Oz").kind, Kind::Room);
    creator.send("R");
    other.sendEach({"R", y});
    EXPECT_EQ(other.lettersWithin(500ms).find('G'), std::string::npos) << "a guest started it";
    creator.send(y);
    EXPECT_TRUE(other.next('G'));
}

TEST_P(RoomHostRulesTest, ClientOfAnEarlierVersionPlaysTheCourseInTheDefaultRoom) {
    const std::uint16_t port = startHost({"--course", folder / "courses/one.cou"});
    ChildProcess carl;
    ASSERT_TRUE(
        carl.start(TRUNDLEX_SERVE_CLIENT_PATH, {std::to_string(port), "Carl", "-1", address()}));
    ASSERT_TRUE(carl.waitForLine("over")) << "Carl never finished";
    EXPECT_EQ(carl.waitForExit(), 0);
    EXPECT_TRUE(carl.waitForLine("levels room-test-level-1 room-test-level-2"));
    const auto created = host.waitForLine("room ");
    ASSERT_TRUE(created);
    const std::string room = created->substr(0, 12);
    EXPECT_TRUE(created->starts_with(room + "created Room Test One by 127.0.0.1:")) << *created;
    EXPECT_TRUE(host.waitForLine(room + "start"));
    EXPECT_EQ(host.countLines(room + "putt "), carl.countLines("sent "));
    EXPECT_TRUE(host.waitForLine(room + "over"));
}

TEST_P(RoomHostRulesTest, TodaysCourseIsOfferedOnceTheLevelsHaveTheirTableOfPars) {
    ShippedPars pars;
    for (const char* file : {"levels/hole1.lev", "levels/hole2.lev"}) {
        Level level;
        ASSERT_EQ(loadLevelFile(folder / file, level), LevelLoadResult::Loaded);
        // The second hole the easier: the course plays it first.
        ASSERT_TRUE(pars.add(level, level.id().ends_with('1') ? 3 : 2));
    }
    folder.write("levels/pars.txt", pars.toText());
    const std::uint16_t port = startHost();
    RoomPeer lister(address(), port);
    EXPECT_EQ(lister.request("?").courses,
              (std::vector<std::string>{"Room Test One", "Room Test Two", "Today's course"}));
    const roomproto::Answer room = lister.request("|Today's course");
    ASSERT_EQ(room.kind, Kind::Room);
    EXPECT_EQ(room.course, "Today's course");
    // Two levels are fewer than a day's nine: both, the easier first.
    const auto count = lister.next(netproto::LevelCount);
    ASSERT_EQ(count, "2");
    EXPECT_EQ(lister.next(netproto::LevelId), "room-test-level-2");
    EXPECT_EQ(lister.next(netproto::LevelId), "room-test-level-1");
    EXPECT_TRUE(host.waitForLine("room " + room.code + " created Today's course (daily-"));
}

// Addresses 127.0.0.x stand for different computers.
TEST_P(RoomHostRulesTest, OneAddressCannotHoldEveryPlaceOrLockOthersOut) {
    const std::uint16_t port = startHost();
    std::vector<std::unique_ptr<RoomPeer>> flood;
    for (int i = 0; i < 200; ++i) {
        flood.push_back(std::make_unique<RoomPeer>(address(), port, "127.0.0.2"));
    }
    // The first sixteen are greeted and wait at the door; the rest are told why and closed.
    EXPECT_EQ(flood[15]->lettersWithin(300ms), "H");
    for (const std::size_t i : {16u, 100u, 199u}) {
        EXPECT_EQ(flood[i]->next(roomproto::Letter).value_or(""),
                  "|Too many connections from your address.")
            << i;
        EXPECT_TRUE(flood[i]->closedByPeer()) << i;
    }
    RoomPeer carol(address(), port, "127.0.0.3");
    const std::string code = carol.create("");
    ASSERT_TRUE(roomproto::isCode(code));
    carol.enterAs("Carol");
    RoomPeer dave(address(), port, "127.0.0.4");
    EXPECT_EQ(dave.join(code, "Dave").kind, Kind::Room);
    EXPECT_TRUE(host.waitForLine("limit connections per address: refused 127.0.0.2:"));
}

TEST_P(RoomHostRulesTest, GuessingCodesLocksTheAddressOutOfEveryJoin) {
    const std::uint16_t port = startHost({"--failed-joins", "5"});
    RoomPeer owner(address(), port, "127.0.0.5");
    const std::string code = owner.create("");
    owner.enterAs("Olga");
    for (const std::string guess : {"222222", "333333", "444444", "555555", "666666"}) {
        if (guess == code) {
            continue;
        }
        RoomPeer guesser(address(), port, "127.0.0.6");
        EXPECT_EQ(guesser.request(guess + "|").reason, "No room with code " + guess + ".");
    }
    if (code.find_first_not_of(code[0]) == std::string::npos) {
        // One guess was the real code; fail once more so that five have failed.
        RoomPeer guesser(address(), port, "127.0.0.6");
        guesser.request("777777|");
    }
    RoomPeer guesser(address(), port, "127.0.0.6");
    const roomproto::Answer locked = guesser.request(code + "|");
    EXPECT_EQ(locked.kind, Kind::Refused) << "even the right code, once locked out";
    EXPECT_EQ(locked.reason, "Too many attempts; try again later.");
    RoomPeer friendly(address(), port, "127.0.0.7");
    EXPECT_EQ(friendly.join(code, "Finn").kind, Kind::Room) << "another computer joins";
    EXPECT_TRUE(host.waitForLine("refused join 222222 from 127.0.0.6:"));
    EXPECT_TRUE(host.waitForLine("limit failed joins: 127.0.0.6 may not join for 600 s"));
}

TEST_P(RoomHostRulesTest, OneAddressOpensOnlySoManyRoomsAtOnceAndPerMinute) {
    const std::uint16_t port =
        startHost({"--max-rooms-per-address", "2", "--rooms-per-minute", "3"});
    const std::string tooMany = "Too many rooms from your address; try again later.";
    auto first = std::make_unique<RoomPeer>(address(), port, "127.0.0.8");
    const std::string firstCode = first->create("");
    RoomPeer second(address(), port, "127.0.0.8");
    ASSERT_TRUE(roomproto::isCode(firstCode) && roomproto::isCode(second.create("")));
    RoomPeer third(address(), port, "127.0.0.8");
    EXPECT_EQ(third.request("|").reason, tooMany) << "two rooms alive already";
    RoomPeer other(address(), port, "127.0.0.9");
    EXPECT_TRUE(roomproto::isCode(other.create(""))) << "another computer is not held up";

    // A room that ends gives its place back, but not the creations of the minute.
    first.reset();
    ASSERT_TRUE(host.waitForLine("room " + firstCode + " over"));
    RoomPeer fourth(address(), port, "127.0.0.8");
    const std::string fourthCode = fourth.create("");
    ASSERT_TRUE(roomproto::isCode(fourthCode));
    fourth.close();
    ASSERT_TRUE(host.waitForLine("room " + fourthCode + " over"));
    RoomPeer fifth(address(), port, "127.0.0.8");
    EXPECT_EQ(fifth.request("|").reason, tooMany) << "three created within the minute";
    EXPECT_TRUE(host.waitForLine("limit rooms per address: refused 127.0.0.8:"));
    EXPECT_TRUE(host.waitForLine("limit rooms created per minute: refused 127.0.0.8:"));
}

INSTANTIATE_TEST_SUITE_P(Ipv4, RoomHostRulesTest, ::testing::Values(std::string("127.0.0.1")));

}  // namespace
}  // namespace trundlex
