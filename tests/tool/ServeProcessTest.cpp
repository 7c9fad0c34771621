// The dedicated host as a real process, for what only a process shows: a client killed with
// SIGKILL mid-game, peers that stall, an unreadable level file (status 1), SIGTERM (status 0).
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "level/Archive.h"
#include "library/Course.h"
#include "net/NetProtocol.h"
#include "net/Socket.h"
#include "play/Player.h"
#include "support/AsciiLevel.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"
#include "game/net/NetTestSupport.h"
#include "support/ChildProcess.h"

namespace trundlex {
namespace {

using testing::ChildProcess;
using namespace std::chrono_literals;

class ServeProcessTest : public ::testing::Test {
protected:
    // Three holes with different cups as level files, and a course of all three.
    void SetUp() override {
        const std::vector<std::vector<std::string_view>> layouts = {
            {"#########", "#.......#", "#.....O.#", "#########"},
            {"#########", "#....O..#", "#.......#", "#########"},
            {"#########", "#.......#", "#...s.O.#", "#.......#", "#########"},
        };
        Course course;
        course.setPath(folder / "test.cou");
        for (std::size_t i = 0; i < layouts.size(); ++i) {
            Level level = testing::asciiLevel(layouts[i]);
            level.setId("serve-test-level-" + std::to_string(i + 1));
            level.setStart(1.5, 2.5);
            folder.write(levelFile(i), encodeArchiveString(level.toText()));
            course.addLevelId(level.id());
        }
        testing::ScriptedRandom random({7});
        ASSERT_TRUE(course.save(random));
    }
    void TearDown() override {
        EXPECT_EQ(host.untimedLines(), std::vector<std::string>{})
            << "every event line starts with its UTC time";
        if (HasFailure() || std::getenv("TRUNDLEX_SHOW_HOST") != nullptr) {
            for (const std::string& line : host.lines()) {
                std::cout << "host: " << line << "\n";
            }
        }
    }

    std::string levelFile(std::size_t hole) const {
        return "levels/hole" + std::to_string(hole + 1) + ".lev";
    }

    // Starts the host with `args` after "serve --port 0"; the port it listens on.
    std::uint16_t startHost(std::vector<std::string> args) {
        args.insert(args.begin(), {"serve", "--port", "0"});
        host.expectTimedLines();
        EXPECT_TRUE(host.start(TRUNDLEX_TOOL_PATH, args));
        const auto listening = host.waitForLine("listening ");
        EXPECT_TRUE(listening.has_value()) << "the host printed no port";
        return listening ? static_cast<std::uint16_t>(std::stoi(listening->substr(10))) : 0;
    }

    // A client program with one player, `name`, and no levels of its own; with `hold` it stops
    // putting after that many putts and waits on its turn.
    static void startClient(ChildProcess& client, std::uint16_t port, const std::string& name,
                            int hold = -1) {
        ASSERT_TRUE(client.start(TRUNDLEX_SERVE_CLIENT_PATH,
                                 {std::to_string(port), name, std::to_string(hold)}));
        ASSERT_TRUE(client.waitForLine("joining"));
    }

    // The strokes a client saw `name` take on the last hole; -1 when it printed none.
    static int lastHoleStrokes(ChildProcess& client, const std::string& name) {
        const auto line = client.waitForLine("strokes " + name + " ");
        return line ? std::stoi(line->substr(9 + name.size())) : -1;
    }

