// A client as a program of its own, so that a host test can kill it at a known point:
// serve-test-client PORT NAME [HOLD [HOST [CODE]]] (HOST 127.0.0.1 unless given; HOLD -1 for
// never). It putts straight at the cup and prints what it sends, receives, where each ball
// rests ("rest X Y") and what it sees at the end; after HOLD putts it waits on its turn ("holding"). With CODE it joins that room of a room
// host, as the desktop game does (the browser game's tests play against it).
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>

#include "ball/Ball.h"
#include "library/LevelLibrary.h"
#include "net/NetGame.h"
#include "play/ComputerPlayer.h"
#include "play/Match.h"
#include "play/MatchFlow.h"
#include "util/TextNumbers.h"

namespace trundlex {
namespace {

class StopOwner : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification code) override {
        inCup = code == BallInCup;
    }
    bool inCup = false;
};

class FlowClient : public NetListener {
public:
    FlowClient(const std::string& playerName, int holdOnTurn) : holdOnTurn_(holdOnTurn) {
        match.AddPlayer(playerName, 0x0000FF, 1, false, Player::LocalConnection);
        net.setMatch(&match);
        net.addListener(this);
    }
    ~FlowClient() override { net.clearListeners(); }

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
                const Player* player = flow.currentPlayer();
                say("received " + (player != nullptr ? player->GetName() : std::string()));
                if (flow.startPutt(net.puttForce(), net.puttAngle())) {
                    roll(net.puttForce(), net.puttAngle());
                } else {
                    net.localBallStopped();
                }
                break;
            }
            case NetEnded:
                finish();
                [[fallthrough]];
            case NetConnectionClosed:
                follow(flow.resume());
                break;
            default:
                break;
        }
    }

    // False after a minute, so that the client never outlives a test that died.
    bool waitForTheEnd() {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, std::chrono::minutes(1), [&] { return finished_; });
    }

    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Match match;
    Level level;
    MatchFlow flow{match, library, level};
    // Last: it goes first, waiting for its threads while the rest is still there.
    NetGame net{library};

private:
    static void say(const std::string& line) { std::cout << line << '\n' << std::flush; }

    void follow(FlowStep step) {
        if (step.outcome == FlowOutcome::Over) {
            std::string levels = "levels";
            for (std::int32_t i = 0; i < match.LevelCount(); ++i) {
                levels += " " + match.GetLevelId(i);
            }
            say("over");
            say(levels);
            for (std::int32_t i = 0; i < match.PlayerCount(); ++i) {
                const Player& player = *match.GetPlayer(i);
                say("strokes " + player.GetName() + " " +
                    std::to_string(player.StrokesOn(match.LevelCount() - 1)));
            }
            finish();
            return;
        }
        if (step.outcome != FlowOutcome::Turn || !step.player->IsLocalPlayer()) {
            return;
        }
        if (holdOnTurn_ >= 0 && sent_ >= holdOnTurn_) {
            say("holding");
            return;
        }
        const Ball& ball = step.player->GetBall();
        const ComputerPutt putt = puttAtNearestCup(level, ball.GetX(), ball.GetY());
        // sendPutt rounds both as the others will read them; played here as rounded.
        double force = std::clamp(putt.speed, 1.0, 80.0);
        double angle = putt.heading;
        if (net.sendPutt(force, angle)) {
            ++sent_;
            say("sent " + step.player->GetName());
            flow.startPutt(force, angle);
            roll(force, angle);
        }
    }

    void roll(double force, double angle) {
        StopOwner owner;
        Ball& ball = flow.currentPlayer()->GetBall();
        ball.PuttNow(force, angle, &owner, Fastest);
        // Where it came to rest, written exactly, for comparing with other computers.
        say("rest " + formatExact(ball.GetX()) + " " + formatExact(ball.GetY()));
        flow.ballStopped(owner.inCup);
        net.localBallStopped();
    }

    void finish() {
        std::lock_guard lock(mutex_);
        finished_ = true;
        ended_.notify_all();
    }

    const int holdOnTurn_;
    int sent_ = 0;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool finished_ = false;
};

}  // namespace
}  // namespace trundlex

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    trundlex::FlowClient client(argv[2], argc >= 4 ? std::atoi(argv[3]) : -1);
    const std::string host = argc >= 5 ? argv[4] : "127.0.0.1";
    const auto port = static_cast<std::uint16_t>(std::atoi(argv[1]));
    std::cout << "joining" << std::endl;
    if (argc >= 6) {
        trundlex::roomproto::Request request;
        request.kind = trundlex::roomproto::Request::Kind::Join;
        request.code = argv[5];
        if (!client.net.startRoomClient(host, port, request, nullptr)) {
            return 1;
        }
    } else if (!client.net.startClient(host, port, nullptr)) {
        return 1;
    }
    const bool finished = client.waitForTheEnd();
    client.net.clearListeners();
    client.net.endGame();
    return finished ? 0 : 1;
}
