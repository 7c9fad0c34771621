// The dedicated host as a real process, for what only a process can show: a client program
// killed with SIGKILL in the middle of a game, a level file that cannot be read ending the
// host with status 1, and SIGTERM ending it with status 0. Whole network games between the
// game's own network objects are tested in one process with the network code (game/net).
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "level/Archive.h"
#include "library/Course.h"
#include "support/AsciiLevel.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"
#include "tool/ChildProcess.h"
#include "tool/ServeTestSupport.h"

namespace trundlex {
namespace {

using namespace servetest;

class ServeProcessTest : public ::testing::Test {
protected:
    // Three holes with their cups in different places, so their IDs differ, as level files
    // and as a course of all three.
    void SetUp() override {
        const std::vector<std::vector<std::string_view>> layouts = {
            {"#########", "#.......#", "#.....O.#", "#########"},
            {"#########", "#....O..#", "#.......#", "#########"},
            {"#########", "#.......#", "#...s.O.#", "#.......#", "#########"},
        };
        Course course;
        course.setPath(folder / "test.cou");
        course.setName("Serve test");
        for (std::size_t i = 0; i < layouts.size(); ++i) {
            Level level = testing::asciiLevel(layouts[i]);
            level.setId("serve-test-level-" + std::to_string(i + 1));
            level.setStart(1.5, 2.5);
            folder.write(levelFile(i), encodeArchiveString(level.toText()));
            course.addLevelId(level.id());
            levels_.push_back(level);
        }
        testing::ScriptedRandom random({7});
        ASSERT_TRUE(course.save(random));
    }

    std::string levelFile(std::size_t hole) const {
        return "levels/hole" + std::to_string(hole + 1) + ".lev";
    }

    // Starts the host with `args` after "serve"; the port it listens on, 0 when it did not.
    static std::uint16_t startHost(ChildProcess& host, const std::vector<std::string>& args) {
        std::vector<std::string> all = {"serve", "--port", "0"};
        all.insert(all.end(), args.begin(), args.end());
        EXPECT_TRUE(host.start(TRUNDLEX_TOOL_PATH, all));
        const auto listening = host.waitForLine("listening ");
        EXPECT_TRUE(listening.has_value()) << "the host printed no port";
        return listening ? static_cast<std::uint16_t>(std::stoi(listening->substr(10))) : 0;
    }

    // A client program with one player, `name`, and no levels of its own, that stops putting
    // after `hold` putts and waits on its turn.
    static void startClient(ChildProcess& client, std::uint16_t port, const std::string& name,
                            int hold) {
        ASSERT_TRUE(client.start(TRUNDLEX_SERVE_CLIENT_PATH,
                                 {std::to_string(port), name, std::to_string(hold)}));
        ASSERT_TRUE(client.waitForLine("joining"));
    }

    // Shows what the host printed when the test failed (or on request).
    void showHostOnFailure(ChildProcess& host) {
        if (HasFailure() || std::getenv("TRUNDLEX_SHOW_HOST") != nullptr) {
            for (const std::string& line : host.lines()) {
                std::cout << "host: " << line << "\n";
            }
        }
    }

