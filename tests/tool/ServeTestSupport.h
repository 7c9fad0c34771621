#pragma once
// What the dedicated host's tests share with the client program they start: a client
// computer built on the game's own network object that follows the match with the flow the
// game view uses.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "ball/Ball.h"
#include "library/LevelLibrary.h"
#include "net/NetGame.h"
#include "play/ComputerPlayer.h"
#include "play/Match.h"
#include "play/MatchFlow.h"

namespace trundlex::servetest {

// Every wait ends after this, so a fault shows as a failure, not a hang.
constexpr auto Patience = std::chrono::seconds(20);

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
};

// One client computer: its own level library, match and network object, following the match
// with the flow the game view uses and putting its own player's ball synchronously on its
// turn. With `holdOnTurn` it stops putting once it has made that many putts and reports that
// it is waiting on its turn, so a test can end it at a known point of the game. What it does
// is also handed to `say` as one line (for a client that runs as its own process).
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
            case NetAllStopped:
                follow(flow.advance());
                break;
            case NetPutt: {
                const Putt putt{net.puttForce(), net.puttAngle()};
                const Player* player = flow.currentPlayer();
                const std::string name = player != nullptr ? player->GetName() : std::string();
                record([&] {
                    received_.push_back(putt);
                    receivedFor_.push_back(name);
                });
                if (flow.startPutt(putt.force, putt.angle)) {
                    roll(putt);
                } else {
                    net.localBallStopped();
                }
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
    bool over() const { return over_; }
    // The network game ended here: the server went away (or this client left).
    bool ended() const { return ended_; }
    const std::vector<Putt>& sent() const { return sent_; }
    const std::vector<Putt>& received() const { return received_; }
    // For each received putt, the player it was played for.
    const std::vector<std::string>& receivedFor() const { return receivedFor_; }
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
            record([&] { over_ = true; }, "over");
            return;
        }
        if (step.outcome != FlowOutcome::Turn || !step.player->IsLocalPlayer()) {
            return;
        }
        if (holdOnTurn_ >= 0 && static_cast<int>(sent_.size()) >= holdOnTurn_) {
            record([] {}, "holding");
            return;
        }
        Putt putt{};
        aimAtCup(level, step.player->GetBall(), putt.force, putt.angle);
        if (!net.sendPutt(putt.force, putt.angle)) {
            return;
        }
        record([&] { sent_.push_back(putt); }, "sent " + step.player->GetName());
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
    void record(Change change, const std::string& line = {}) {
        {
            std::lock_guard lock(mutex_);
            change();
        }
        if (say_ && !line.empty()) {
            say_(line);
        }
        changed_.notify_all();
    }

    const int holdOnTurn_;
    const Say say_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool over_ = false;
    bool ended_ = false;
    std::vector<Putt> sent_;
    std::vector<Putt> received_;
    std::vector<std::string> receivedFor_;
};

}  // namespace trundlex::servetest
