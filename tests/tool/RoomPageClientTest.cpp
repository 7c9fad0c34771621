// The browser page's online game (web::OnlineMatch) in rooms of the room host: the page's
// connection is carried here over TCP to the host's door, as the host's web side carries a
// page's WebSocket to it, byte for byte.
#include <regex>

#include "RoomHostFixture.h"
#include "control/GameListener.h"
#include "web/OnlineMatch.h"

namespace trundlex::testing {

namespace {

using namespace std::chrono_literals;
using web::OnlineMatch;

// From the tee of the fixture's hole towards its cup.
constexpr double kTowardsCup = -0.4636;

// One page: an online game whose connection this object carries over a socket, and the event
// lines it has shown so far.
struct Page {
    Page(std::uint32_t seed, const std::string& name) : match(seed) {
        EXPECT_TRUE(match.addPerson(name));
    }

    void connect(std::uint16_t port) {
        WakePipe never;
        ASSERT_EQ(socket.connectTo(Loopback, port, never, Patience), ConnectResult::Connected);
        open = true;
        match.opened();
        flush();
    }
    // The connection breaks under the page (a phone that lost its network).
    void drop() {
        socket.shutdownBoth();
        open = false;
        match.closed();
    }
    // One frame of the page: what arrived goes in, the game runs to `clock`, what it has to
    // say goes out.
    void frame(std::int64_t clock) {
        while (open && socket.waitReadable(0ms)) {
            char buffer[4096];
            const long count = socket.receive(buffer, sizeof buffer);
            if (count <= 0) {
                open = false;
                match.closed();
                break;
            }
            match.received(std::string_view(buffer, static_cast<std::size_t>(count)));
            flush();
        }
        match.runUntil(clock);
        flush();
        for (std::string& line : match.takeEvents()) {
            events.push_back(std::move(line));
        }
    }
    void flush() {
        const std::string out = match.takeOutgoing();
        if (open && !out.empty()) {
            EXPECT_TRUE(socket.sendAll(out, Patience));
        }
        if (open && match.wantsClose()) {
            socket.shutdownBoth();
        }
    }
    bool saw(const std::string& line) const {
        return std::find(events.begin(), events.end(), line) != events.end();
    }
    bool sawStarting(const std::string& start) const {
        return std::any_of(events.begin(), events.end(),
                           [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    }
    // Every "rest" line, in order: where each putt of the game came to rest.
    std::vector<std::string> rests() const {
        std::vector<std::string> out;
        std::copy_if(events.begin(), events.end(), std::back_inserter(out),
                     [](const std::string& line) { return line.rfind("rest ", 0) == 0; });
        return out;
    }
    // A field of the lobby's JSON: a string's text, or a word (true, false).
    std::string lobby(const std::string& field) const {
        const std::string json = match.lobbyJson();
        std::smatch found;
        if (!std::regex_search(json, found,
                               std::regex("\"" + field + "\":(\"[^\"]*\"|[a-z]+)"))) {
            return {};
        }
        const std::string value = found[1];
        return value.front() == '"' ? value.substr(1, value.size() - 2) : value;
    }
    // What the lobby says of one player: "computer", "creator" and "here", each with its mark
    // ("computer+ creator- here-"); empty when the player is not listed.
    std::string lobbyMarks(const std::string& name) const {
        const std::string json = match.lobbyJson();
        const std::size_t at = json.find("{\"name\":\"" + name + "\"");
        if (at == std::string::npos) {
            return {};
        }
        const std::string entry = json.substr(at, json.find('}', at) - at);
        std::string marks;
        for (const char* field : {"computer", "creator", "here"}) {
            const bool yes = entry.find("\"" + std::string(field) + "\":true") != std::string::npos;
            marks += std::string(marks.empty() ? "" : " ") + field + (yes ? "+" : "-");
        }
        return marks;
    }
    int lobbyPlayers() const {
        const std::string json = match.lobbyJson();
        int count = 0;
        for (std::size_t at = json.find("\"here\":"); at != std::string::npos;
             at = json.find("\"here\":", at + 1)) {
            ++count;
        }
        return count;
    }

    OnlineMatch match;
    Socket socket;
    bool open = false;
    std::vector<std::string> events;
};

class RoomPageClientTest : public RoomHostTest {
protected:
    // Runs the host and every page, frame by frame (the pages' clocks move 50 ms a frame),
    // until `done` holds; a page whose person has the turn putts towards the cup, a little
    // harder each time. False when Patience ran out first.
    bool runUntil(const std::vector<Page*>& pages, const std::function<bool()>& done,
                  std::chrono::milliseconds patience = 20s) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            host->serviceRooms();
            clock_ += 50;
            for (Page* page : pages) {
                page->frame(clock_);
                if (page->match.state() == Aiming) {
                    force_ = force_ >= 60.0 ? 12.0 : force_ + 7.0;
                    EXPECT_TRUE(page->match.puttWithForce(kTowardsCup, force_));
                    page->flush();
                }
            }
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }

    // A room created by `creator` and joined by `guest` through the code as a friend would
    // type it (lower case, with a dash); the code.
    std::string meet(Page& creator, Page& guest, std::uint16_t port) {
        EXPECT_TRUE(creator.match.createRoom("Short"));
        creator.connect(port);
        EXPECT_TRUE(runUntil({&creator}, [&] { return creator.lobby("phase") == "lobby"; }))
            << creator.match.lobbyJson();
        const std::string code = creator.lobby("code");
        EXPECT_TRUE(roomproto::isCode(code)) << code;
        std::string typed = code.substr(0, 3) + "-" + code.substr(3);
        std::transform(typed.begin(), typed.end(), typed.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(guest.match.joinRoom(typed));
        guest.connect(port);
        EXPECT_TRUE(runUntil({&creator, &guest}, [&] {
            return creator.lobbyPlayers() == 2 && guest.lobbyPlayers() == 2;
        })) << creator.match.lobbyJson()
            << guest.match.lobbyJson();
        return code;
    }

    std::int64_t clock_ = 0;
    double force_ = 12.0;
};

TEST_F(RoomPageClientTest, TwoPagesMeetByCodeChatAndPlayTheSameGameToTheEnd) {
    const std::uint16_t port = start();
    Page ann(1, "Ann");
    Page bob(2, "Bob");
    const std::string code = meet(ann, bob, port);
    EXPECT_EQ(ann.lobby("creator"), "true");
    EXPECT_EQ(bob.lobby("creator"), "false");
    EXPECT_EQ(ann.lobby("course"), "Short");
    EXPECT_EQ(bob.lobby("code"), code);
    EXPECT_FALSE(roomproto::isToken(ann.lobby("token")) && ann.lobby("token") == bob.lobby("token"))
        << "each computer has a seat of its own";

    // Only the creator adds computer players and starts.
    EXPECT_FALSE(bob.match.addComputer("Robo", ComputerStrength::Easy));
    EXPECT_TRUE(ann.match.addComputer("Robo", ComputerStrength::Easy));
    ASSERT_TRUE(runUntil({&ann, &bob}, [&] { return bob.lobbyPlayers() == 3; }))
        << bob.match.lobbyJson();
    // Each page sees who created the room and which players a computer plays, wherever.
    EXPECT_EQ(bob.lobbyMarks("Ann"), "computer- creator+ here-");
    EXPECT_EQ(bob.lobbyMarks("Robo"), "computer+ creator+ here-");
    EXPECT_EQ(bob.lobbyMarks("Bob"), "computer- creator- here+");
    EXPECT_EQ(ann.lobbyMarks("Ann"), "computer- creator+ here+");
    EXPECT_EQ(ann.lobbyMarks("Robo"), "computer+ creator+ here+");
    EXPECT_EQ(ann.lobbyMarks("Bob"), "computer- creator- here-");

    EXPECT_EQ(bob.match.sendChat("hello | there"), "");
    EXPECT_EQ(bob.match.sendChat(""), "empty");
    ASSERT_TRUE(runUntil({&ann, &bob}, [&] {
        return ann.saw("chat {\"name\":\"Bob\",\"text\":\"hello | there\",\"mine\":false}");
    }));
    EXPECT_TRUE(bob.saw("chat {\"name\":\"Bob\",\"text\":\"hello | there\",\"mine\":true}"));

    EXPECT_EQ(bob.lobby("canStart"), "false");
    EXPECT_FALSE(bob.match.startGame());
    EXPECT_EQ(ann.lobby("canStart"), "true");
    ASSERT_TRUE(ann.match.startGame());
    EXPECT_EQ(ann.lobby("canStart"), "false") << "asked once";
    ASSERT_TRUE(runUntil({&ann, &bob}, [&] { return ann.saw("started") && bob.saw("started"); }));
    EXPECT_EQ(bob.lobby("phase"), "playing");
    const std::string board = bob.match.boardJson();
    const std::size_t robo = board.find("\"name\":\"Robo\"");
    ASSERT_NE(robo, std::string::npos) << board;
    const std::string computerKind = "\"kind\":\"computer\"";
    EXPECT_EQ(board.compare(board.find("\"kind\":", robo), computerKind.size(), computerKind), 0)
        << "the creator's computer player is shown as one on the guest's board too: " << board;

    ASSERT_TRUE(runUntil({&ann, &bob},
                         [&] { return ann.match.isOver() && bob.match.isOver(); }, 60s))
        << ann.match.result() << bob.match.result();
    // Every putt, the computer's among them, came to rest at the same bits on both computers.
    EXPECT_GE(ann.rests().size(), 3u);
    EXPECT_EQ(ann.rests(), bob.rests());
    EXPECT_EQ(ann.match.result(), bob.match.result());
    EXPECT_TRUE(ann.sawStarting("turn remote Bob"));
    EXPECT_TRUE(bob.sawStarting("turn remote Ann"));
    EXPECT_TRUE(bob.sawStarting("turn remote Robo")) << "Ann's computer plays Robo";
    EXPECT_TRUE(ann.sawStarting("turn computer Robo"));
}

TEST_F(RoomPageClientTest, ARefusedOrFailedConnectionEndsTheLobbyWithItsReason) {
    const std::uint16_t port = start();
    Page lost(1, "Lou");
    EXPECT_FALSE(lost.match.joinRoom("not a code"));
    ASSERT_TRUE(lost.match.joinRoom("ABCDEF"));
    EXPECT_FALSE(lost.match.createRoom("Short")) << "one request per game";
    EXPECT_EQ(lost.lobby("phase"), "connecting");
    lost.connect(port);
    ASSERT_TRUE(runUntil({&lost}, [&] { return lost.lobby("phase") == "ended"; }))
        << lost.match.lobbyJson();
    EXPECT_EQ(lost.lobby("text"), "refused");
    EXPECT_EQ(lost.lobby("refusal"), "noSuchRoom");
    EXPECT_EQ(lost.lobby("subject"), "ABCDEF");
    EXPECT_TRUE(lost.match.wantsClose());

    // A page whose WebSocket never opens reports its end.
    Page away(2, "Ada");
    ASSERT_TRUE(away.match.createRoom(""));
    away.match.closed();
    EXPECT_EQ(away.lobby("phase"), "ended");
    EXPECT_EQ(away.lobby("text"), "couldntConnect");
    EXPECT_EQ(away.match.sendChat("anyone?"), "notConnected");
}

TEST_F(RoomPageClientTest, APageThatLostItsConnectionGetsItsSeatBackAndCatchesUp) {
    // Three holes, so that the game goes on after the first.
    for (const char* id : {"r2", "r3"}) {
        library.add(testLevel(id));
        settings.courses.front().addLevelId(id);
    }
    const std::uint16_t port = start();
    Page ann(1, "Ann");
    Page bob(2, "Bob");
    const std::string code = meet(ann, bob, port);
    ASSERT_TRUE(ann.match.startGame());
    ASSERT_TRUE(runUntil({&ann, &bob}, [&] { return bob.saw("started"); }));
    // The first hole, then Bob's phone loses its network.
    ASSERT_TRUE(runUntil({&ann, &bob}, [&] { return bob.sawStarting("hole 2 "); }));
    const std::string token = bob.lobby("token");
    ASSERT_TRUE(roomproto::isToken(token)) << bob.match.lobbyJson();
    bob.drop();
    ASSERT_TRUE(runUntil({&ann, &bob}, [&] { return bob.saw("lost"); }));
    EXPECT_EQ(bob.lobby("phase"), "ended");

    // The page starts a new game for the seat; it replays the putts so far and plays on.
    Page back(3, "Bob");
    ASSERT_TRUE(back.match.rejoinRoom(code, token));
    back.connect(port);
    ASSERT_TRUE(runUntil({&ann, &back}, [&] { return back.lobby("phase") == "playing"; }))
        << back.match.lobbyJson();
    ASSERT_TRUE(runUntil({&ann, &back},
                         [&] { return ann.match.isOver() && back.match.isOver(); }, 60s))
        << ann.match.result() << back.match.result();
    EXPECT_EQ(ann.match.result(), back.match.result());
    EXPECT_NE(ann.match.result().find("hole 3 Hole r3"), std::string::npos);
    EXPECT_TRUE(ann.sawStarting("returned Bob")) << "Ann hears that Bob plays again";
}

}  // namespace

}  // namespace trundlex::testing
