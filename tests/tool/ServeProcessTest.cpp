// The dedicated host as a real process: clients built on the game's own network object play a
// course through it over loopback, in this process or as programs of their own that a test
// can kill.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "library/Course.h"
#include "tool/ChildProcess.h"
#include "tool/ServeTestSupport.h"
#include "util/RandomSource.h"

namespace trundlex {
namespace {

using namespace std::chrono_literals;
using namespace servetest;
using Clock = std::chrono::steady_clock;
using ServeProcess = ChildProcess;

class ServeProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("trundlex-serve-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "levels");
        levels_ = courseLevels();
        Course course;
        course.setPath((dir_ / "test.cou").string());
        course.setName("Serve test");
        for (std::size_t i = 0; i < levels_.size(); ++i) {
            const auto path = dir_ / "levels" / ("hole" + std::to_string(i + 1) + ".lev");
            ASSERT_TRUE(writeLevelFile(levels_[i], path.string()));
            course.addLevelId(levels_[i].id());
        }
        SeededRandom random(7);
        ASSERT_TRUE(course.save(random));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string levelPath(std::size_t hole) const {
        return (dir_ / "levels" / ("hole" + std::to_string(hole + 1) + ".lev")).string();
    }

    // Starts the host with `args` after "serve"; the port it listens on, 0 when it did not.
    static std::uint16_t startHostWith(ServeProcess& host, const std::vector<std::string>& args) {
        std::vector<std::string> all = {"serve"};
        all.insert(all.end(), args.begin(), args.end());
        EXPECT_TRUE(host.start(TRUNDLEX_TOOL_PATH, all));
        const auto listening = host.waitForLine("listening ");
        EXPECT_TRUE(listening.has_value()) << "the host printed no port";
        return listening ? static_cast<std::uint16_t>(std::stoi(listening->substr(10))) : 0;
    }

    // The host on the test course, on any free port.
    std::uint16_t startHost(ServeProcess& host, const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"--port",   "0",
                                         "--levels", (dir_ / "levels").string(),
                                         "--course", (dir_ / "test.cou").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return startHostWith(host, args);
    }

    // A client program with one player, `name`, and no levels of its own; with `hold` it
    // stops putting after that many putts.
    static void startClient(ChildProcess& client, std::uint16_t port, const std::string& name,
                            int hold = -1) {
        std::vector<std::string> args = {std::to_string(port), name};
        if (hold >= 0) {
            args.push_back(std::to_string(hold));
        }
        ASSERT_TRUE(client.start(TRUNDLEX_SERVE_CLIENT_PATH, args));
        ASSERT_TRUE(client.waitForLine("joining"));
    }

    // Shows what the host printed when the test failed (or on request).
    // After Alice left a game of three holes: Bob's match still has both players, both played
    // the last hole, and the host's computer player holed Alice out there, not the stroke
    // limit.
    static void expectBothPlayedTheLastHole(FlowClient& bob) {
        auto lock = bob.net.lock();
        ASSERT_EQ(bob.match.PlayerCount(), 2);
        for (std::int32_t i = 0; i < 2; ++i) {
            const Player& player = *bob.match.GetPlayer(i);
            EXPECT_GT(player.StrokesOn(2), 0) << player.GetName() << " played no last hole";
        }
        const Player& alice = *bob.match.GetPlayer(0);
        ASSERT_EQ(alice.GetName(), "Alice");
        EXPECT_LT(alice.StrokesOn(2), Player::LimitScore);
    }

    void showHostOnFailure(ServeProcess& host) {
        if (HasFailure() || std::getenv("TRUNDLEX_SHOW_HOST") != nullptr) {
            for (const std::string& line : host.lines()) {
                std::cout << "host: " << line << "\n";
            }
        }
    }

    std::filesystem::path dir_;
    std::vector<Level> levels_;
};

TEST_F(ServeProcessTest, TwoClientsPlayThroughTheHostAndOneFinishesAfterTheOtherLeft) {
    ServeProcess host;
    const std::uint16_t port = startHost(host, {"--start-when", "2"});
    ASSERT_NE(port, 0);

    // Alice has every level; Bob has only the first and fetches the others from the host.
    // Alice stops putting on her second turn, so she leaves in the middle of the game.
    auto alice = std::make_unique<FlowClient>("Alice", levels_, 1);
    FlowClient bob("Bob", {levels_[0]});

    ASSERT_TRUE(alice->join(port));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    // One client is not enough with --start-when 2.
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(host.countLines("start"), 0);

    ASSERT_TRUE(bob.join(port));
    ASSERT_TRUE(host.waitForLine("connected 127.0.0.1", 2));
    ASSERT_TRUE(host.waitForLine("player Alice"));
    ASSERT_TRUE(host.waitForLine("player Bob"));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1", 2));
    ASSERT_TRUE(host.waitForLine("start"));
    ASSERT_TRUE(host.waitForLine("hole 1"));
    ASSERT_TRUE(bob.waitUntil([&] { return bob.started(); }));
    {
        auto lock = bob.net.lock();
        for (const Level& level : levels_) {
            EXPECT_GE(bob.library.findById(level.id()), 0) << level.id() << " never reached Bob";
        }
        EXPECT_EQ(bob.match.LevelCount(), 3);
    }

    // Both have putted at least once and Alice waits on her turn.
    ASSERT_TRUE(alice->waitUntil([&] { return alice->holding(); }));
    const auto aliceSent = alice->read<std::vector<Putt>>([&] { return alice->sent(); });
    const auto aliceReceived = alice->read<std::vector<Putt>>([&] { return alice->received(); });
    ASSERT_EQ(aliceSent.size(), 1u);
    ASSERT_FALSE(aliceReceived.empty());
    ASSERT_TRUE(bob.waitUntil([&] { return !bob.received().empty(); }));
    EXPECT_EQ(bob.read<Putt>([&] { return bob.received().front(); }), aliceSent.front())
        << "Alice's putt reached Bob changed";
    const auto bobSent = bob.read<std::vector<Putt>>([&] { return bob.sent(); });
    ASSERT_GE(bobSent.size(), aliceReceived.size());
    EXPECT_TRUE(std::equal(aliceReceived.begin(), aliceReceived.end(), bobSent.begin()))
        << "Bob's putts did not reach Alice in order";
    // The other computers see the same round of stops a moment later than Alice.
    EXPECT_TRUE(host.waitForLine("stopped", 2));
    EXPECT_TRUE(bob.waitUntil([&] { return bob.allStopped() >= 2; }));

    // Chat goes through the host to the other client.
    EXPECT_EQ(bob.net.sendChat("hello there", "Bob"), netproto::TextProblem::None);
    ASSERT_TRUE(host.waitForLine("chat Bob: hello there"));
    ASSERT_TRUE(alice->waitUntil([&] {
        return std::find(alice->chats().begin(), alice->chats().end(), "Bob: hello there") !=
               alice->chats().end();
    }));

    // Alice's computer goes away on her turn; the host plays her from now on.
    alice->net.clearListeners();
    alice->net.endGame();
    alice.reset();
    ASSERT_TRUE(host.waitForLine("disconnected Alice"));
    ASSERT_TRUE(bob.waitUntil([&] {
        return std::find(bob.disconnected().begin(), bob.disconnected().end(), "Alice") !=
               bob.disconnected().end();
    }));
    ASSERT_TRUE(bob.waitUntil([&] { return bob.over(); })) << "Bob never finished the course";
    ASSERT_TRUE(host.waitForLine("over"));
    ASSERT_TRUE(host.waitForLine("hole 3"));

    expectBothPlayedTheLastHole(bob);
    // Every putt passed the host once; the host reported every round of stops Bob saw.
    const auto bobPutts =
        bob.read<std::size_t>([&] { return bob.sent().size() + bob.received().size(); });
    EXPECT_GT(bob.read<std::size_t>([&] { return bob.received().size(); }), aliceSent.size())
        << "the host never putted for Alice";
    EXPECT_EQ(static_cast<std::size_t>(host.countLines("putt ")), bobPutts);
    EXPECT_EQ(host.countLines("stopped"), bob.read<int>([&] { return bob.allStopped(); }));

    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, WithoutStartWhenTheFirstReadyClientStartsAndSigintEndsItsConnection) {
    ServeProcess host;
    const std::uint16_t port = startHost(host, {});
    ASSERT_NE(port, 0);
    FlowClient carol("Carol", {});
    ASSERT_TRUE(carol.join(port));
    ASSERT_TRUE(host.waitForLine("start"));
    ASSERT_TRUE(carol.waitUntil([&] { return carol.over(); })) << "Carol never finished";
    ASSERT_TRUE(host.waitForLine("over"));
    EXPECT_EQ(host.countLines("putt "),
              carol.read<int>([&] { return static_cast<int>(carol.sent().size()); }));

    EXPECT_EQ(host.stop(SIGINT), 0);
    // The host closed Carol's connection on its way out.
    const auto deadline = Clock::now() + Patience;
    while (carol.net.isConnected() && Clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(carol.net.isConnected());
}

// Counts the entries of `names` equal to `name`.
int countOf(const std::vector<std::string>& names, const std::string& name) {
    return static_cast<int>(std::count(names.begin(), names.end(), name));
}

TEST_F(ServeProcessTest, ClientKilledMidGameIsPuttedByTheHostWhileTheOtherFinishes) {
    ServeProcess host;
    const std::uint16_t port = startHost(host, {"--start-when", "2"});
    ASSERT_NE(port, 0);

    // Alice is a program of her own that putts once and then waits on her turn; Bob plays on.
    ChildProcess alice;
    startClient(alice, port, "Alice", 1);
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    FlowClient bob("Bob", levels_);
    ASSERT_TRUE(bob.join(port));
    ASSERT_TRUE(host.waitForLine("start"));
    ASSERT_TRUE(alice.waitForLine("sent Alice "));
    ASSERT_TRUE(alice.waitForLine("holding"));
    const int aliceSent = alice.countLines("sent Alice ");
    ASSERT_TRUE(bob.waitUntil([&] { return countOf(bob.receivedFor(), "Alice") == aliceSent; }));

    // The kernel closes her connection; nothing of hers says goodbye.
    alice.signal(SIGKILL);
    EXPECT_EQ(alice.waitForExit(), 128 + SIGKILL);
    ASSERT_TRUE(host.waitForLine("disconnected Alice"));
    ASSERT_TRUE(bob.waitUntil([&] { return bob.over(); })) << "Bob never finished the course";
    ASSERT_TRUE(host.waitForLine("over"));
    EXPECT_TRUE(host.waitForLine("hole 3"));
    EXPECT_EQ(host.countLines("listening "), 1) << "Bob is still there: no new lobby";

    // From her turn on, the host putted for Alice: Bob saw more of her putts than she made.
    EXPECT_GT(bob.read<int>([&] { return countOf(bob.receivedFor(), "Alice"); }), aliceSent);
    expectBothPlayedTheLastHole(bob);
    const auto bobPutts =
        bob.read<std::size_t>([&] { return bob.sent().size() + bob.received().size(); });
    EXPECT_EQ(static_cast<std::size_t>(host.countLines("putt ")), bobPutts);

    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, ClientLeavingTheLobbyTakesItsPlayersAndTheOthersStartWithoutIt) {
    ServeProcess host;
    const std::uint16_t port = startHost(host, {"--start-when", "3"});
    ASSERT_NE(port, 0);

    ChildProcess dave;
    startClient(dave, port, "Dave");
    ASSERT_TRUE(host.waitForLine("player Dave"));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    FlowClient erin("Erin", levels_);
    ASSERT_TRUE(erin.join(port));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1", 2));
    const auto playerCount = [](FlowClient& client) {
        auto lock = client.net.lock();
        return client.match.PlayerCount();
    };
    const auto waitForPlayers = [&](FlowClient& client, int count) {
        const auto deadline = Clock::now() + Patience;
        while (playerCount(client) != count && Clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
        }
        return playerCount(client) == count;
    };
    ASSERT_TRUE(waitForPlayers(erin, 2)) << "Erin never saw Dave's player";

    // Dave goes before the start: his player leaves every list.
    dave.signal(SIGKILL);
    EXPECT_EQ(dave.waitForExit(), 128 + SIGKILL);
    ASSERT_TRUE(host.waitForLine("disconnected Dave"));
    ASSERT_TRUE(waitForPlayers(erin, 1)) << "Dave's player stayed in Erin's list";

    // With Dave the host would now have the three it waits for; without him, not yet.
    FlowClient frank("Frank", {});
    ASSERT_TRUE(frank.join(port));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1", 3));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(host.countLines("start"), 0) << "started with a client that had left";

    FlowClient gus("Gus", {});
    ASSERT_TRUE(gus.join(port));
    ASSERT_TRUE(host.waitForLine("start"));
    ASSERT_TRUE(erin.waitUntil([&] { return erin.over(); })) << "Erin never finished";
    ASSERT_TRUE(frank.waitUntil([&] { return frank.over(); })) << "Frank never finished";
    ASSERT_TRUE(gus.waitUntil([&] { return gus.over(); })) << "Gus never finished";
    ASSERT_TRUE(host.waitForLine("over"));
    for (FlowClient* client : {&erin, &frank, &gus}) {
        auto lock = client->net.lock();
        ASSERT_EQ(client->match.PlayerCount(), 3);
        EXPECT_EQ(client->match.GetPlayer(0)->GetName(), "Erin");
        EXPECT_EQ(client->match.GetPlayer(1)->GetName(), "Frank");
        EXPECT_EQ(client->match.GetPlayer(2)->GetName(), "Gus");
    }
    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, LastClientLeavingMidGameEndsTheMatchAndTheHostWaitsForANewGame) {
    ServeProcess host;
    const std::uint16_t port = startHost(host, {});
    ASSERT_NE(port, 0);

    // Gail plays alone, putts once and dies on her turn.
    ChildProcess gail;
    startClient(gail, port, "Gail", 1);
    ASSERT_TRUE(gail.waitForLine("holding"));
    gail.signal(SIGKILL);
    EXPECT_EQ(gail.waitForExit(), 128 + SIGKILL);
    ASSERT_TRUE(host.waitForLine("disconnected Gail"));
    ASSERT_TRUE(host.waitForLine("over"));
    const auto relisten = host.waitForLine("listening ", 2);
    ASSERT_TRUE(relisten) << "the host did not open a new lobby";
    EXPECT_EQ(*relisten, "listening " + std::to_string(port)) << "a new port nobody knows";
    // Nobody was left to play for: the host putted nothing for Gail.
    EXPECT_EQ(host.countLines("putt "), 1);

    // A new game on the same host, without Gail's player.
    FlowClient hank("Hank", {});
    ASSERT_TRUE(hank.join(port));
    ASSERT_TRUE(host.waitForLine("start", 2));
    ASSERT_TRUE(hank.waitUntil([&] { return hank.over(); })) << "Hank never finished";
    ASSERT_TRUE(host.waitForLine("over", 2));
    {
        auto lock = hank.net.lock();
        ASSERT_EQ(hank.match.PlayerCount(), 1);
        EXPECT_EQ(hank.match.GetPlayer(0)->GetName(), "Hank");
        EXPECT_GT(hank.match.GetPlayer(0)->StrokesOn(2), 0);
    }
    EXPECT_EQ(host.countLines("putt "),
              1 + hank.read<int>([&] { return static_cast<int>(hank.sent().size()); }));
    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, AfterTheMatchTheHostWaitsForTheLastClientToLeaveThenOpensANewLobby) {
    ServeProcess host;
    const std::uint16_t port = startHost(host, {"--start-when", "2"});
    ASSERT_NE(port, 0);

    // Two client programs play the course to its end and exit on their own.
    ChildProcess ivy;
    ChildProcess jack;
    startClient(ivy, port, "Ivy");
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    startClient(jack, port, "Jack");
    ASSERT_TRUE(host.waitForLine("start"));
    ASSERT_TRUE(ivy.waitForLine("over"));
    ASSERT_TRUE(jack.waitForLine("over"));
    EXPECT_EQ(ivy.waitForExit(), 0);
    EXPECT_EQ(jack.waitForExit(), 0);
    ASSERT_TRUE(host.waitForLine("over"));
    ASSERT_TRUE(host.waitForLine("listening " + std::to_string(port), 2));

    // One new client is enough to be counted, not to start: --start-when still holds.
    FlowClient kim("Kim", {});
    ASSERT_TRUE(kim.join(port));
    ASSERT_TRUE(host.waitForLine("player Kim"));
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1", 3));
    FlowClient lee("Lee", {});
    ASSERT_TRUE(lee.join(port));
    ASSERT_TRUE(host.waitForLine("start", 2));
    ASSERT_TRUE(kim.waitUntil([&] { return kim.over(); })) << "Kim never finished";
    ASSERT_TRUE(lee.waitUntil([&] { return lee.over(); })) << "Lee never finished";
    ASSERT_TRUE(host.waitForLine("over", 2));
    {
        auto lock = kim.net.lock();
        EXPECT_EQ(kim.match.PlayerCount(), 2) << "players of the first game came back";
    }
    // Over, but both are still connected: the host keeps the finished game for them.
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(host.countLines("listening "), 2);
    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, LevelFilesInsteadOfACourseArePlayedInTheirOrder) {
    ServeProcess host;
    const std::uint16_t port = startHostWith(host, {"--port", "0", levelPath(2), levelPath(0)});
    ASSERT_NE(port, 0);
    FlowClient mia("Mia", {});
    ASSERT_TRUE(mia.join(port));
    ASSERT_TRUE(mia.waitUntil([&] { return mia.over(); })) << "Mia never finished";
    ASSERT_TRUE(host.waitForLine("over"));
    EXPECT_TRUE(host.waitForLine("hole 2"));
    EXPECT_EQ(host.countLines("hole 3"), 0);
    {
        auto lock = mia.net.lock();
        ASSERT_EQ(mia.match.LevelCount(), 2);
        EXPECT_EQ(mia.match.GetLevelId(0), levels_[2].id());
        EXPECT_EQ(mia.match.GetLevelId(1), levels_[0].id());
    }
    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, MissingOrDamagedLevelFileIsReportedAndTheHostDoesNotStart) {
    const std::string missing = (dir_ / "levels" / "nowhere.lev").string();
    const std::string damaged = (dir_ / "levels" / "damaged.lev").string();
    {
        std::ofstream file(damaged, std::ios::binary);
        file << "\x05{not a level";
    }
    for (const std::string& bad : {missing, damaged}) {
        ServeProcess host;
        ASSERT_TRUE(host.start(TRUNDLEX_TOOL_PATH, {"serve", "--port", "0", levelPath(0), bad}));
        EXPECT_EQ(host.waitForExit(), 1) << bad;
        EXPECT_EQ(host.countLines("listening "), 0) << bad;
        const auto errors = host.errorLines();
        ASSERT_EQ(errors.size(), 1u) << bad;
        EXPECT_TRUE(errors.front().starts_with(bad + ": ")) << errors.front();
    }
}

}  // namespace
}  // namespace trundlex
