#pragma once

#include <string>
#include <vector>

#include "ball/Ball.h"
#include "control/GameListener.h"

namespace trundlex {
class GameController;
}

namespace trundlex::web {

class MatchLoop;

// The view of a LocalMatch: rolls each ball at once, on the calling thread and as fast as it
// can, reports its stop through the loop as a window reports it from its event loop, and
// writes down what the desktop view would show as event lines (see LocalMatch.h).
class MatchRecorder : public GameListener, private BallOwner {
public:
    explicit MatchRecorder(MatchLoop& loop) : loop_(loop) {}
    void attach(GameController& controller) { controller_ = &controller; }

    void rollBall(Ball& ball, double heading, double speed) override;
    void holeStarted(int hole, int holeCount, const std::string& levelName) override;
    void turnShown(const TurnInfo& turn) override;
    void computerThinking(const std::string& name) override;
    void bannerShown(const Banner& banner) override;
    void scoresChanged(const Match& match) override;
    void matchEnded(const std::string& winners, const std::string& highScoreCourse) override;
    void replayShown(const std::string& name, int hole, int stroke) override;

    std::vector<std::string> takeEvents();
    bool ended() const { return ended_; }
    const std::string& winners() const { return winners_; }

private:
    void onBallNotification(std::int32_t, BallNotification code) override { lastCode_ = code; }

    MatchLoop& loop_;
    GameController* controller_ = nullptr;
    BallNotification lastCode_ = BallStopped;
    std::vector<std::string> events_;
    bool ended_ = false;
    std::string winners_;
};

}  // namespace trundlex::web