    testing::TempFolder folder;
    ChildProcess host;
};

TEST_F(ServeProcessTest, ClientKilledMidGameIsPuttedByTheHostWhileTheOtherFinishes) {
    const std::uint16_t port = startHost(
        {"--levels", folder / "levels", "--course", folder / "test.cou", "--start-when", "2"});
    ASSERT_NE(port, 0);

    // Alice putts once and then waits on her turn; Bob plays on.
    ChildProcess alice;
    ChildProcess bob;
    startClient(alice, port, "Alice", 1);
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    startClient(bob, port, "Bob");
    ASSERT_TRUE(host.waitForLine("start"));
    const std::vector<std::string> lines = host.lines();
    EXPECT_LT(std::find(lines.begin(), lines.end(), "player Bob"),
              std::find(lines.begin(), lines.end(), "start"))
        << "with --start-when 2 the game waits for the second client";
    ASSERT_TRUE(alice.waitForLine("holding"));
    const int aliceSent = alice.countLines("sent Alice");
    ASSERT_TRUE(bob.waitForLine("received Alice", aliceSent));

    // The kernel closes her connection; nothing of hers says goodbye.
    alice.signal(SIGKILL);
    EXPECT_EQ(alice.waitForExit(), ChildProcess::Signalled);
    ASSERT_TRUE(host.waitForLine("disconnected Alice"));
    ASSERT_TRUE(bob.waitForLine("over")) << "Bob never finished the course";
    EXPECT_EQ(bob.waitForExit(), 0);
    ASSERT_TRUE(host.waitForLine("over"));
    EXPECT_TRUE(host.waitForLine("hole 3"));
    // Bob stayed after Alice had left: a new lobby only once he has gone too.
    ASSERT_TRUE(host.waitForLine("listening ", 2));
    const std::vector<std::string> all = host.lines();
    EXPECT_LT(std::find_if(all.begin(), all.end(),
                           [](const std::string& l) { return l.starts_with("disconnected Bob 127.0.0.1:"); }),
              std::find_if(all.begin() + 1, all.end(),
                           [](const std::string& l) { return l.starts_with("listening "); }));

    // From her turn on, the host putted for Alice: Bob saw more of her putts than she made,
    // and on the last hole the host's computer player holed her out, not the stroke limit.
    EXPECT_GT(bob.countLines("received Alice"), aliceSent);
    EXPECT_GT(lastHoleStrokes(bob, "Alice"), 0);
    EXPECT_LT(lastHoleStrokes(bob, "Alice"), Player::LimitScore);
    EXPECT_GT(lastHoleStrokes(bob, "Bob"), 0);
    EXPECT_EQ(host.countLines("putt "), bob.countLines("sent ") + bob.countLines("received "))
        << "every putt passed the host once";

    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(), 0);
}

TEST_F(ServeProcessTest, LastClientKilledMidGameEndsTheMatchAndTheHostWaitsForANewGame) {
    // Level files instead of a course: the last given is the last hole.
    const std::uint16_t port = startHost({folder / levelFile(2), folder / levelFile(0)});
    ASSERT_NE(port, 0);

    // Gail plays alone, putts once and dies on her turn.
    ChildProcess gail;
    startClient(gail, port, "Gail", 1);
    ASSERT_TRUE(gail.waitForLine("holding"));
    gail.signal(SIGKILL);
    EXPECT_EQ(gail.waitForExit(), ChildProcess::Signalled);
    ASSERT_TRUE(host.waitForLine("disconnected Gail"));
    ASSERT_TRUE(host.waitForLine("over"));
    const auto relisten = host.waitForLine("listening ", 2);
    ASSERT_TRUE(relisten) << "the host did not open a new lobby";
    EXPECT_EQ(*relisten, "listening " + std::to_string(port)) << "a new port nobody knows";
    EXPECT_EQ(host.countLines("putt "), 1) << "nobody was left to play for Gail";

    // A new game on the same host, of the two holes, without Gail's player.
    ChildProcess hank;
    startClient(hank, port, "Hank");
    ASSERT_TRUE(hank.waitForLine("over")) << "Hank never finished";
    EXPECT_EQ(hank.waitForExit(), 0);
    ASSERT_TRUE(host.waitForLine("over", 2));
    EXPECT_TRUE(hank.waitForLine("levels serve-test-level-3 serve-test-level-1"));
    EXPECT_GT(lastHoleStrokes(hank, "Hank"), 0);
    EXPECT_EQ(hank.countLines("strokes "), 1) << "Gail's player is gone";
    EXPECT_EQ(host.countLines("putt "), 1 + hank.countLines("sent "));
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(), 0);
}

// Peers that hold a place without taking part: more than the host has places, silent or
// sending a byte a second. Polled together, each read to its end.
struct StallingPeers {
    explicit StallingPeers(std::uint16_t port, int silent, int trickling) : trickling(trickling) {
        for (int i = 0; i < silent + trickling; ++i) {
            WakePipe never;
            EXPECT_EQ(sockets.emplace_back().connectTo("127.0.0.1", port, never, 5s),
                      ConnectResult::Connected);
        }
        open.assign(sockets.size(), true);
    }
    // True when the host has closed every one within `limit`.
    bool allClosedWithin(std::chrono::seconds limit) {
        const std::string greeting = "HTrundlex 1.01";
        const auto start = std::chrono::steady_clock::now();
        for (int second = 0; std::chrono::steady_clock::now() - start < limit; ++second) {
            for (int i = 0; i < trickling; ++i) {
                const std::size_t at = static_cast<std::size_t>(second) % greeting.size();
                ::send(sockets[i].fd(), &greeting[at], 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            }
            const auto nextByte = start + std::chrono::seconds(second + 1);
            while (std::chrono::steady_clock::now() < nextByte) {
                if (std::ranges::count(open, true) == 0) {
                    return true;
                }
                drain(100);
            }
        }
        return false;
    }
    void drain(int waitMs) {
        std::vector<pollfd> waits;
        for (const Socket& socket : sockets) {
            waits.push_back({socket.fd(), POLLIN, 0});
        }
        ::poll(waits.data(), waits.size(), waitMs);
        for (std::size_t i = 0; i < waits.size(); ++i) {
            char buffer[4096];
            if (open[i] && waits[i].revents != 0 &&
                ::recv(sockets[i].fd(), buffer, sizeof buffer, MSG_DONTWAIT) <= 0) {
                open[i] = false;
            }
        }
    }

    int trickling;
    std::vector<Socket> sockets;
    std::vector<bool> open;
};

TEST_F(ServeProcessTest, StallingPeersAreDroppedAndTwoPlayersThenPlayTheCourse) {
    const std::uint16_t port = startHost(
        {"--levels", folder / "levels", "--course", folder / "test.cou", "--start-when", "2"});
    ASSERT_NE(port, 0);
    const long before = host.residentKib();

    StallingPeers stalling(port, 16, 4);
    EXPECT_TRUE(stalling.allClosedWithin(12s)) << "a stalling peer kept its place";
    // The first sixteen took every place; the others were refused at once.
    ASSERT_TRUE(host.waitForLine("dropped 127.0.0.1:", netproto::MaxClients));
    for (const std::string& line : host.lines()) {
        if (line.starts_with("dropped ")) {
            EXPECT_TRUE(line.ends_with(": no greeting")) << line;
        }
    }

    ChildProcess alice;
    ChildProcess bob;
    startClient(alice, port, "Alice");
    startClient(bob, port, "Bob");
    ASSERT_TRUE(alice.waitForLine("over")) << "the game did not run";
    ASSERT_TRUE(bob.waitForLine("over"));
    EXPECT_GT(alice.countLines("sent Alice"), 0);
    EXPECT_EQ(bob.countLines("received Alice"), alice.countLines("sent Alice"));
    EXPECT_EQ(alice.countLines("received Bob"), bob.countLines("sent Bob"));
    EXPECT_EQ(host.countLines("putt "), alice.countLines("sent ") + bob.countLines("sent "));
    EXPECT_LT(host.residentKib() - before, 64 * 1024) << "the host's memory grew";
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(), 0);
}

