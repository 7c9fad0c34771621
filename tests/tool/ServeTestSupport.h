#pragma once
// What the dedicated host's tests share with the client program they start: a small course,
// and a client computer built on the game's own network object that follows the match with
// the flow the game view uses.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "ball/Ball.h"
#include "level/Archive.h"
#include "library/LevelLibrary.h"
#include "net/NetGame.h"
#include "play/ComputerPlayer.h"
#include "play/Match.h"
#include "play/MatchFlow.h"
#include "support/AsciiLevel.h"
#include "util/TextNumbers.h"

namespace trundlex::servetest {

// Every wait ends after this, so a fault shows as a failure, not a hang.
constexpr auto Patience = std::chrono::seconds(20);

// Three holes with their cups in different places, so their IDs differ.
inline std::vector<Level> courseLevels() {
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

inline bool writeLevelFile(const Level& level, const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    ArchiveWriter archive(file);
    archive.writeString(level.toText());
    file.flush();
    return archive.ok() && file.good();
}

// Where the clients aim: straight at the nearest cup, as a computer player does when it knows
// nothing better.
inline void aimAtCup(const Level& level, const Ball& ball, double& force, double& angle) {
    const ComputerPutt putt = puttAtNearestCup(level, ball.GetX(), ball.GetY());
    force = std::clamp(putt.speed, 1.0, 80.0);
    angle = putt.heading;
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
// it is waiting on its turn, so a test can leave at a known point of the game. Every event
// it sees is also handed to `say` as one line (for a client that runs as its own process).
class FlowClient : public NetListener {
public:
    using Say = std::function<void(const std::string&)>;

    FlowClient(const std::string& playerName, const std::vector<Level>& ownLevels,
               int holdOnTurn = -1, Say say = {})
        : holdOnTurn_(holdOnTurn), say_(std::move(say)) {
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
                record([&] { started_ = true; }, "start");
                follow(flow.advance());
                break;
            case NetAllStopped:
                record([&] { ++allStopped_; }, "stopped");
                follow(flow.advance());
                break;
            case NetPutt: {
                const Putt putt{net.puttForce(), net.puttAngle()};
                const Player* player = flow.currentPlayer();
                const std::string name = player != nullptr ? player->GetName() : std::string();
                record(
                    [&] {
                        received_.push_back(putt);
                        receivedFor_.push_back(name);
                    },
                    "received " + name + " " + describe(putt));
                if (flow.startPutt(putt.force, putt.angle)) {
                    roll(putt);
                } else {
                    net.localBallStopped();
                }
                break;
            }
            case NetChat: {
                const std::string line = net.chatName() + ": " + net.chatText();
                record([&] { chats_.push_back(line); }, "chat " + line);
                break;
            }
            case NetDisconnectInfo: {
                const std::string names = net.eventData().disconnectNames;
                record([&] { disconnected_.push_back(names); }, "disconnected " + names);
                break;
            }
            case NetEnded:
                record([&] { ended_ = true; }, "ended");
                follow(flow.resume());
                break;
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
    // The network game ended here: the server went away (or this client left).
    bool ended() const { return ended_; }
    int allStopped() const { return allStopped_; }
    const std::vector<Putt>& sent() const { return sent_; }
    const std::vector<Putt>& received() const { return received_; }
    // For each received putt, the player it was played for.
    const std::vector<std::string>& receivedFor() const { return receivedFor_; }
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
    static std::string describe(const Putt& putt) {
        return formatFixed6(putt.force) + " " + formatFixed6(putt.angle);
    }

    void follow(FlowStep step) {
        if (step.outcome == FlowOutcome::Over) {
            record([&] { over_ = true; }, "over");
            return;
        }
        if (step.outcome != FlowOutcome::Turn || !step.player->IsLocalPlayer()) {
            return;
        }
        if (holdOnTurn_ >= 0 && static_cast<int>(sent_.size()) >= holdOnTurn_) {
            record([&] { holding_ = true; }, "holding");
            return;
        }
        Putt putt{};
        aimAtCup(level, step.player->GetBall(), putt.force, putt.angle);
        if (!net.sendPutt(putt.force, putt.angle)) {
            return;
        }
        record([&] { sent_.push_back(putt); },
               "sent " + step.player->GetName() + " " + describe(putt));
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
    void record(Change change, const std::string& line) {
        {
            std::lock_guard lock(mutex_);
            change();
        }
        if (say_) {
            say_(line);
        }
        changed_.notify_all();
    }

    const int holdOnTurn_;
    const Say say_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    bool over_ = false;
    bool holding_ = false;
    bool ended_ = false;
    int allStopped_ = 0;
    std::vector<Putt> sent_;
    std::vector<Putt> received_;
    std::vector<std::string> receivedFor_;
    std::vector<std::string> chats_;
    std::vector<std::string> disconnected_;
};

}  // namespace trundlex::servetest
