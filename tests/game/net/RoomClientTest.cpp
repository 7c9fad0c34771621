// A game program at a room host made by hand: the course list, creating and joining rooms,
// refusals and the creator's start request.
#include "game/net/NetTestSupport.h"
#include "net/RoomClient.h"

namespace trundlex::testing {
namespace {

using Outcome = CourseListing::Outcome;
using roomproto::Refusal;
using roomproto::Request;

const std::string Greeting = "H" + std::string(netproto::Version);

// A host that greets (or not) and answers the first request with `answer` (none: silence),
// and what it was asked.
struct ScriptedHost {
    RawServer server;
    std::future<std::string> asked;

    void run(std::string greeting, std::string answer) {
        asked = std::async(std::launch::async, [this, greeting, answer] {
            RawPeer peer = server.accept();
            if (!greeting.empty()) {
                peer.send(greeting);
            }
            const auto request = peer.receive();
            if (!answer.empty()) {
                peer.send(answer);
            }
            // Until the client is done with it.
            peer.closedByPeer();
            return request ? request->letter + request->body : std::string("(nothing)");
        });
    }
};

TEST(RoomClientTest, CourseListOrWhyNot) {
    struct Case {
        std::string greeting, answer;
        Outcome outcome;
        std::vector<std::string> courses;
        std::string detail;
    };
    const std::vector<Case> cases = {
        {Greeting,
         "W?Beginners' Nine|Long Eighteen|",
         Outcome::Listed,
         {"Beginners' Nine", "Long Eighteen"},
         ""},
        {Greeting, "W?", Outcome::Listed, {}, ""},
        {Greeting,
         "W|This host has no free room.",
         Outcome::Refused,
         {},
         "This host has no free room."},
        {Greeting, "OHost|1|1|0|0|", Outcome::NotARoomHost, {}, ""},
        {Greeting, "WK7QX2M", Outcome::NotARoomHost, {}, ""},
        {"HTrundlex 0.90", "", Outcome::OtherVersion, {}, "Trundlex 0.90"},
        {Greeting, "", Outcome::NoAnswer, {}, ""},
        {"", "", Outcome::NoAnswer, {}, ""},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        host.run(c.greeting, c.answer);
        WakePipe never;
        const CourseListing listing = fetchRoomCourses(Loopback, host.server.port(), 400ms, never);
        EXPECT_EQ(listing.outcome, c.outcome) << c.greeting << " / " << c.answer;
        EXPECT_EQ(listing.courses, c.courses) << c.answer;
        EXPECT_EQ(listing.detail, c.detail) << c.answer;
        if (c.greeting == Greeting) {
            EXPECT_EQ(host.asked.get(), "W?");
        }
    }
    std::uint16_t closedPort = 0;
    {
        TcpListener gone;
        ASSERT_TRUE(gone.open(Loopback, 0));
        closedPort = gone.port();
    }
    WakePipe never;
    EXPECT_EQ(fetchRoomCourses(Loopback, closedPort, 2s, never).outcome, Outcome::CouldntConnect);
}

TEST(RoomClientTest, CancelledFetchNeverReports) {
    // A host that never greets (the system takes the connection; nobody reads it).
    RawServer silent;
    std::atomic<int> reports{0};
    {
        CourseFetch fetch;
        fetch.start(Loopback, silent.port(), Patience, [&](const CourseListing&) { ++reports; });
    }  // cancelled here, long before the patience runs out
    EXPECT_EQ(reports.load(), 0);

    ScriptedHost answering;
    answering.run(Greeting, "W?One|");
    std::promise<CourseListing> listed;
    CourseFetch fetch;
    fetch.start(Loopback, answering.server.port(), Patience,
                [&](const CourseListing& listing) { listed.set_value(listing); });
    auto result = listed.get_future();
    ASSERT_EQ(result.wait_for(Patience), std::future_status::ready);
    EXPECT_EQ(result.get().courses, std::vector<std::string>{"One"});
}

TEST(RoomClientTest, CreatorAndGuestEnterTheRoomAndOnlyTheCreatorAsksToStart) {
    const struct {
        Request request;
        std::string sent;
        bool creator;
    } cases[] = {
        {{Request::Kind::Create, "Nine", "", ""}, "W|Nine", true},
        {{Request::Kind::Create, "", "", ""}, "W|", true},
        {{Request::Kind::Join, "", "K7QX2M", ""}, "WK7QX2M|", false},
        {{Request::Kind::Rejoin, "", "K7QX2M", "ABCDEFGHJKMNPQRSTUVW"},
         "WK7QX2M|ABCDEFGHJKMNPQRSTUVW", false},
    };
    for (const auto& c : cases) {
        Computer guest{{"Bob", "Cy"}};
        EXPECT_FALSE(guest.net.askRoomStart()) << "no room yet";
        RawServer server;
        ASSERT_TRUE(guest.net.startRoomClient(Loopback, server.port(), c.request, &guest.lobby));
        RawPeer host = server.accept();
        EXPECT_EQ(host.lettersWithin(Quiet), "") << "the host greets first";
        host.send(Greeting);
        host.expectNext('W', c.sent.substr(1));
        EXPECT_EQ(host.lettersWithin(Quiet), "") << "nothing else before the answer";
        EXPECT_FALSE(guest.net.askRoomStart());
        host.send("WK7QX2M|Beginners' Nine|");
        // Then the classic client's greeting.
        host.expectNext('N', "Bob|65280|1|0|");
        host.expectNext('N', "Cy|65280|1|0|");
        host.expectNext('H', netproto::Version);
        ASSERT_TRUE(guest.lobby.waitUntil([](auto& v) { return !v.snapshot.roomCode.empty(); }));
        const LobbySnapshot seen = guest.lobby.view().snapshot;
        EXPECT_EQ(seen.roomCode, "K7QX2M");
        EXPECT_EQ(seen.roomCourse, "Beginners' Nine");
        EXPECT_EQ(seen.roomCreator, c.creator);
        EXPECT_EQ(guest.net.askRoomStart(), c.creator);
        EXPECT_EQ(host.lettersWithin(Quiet), c.creator ? "Y" : "");
    }
    Computer classic{{"Al"}};
    RawServer server;
    classic.join(server.port());
    RawPeer peer = server.accept();
    peer.expectNext('N', "Al|65280|1|0|");
    peer.send(Greeting);
    EXPECT_FALSE(classic.net.askRoomStart()) << "a classic client has no room";
    EXPECT_FALSE(classic.net.startRoomClient(Loopback, server.port(), Request{}, &classic.lobby));
}

TEST(RoomClientTest, RefusalEndsTheGameWithItsReason) {
    const struct {
        std::string greeting, answer;
        LobbyText text;
        std::string shown;
        std::optional<Refusal> known;
        std::string subject;
    } cases[] = {
        {Greeting, "W|No room with code K7QX2M.", LobbyText::RoomRefused,
         "No room with code K7QX2M.", Refusal::NoSuchRoom, "K7QX2M"},
        {Greeting, "W|The game in room K7QX2M has started.", LobbyText::RoomRefused,
         "The game in room K7QX2M has started.", Refusal::Started, "K7QX2M"},
        {Greeting, "W|Room K7QX2M is full.", LobbyText::RoomRefused, "Room K7QX2M is full.",
         Refusal::Full, "K7QX2M"},
        {Greeting, "W|No course named Long Nine.", LobbyText::RoomRefused,
         "No course named Long Nine.", Refusal::NoSuchCourse, "Long Nine"},
        {Greeting, "W|This host has no free room.", LobbyText::RoomRefused,
         "This host has no free room.", Refusal::NoFreeRoom, ""},
        {Greeting, "W|Closed for repairs.", LobbyText::RoomRefused, "Closed for repairs.",
         std::nullopt, ""},
        {Greeting, "OHost|1|1|0|0|", LobbyText::NotARoomHost, "This host does not offer rooms.",
         std::nullopt, ""},
        {"HTrundlex 0.90", "", LobbyText::IllegalVersion,
         "Illegal server version (server: Trundlex 0.90, this version: " +
             std::string(netproto::Version) + ").",
         std::nullopt, ""},
    };
    for (const auto& c : cases) {
        Computer guest{{"Bob"}};
        RawServer server;
        ASSERT_TRUE(guest.net.startRoomClient(Loopback, server.port(),
                                              {Request::Kind::Join, "", "K7QX2M", ""}, &guest.lobby));
        RawPeer host = server.accept();
        host.send(c.greeting);
        if (!c.answer.empty()) {
            EXPECT_TRUE(host.expect('W'));
            host.send(c.answer);
        }
        EXPECT_TRUE(host.closedByPeer()) << c.answer;
        const auto status = guest.lobby.waitForStatus(c.text);
        ASSERT_TRUE(status) << c.answer;
        EXPECT_EQ(status->english(), c.shown);
        EXPECT_FALSE(guest.net.isConnected());
        EXPECT_FALSE(guest.net.askRoomStart());
        const auto known = readRefusal(c.shown);
        EXPECT_EQ(known.has_value(), c.known.has_value()) << c.shown;
        if (known && c.known) {
            EXPECT_EQ(known->refusal, *c.known);
            EXPECT_EQ(known->subject, c.subject);
        }
    }
}

}  // namespace
}  // namespace trundlex::testing
