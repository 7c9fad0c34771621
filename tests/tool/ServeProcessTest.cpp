// The dedicated host as a real process: two clients built on the game's own network object
// play a course through it over loopback, one of them leaving in the middle.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ball/Ball.h"
#include "level/Archive.h"
#include "library/Course.h"
#include "library/LevelLibrary.h"
#include "library/RandomSource.h"
#include "net/NetGame.h"
#include "play/Match.h"
#include "play/MatchFlow.h"
#include "support/AsciiLevel.h"

extern char** environ;

namespace trundlex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Every wait ends after this, so a fault shows as a failure, not a hang.
constexpr auto Patience = 20s;

// Three holes with their cups in different places, so their IDs differ.
std::vector<Level> courseLevels() {
    std::vector<Level> levels;
    const std::vector<std::vector<std::string_view>> layouts = {
        {"#########", "#.......#", "#.....O.#", "#########"},
        {"#########", "#....O..#", "#.......#", "#########"},
        {"#########", "#.......#", "#...s.O.#", "#.......#", "#########"},
    };
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        Level level = testing::asciiLevel(layouts[i]);
        level.setId("serve-test-level-" + std::to_string(i + 1));
        level.setName("Serve hole " + std::to_string(i + 1));
        level.setStart(1.5, 2.5);
        levels.push_back(level);
    }
    return levels;
}

bool writeLevelFile(const Level& level, const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    ArchiveWriter archive(file);
    archive.writeString(level.toText());
    file.flush();
    return archive.ok() && file.good();
}

// Where the clients aim: at the cup, with a force from the distance (the ball rolls about
// speed / 0.602 blocks on grass).
void aimAtCup(const Level& level, const Ball& ball, double& force, double& angle) {
    double best = 1e9;
    angle = 0.0;
    for (std::int32_t c = 0; c < level.width(); ++c) {
        for (std::int32_t r = 0; r < level.height(); ++r) {
            if (level.block(c, r).back().kind() != Cup) {
                continue;
            }
            const double dx = c + 0.5 - ball.GetX();
            const double dy = r + 0.5 - ball.GetY();
            if (std::hypot(dx, dy) < best) {
                best = std::hypot(dx, dy);
                angle = std::atan2(dy, dx);
            }
        }
    }
    force = std::clamp(0.602 * (best + 0.5), 1.0, 80.0);
}

class StopOwner : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification code) override {
        if (code != BallMoved) {
            inCup = code == BallInCup;
        }
    }
    bool inCup = false;
};

struct Putt {
    double force;
    double angle;
    friend bool operator==(const Putt&, const Putt&) = default;
};

// One client computer: its own level library, match and network object, following the match
// with the flow the game view uses and putting its own player's ball synchronously on its
// turn. With `holdOnTurn` it stops putting once it has made that many putts and reports that
// it is waiting on its turn, so the test can leave at a known point of the game.
class FlowClient : public NetListener {
public:
    FlowClient(const std::string& playerName, const std::vector<Level>& ownLevels,
               int holdOnTurn = -1)
        : holdOnTurn_(holdOnTurn) {
        for (const Level& level : ownLevels) {
            library.add(level);
        }
        match.AddPlayer(playerName, 0x0000FF, 1, false, Player::LocalConnection);
        net.setMatch(&match);
        net.addListener(this);
    }
    ~FlowClient() override { net.clearListeners(); }

    bool join(std::uint16_t port) { return net.startClient("127.0.0.1", port, nullptr); }

    void onNetEvent(NetEvent event) override {
        auto lock = net.lock();
        switch (event) {
            case NetLobbyClosed:
                follow(flow.restart(false));
                break;
            case NetStart:
                record([&] { started_ = true; });
                follow(flow.advance());
                break;
            case NetAllStopped:
                record([&] { ++allStopped_; });
                follow(flow.advance());
                break;
            case NetPutt: {
                const Putt putt{net.puttForce(), net.puttAngle()};
                record([&] { received_.push_back(putt); });
                if (flow.startPutt(putt.force, putt.angle)) {
                    roll(putt);
                } else {
                    net.localBallStopped();
                }
                break;
            }
            case NetChat: {
                const std::string line = net.chatName() + ": " + net.chatText();
                record([&] { chats_.push_back(line); });
                break;
            }
            case NetDisconnectInfo: {
                const std::string names = net.eventData().disconnectNames;
                record([&] { disconnected_.push_back(names); });
                break;
            }
            case NetEnded:
            case NetConnectionClosed:
                follow(flow.resume());
                break;
            default:
                break;
        }
    }

    bool waitUntil(const std::function<bool()>& condition) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, Patience, condition);
    }
    bool started() const { return started_; }
    bool over() const { return over_; }
    bool holding() const { return holding_; }
    int allStopped() const { return allStopped_; }
    const std::vector<Putt>& sent() const { return sent_; }
    const std::vector<Putt>& received() const { return received_; }
    const std::vector<std::string>& chats() const { return chats_; }
    const std::vector<std::string>& disconnected() const { return disconnected_; }
    // Copies taken under the client's own mutex.
    template <typename T>
    T read(const std::function<T()>& get) {
        std::lock_guard lock(mutex_);
        return get();
    }

    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Match match;
    Level level;
    MatchFlow flow{match, library, level};
    // Last: it goes first, waiting for its threads while the rest is still there.
    NetGame net{library};