TEST_F(ServeProcessTest, PeerTextIsEscapedSoThatItCannotForgeEventLines) {
    const std::uint16_t port = startHost({"--log-chat", folder / levelFile(0)});
    testing::RawPeer mallory;
    ASSERT_TRUE(mallory.connect(port));
    // The second chat line claims another name, and carries a right-to-left override.
    mallory.sendEach({"NMal\rlory\x1b[2J|255|2|1|", "HTrundlex 1.01", "MMal\rlory\x1b[2J|gg\nover",
                      "MMa\\x0allory|\r\t\x7f\xe2\x80\xae"});
    ASSERT_TRUE(host.waitForLine("chat Mal\\x0dlory\\x1b[2J: \\x0d\\x09\\x7f\\xe2\\x80\\xae"));
    const std::vector<std::string> expected = {"player Mal\\x0dlory\\x1b[2J",
                                               "chat Mal\\x0dlory\\x1b[2J: gg\\x0aover"};
    for (const std::string& line : expected) {
        EXPECT_EQ(host.countLines(line), 1) << line;
    }
    EXPECT_EQ(host.countLines("over"), 0) << "a forged event line";
}

TEST_F(ServeProcessTest, ClientsOverIpv4AndIpv6PlayOneGameOnOneHost) {
    if (!TcpListener().open("::1", 0)) {
        GTEST_SKIP() << "this machine has no IPv6 loopback address";
    }
    const std::uint16_t port = startHost(
        {"--levels", folder / "levels", "--course", folder / "test.cou", "--start-when", "2"});
    ASSERT_NE(port, 0);
    ChildProcess four;
    ChildProcess six;
    ASSERT_TRUE(
        four.start(TRUNDLEX_SERVE_CLIENT_PATH, {std::to_string(port), "Four", "-1", "127.0.0.1"}));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    ASSERT_TRUE(six.start(TRUNDLEX_SERVE_CLIENT_PATH, {std::to_string(port), "Six", "-1", "::1"}));
    ASSERT_TRUE(host.waitForLine("ready [::1]:"));
    EXPECT_EQ(four.waitForExit(), 0);
    EXPECT_EQ(six.waitForExit(), 0);
    const int strokes = lastHoleStrokes(four, "Six");
    EXPECT_GT(strokes, 0);
    EXPECT_EQ(lastHoleStrokes(six, "Six"), strokes) << "both saw the same game";
}

TEST_F(ServeProcessTest, MissingOrDamagedLevelFileIsReportedAndTheHostDoesNotStart) {
    const std::string missing = folder / "levels/nowhere.lev";
    const std::string damaged = folder.write("levels/damaged.lev", "\x05{not a level");
    for (const std::string& bad : {missing, damaged}) {
        ChildProcess serve;
        ASSERT_TRUE(
            serve.start(TRUNDLEX_TOOL_PATH, {"serve", "--port", "0", folder / levelFile(0), bad}));
        EXPECT_EQ(serve.waitForExit(), 1) << bad;
        EXPECT_EQ(serve.countLines("listening "), 0) << bad;
        EXPECT_EQ(serve.countLines(bad + ": "), 1) << bad << ": the error names the file";
    }
}

}  // namespace
}  // namespace trundlex