    testing::TempFolder folder;
    std::vector<Level> levels_;
};

int countOf(const std::vector<std::string>& names, const std::string& name) {
    return static_cast<int>(std::count(names.begin(), names.end(), name));
}

TEST_F(ServeProcessTest, ClientKilledMidGameIsPuttedByTheHostWhileTheOtherFinishes) {
    ChildProcess host;
    const std::uint16_t port = startHost(host, {"--levels", folder / "levels", "--course",
                                                folder / "test.cou", "--start-when", "2"});
    ASSERT_NE(port, 0);

    // Alice is a program of her own that putts once and then waits on her turn; Bob plays on.
    ChildProcess alice;
    startClient(alice, port, "Alice", 1);
    ASSERT_TRUE(host.waitForLine("ready 127.0.0.1"));
    FlowClient bob("Bob", levels_);
    ASSERT_TRUE(bob.join(port));
    ASSERT_TRUE(host.waitForLine("start"));
    const std::vector<std::string> lines = host.lines();
    EXPECT_LT(std::find(lines.begin(), lines.end(), "player Bob"),
              std::find(lines.begin(), lines.end(), "start"))
        << "with --start-when 2 the game waits for the second client";
    ASSERT_TRUE(alice.waitForLine("holding"));
    const int aliceSent = alice.countLines("sent Alice");
    ASSERT_TRUE(bob.waitUntil([&] { return countOf(bob.receivedFor(), "Alice") == aliceSent; }));

    // The kernel closes her connection; nothing of hers says goodbye.
    alice.signal(SIGKILL);
    EXPECT_EQ(alice.waitForExit(), 128 + SIGKILL);
    ASSERT_TRUE(host.waitForLine("disconnected Alice"));
    ASSERT_TRUE(bob.waitUntil([&] { return bob.over(); })) << "Bob never finished the course";
    ASSERT_TRUE(host.waitForLine("over"));
    EXPECT_TRUE(host.waitForLine("hole 3"));
    EXPECT_EQ(host.countLines("listening "), 1) << "Bob is still there: no new lobby";

    // From her turn on, the host putted for Alice: Bob saw more of her putts than she made,
    // and on the last hole the host's computer player holed her out, not the stroke limit.
    EXPECT_GT(bob.read<int>([&] { return countOf(bob.receivedFor(), "Alice"); }), aliceSent);
    {
        auto lock = bob.net.lock();
        ASSERT_EQ(bob.match.PlayerCount(), 2);
        const Player& aliceSeenByBob = *bob.match.GetPlayer(0);
        ASSERT_EQ(aliceSeenByBob.GetName(), "Alice");
        EXPECT_GT(aliceSeenByBob.StrokesOn(2), 0);
        EXPECT_LT(aliceSeenByBob.StrokesOn(2), Player::LimitScore);
        EXPECT_GT(bob.match.GetPlayer(1)->StrokesOn(2), 0);
    }
    const auto bobPutts =
        bob.read<std::size_t>([&] { return bob.sent().size() + bob.received().size(); });
    EXPECT_EQ(static_cast<std::size_t>(host.countLines("putt ")), bobPutts)
        << "every putt passed the host once";

    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, LastClientKilledMidGameEndsTheMatchAndTheHostWaitsForANewGame) {
    // Level files instead of a course: played in the order given.
    ChildProcess host;
    const std::uint16_t port = startHost(host, {folder / levelFile(2), folder / levelFile(0)});
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
    EXPECT_EQ(host.countLines("putt "), 1) << "nobody was left to play for Gail";

    // A new game on the same host, without Gail's player.
    FlowClient hank("Hank", {});
    ASSERT_TRUE(hank.join(port));
    ASSERT_TRUE(host.waitForLine("start", 2));
    ASSERT_TRUE(hank.waitUntil([&] { return hank.over(); })) << "Hank never finished";
    ASSERT_TRUE(host.waitForLine("over", 2));
    EXPECT_EQ(host.countLines("hole 3"), 0);
    {
        auto lock = hank.net.lock();
        ASSERT_EQ(hank.match.PlayerCount(), 1);
        EXPECT_EQ(hank.match.GetPlayer(0)->GetName(), "Hank");
        ASSERT_EQ(hank.match.LevelCount(), 2);
        EXPECT_EQ(hank.match.GetLevelId(0), levels_[2].id());
        EXPECT_EQ(hank.match.GetLevelId(1), levels_[0].id());
        EXPECT_GT(hank.match.GetPlayer(0)->StrokesOn(1), 0);
    }
    EXPECT_EQ(host.countLines("putt "),
              1 + hank.read<int>([&] { return static_cast<int>(hank.sent().size()); }));
    EXPECT_EQ(host.stop(SIGTERM), 0);
    showHostOnFailure(host);
}

TEST_F(ServeProcessTest, MissingOrDamagedLevelFileIsReportedAndTheHostDoesNotStart) {
    const std::string missing = folder / "levels/nowhere.lev";
    const std::string damaged = folder.write("levels/damaged.lev", "\x05{not a level");
    for (const std::string& bad : {missing, damaged}) {
        ChildProcess host;
        ASSERT_TRUE(
            host.start(TRUNDLEX_TOOL_PATH, {"serve", "--port", "0", folder / levelFile(0), bad}));
        EXPECT_EQ(host.waitForExit(), 1) << bad;
        EXPECT_EQ(host.countLines("listening "), 0) << bad;
        const auto errors = host.errorLines();
        ASSERT_EQ(errors.size(), 1u) << bad;
        EXPECT_TRUE(errors.front().starts_with(bad + ": ")) << errors.front();
    }
}

}  // namespace
}  // namespace trundlex