private:
    void follow(FlowStep step) {
        if (step.outcome == FlowOutcome::Over) {
            record([&] { over_ = true; });
            return;
        }
        if (step.outcome != FlowOutcome::Turn || !step.player->IsLocalPlayer()) {
            return;
        }
        if (holdOnTurn_ >= 0 && static_cast<int>(sent_.size()) >= holdOnTurn_) {
            record([&] { holding_ = true; });
            return;
        }
        Putt putt{};
        aimAtCup(level, step.player->GetBall(), putt.force, putt.angle);
        if (!net.sendPutt(putt.force, putt.angle)) {
            return;
        }
        record([&] { sent_.push_back(putt); });
        flow.startPutt(putt.force, putt.angle);
        roll(putt);
    }

    void roll(const Putt& putt) {
        StopOwner owner;
        flow.currentPlayer()->GetBall().PuttNow(putt.force, putt.angle, &owner, Fastest);
        flow.ballStopped(owner.inCup);
        net.localBallStopped();
    }

    template <typename Change>
    void record(Change change) {
        {
            std::lock_guard lock(mutex_);
            change();
        }
        changed_.notify_all();
    }

    const int holdOnTurn_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    bool over_ = false;
    bool holding_ = false;
    int allStopped_ = 0;
    std::vector<Putt> sent_;
    std::vector<Putt> received_;
    std::vector<std::string> chats_;
    std::vector<std::string> disconnected_;
};

// The host process with its standard output read line by line.
class ServeProcess {
public:
    bool start(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe(out) != 0) {
            return false;
        }
        std::vector<std::string> all = {TRUNDLEX_TOOL_PATH, "serve"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (failed != 0) {
            ::close(out[0]);
            pid_ = -1;
            return false;
        }
        reader_ = std::thread([this, fd = out[0]] { readLines(fd); });
        return true;
    }

    ~ServeProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        if (reader_.joinable()) {
            reader_.join();
        }
    }

    // Waits until `count` lines start with `prefix`; the last of them.
    std::optional<std::string> waitForLine(const std::string& prefix, int count = 1) {
        std::unique_lock lock(mutex_);
        std::optional<std::string> found;
        changed_.wait_for(lock, Patience, [&] {
            int seen = 0;
            for (const std::string& line : lines_) {
                if (line.starts_with(prefix) && ++seen == count) {
                    found = line;
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    int countLines(const std::string& prefix) {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count_if(
            lines_.begin(), lines_.end(), [&](const auto& l) { return l.starts_with(prefix); }));
    }
    std::vector<std::string> lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

    // Asks the host to stop with `signal`; its exit status, or -1 when it did not exit in time.
    int stop(int signal) {
        ::kill(pid_, signal);
        const auto deadline = Clock::now() + Patience;
        int status = 0;
        while (Clock::now() < deadline) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                reader_.join();
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

private:
    void readLines(int fd) {
        std::string pending;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            pending.append(buffer, static_cast<std::size_t>(got));
            std::size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                {
                    std::lock_guard lock(mutex_);
                    lines_.push_back(pending.substr(0, end));
                }
                pending.erase(0, end + 1);
                changed_.notify_all();
            }
        }
        ::close(fd);
    }

    pid_t pid_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
};

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

    std::uint16_t startHost(ServeProcess& host, const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"--port",   "0",
                                         "--levels", (dir_ / "levels").string(),
                                         "--course", (dir_ / "test.cou").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_TRUE(host.start(args));
        const auto listening = host.waitForLine("listening ");
        EXPECT_TRUE(listening.has_value()) << "the host printed no port";
        return listening ? static_cast<std::uint16_t>(std::stoi(listening->substr(10))) : 0;
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

    {
        auto lock = bob.net.lock();
        ASSERT_EQ(bob.match.PlayerCount(), 2);
        for (std::int32_t i = 0; i < 2; ++i) {
            const Player& player = *bob.match.GetPlayer(i);
            EXPECT_GT(player.StrokesOn(2), 0) << player.GetName() << " played no last hole";
        }
    }
    // Every putt passed the host once; the host reported every round of stops Bob saw.
    const auto bobPutts =
        bob.read<std::size_t>([&] { return bob.sent().size() + bob.received().size(); });
    EXPECT_GT(bob.read<std::size_t>([&] { return bob.received().size(); }), aliceSent.size())
        << "the host never putted for Alice";
    EXPECT_EQ(static_cast<std::size_t>(host.countLines("putt ")), bobPutts);
    EXPECT_EQ(host.countLines("stopped"), bob.read<int>([&] { return bob.allStopped(); }));

    EXPECT_EQ(host.stop(SIGTERM), 0);
    if (HasFailure() || std::getenv("TRUNDLEX_SHOW_HOST") != nullptr) {
        for (const std::string& line : host.lines()) {
            std::cout << "host: " << line << "\n";
        }
    }
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

}  // namespace
}  // namespace trundlex
