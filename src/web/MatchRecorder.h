#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ball/Ball.h"
#include "control/GameListener.h"
#include "util/Clock.h"

namespace trundlex {
class GameController;
}

namespace trundlex::web {

class MatchLoop;

// The view of a LocalMatch: writes down what the desktop view would show as event lines (see
// LocalMatch.h) and rolls each ball. A roll is worked out at once, on the calling thread, tick
// by tick as the desktop's ball worker runs it; its positions go out as one "path" line, and
// its stop is reported through the loop's clock when a ball at that pace would have come to
// rest, as a window reports it from its event loop. The sounds the game plays go out as
// lines too, those of a roll with their time within it.
class MatchRecorder : public GameListener, public SoundPlayer, private BallOwner {
public:
    explicit MatchRecorder(MatchLoop& loop) : loop_(loop) {}
    void attach(GameController& controller) { controller_ = &controller; }

    void rollBall(Ball& ball, double heading, double speed) override;
    void stateChanged(ViewState state) override;
    void showBall(Ball* ball, const BallStyle& style) override;
    void redraw() override;
    void aimChanged(double aim, bool lines) override;
    void forceChanged(double force, bool shown) override;
    void holeStarted(int hole, int holeCount, const std::string& levelName) override;
    void scoreBoardFilled(const Match& match) override;
    void scoresChanged(const Match& match) override;
    void playerHighlighted(int index) override;
    void parFound(int hole, int par) override;
    void turnShown(const TurnInfo& turn) override;
    void computerThinking(const std::string& name) override;
    void bannerShown(const Banner& banner) override;
    void matchEnded(const std::string& winners, const std::string& highScoreCourse) override;
    void replayShown(const std::string& name, int hole, int stroke) override;

    void play(std::string_view file) override;
    void playAlong(std::string_view file) override { play(file); }

    // The rolling ball rests at once: its stop is reported now instead of when the ball would
    // have rolled its path. False when no ball rolls.
    bool hurry();

    std::vector<std::string> takeEvents();
    // An event line of the game's surroundings (the network's), in order with the others.
    void note(std::string line) { events_.push_back(std::move(line)); }
    bool ended() const { return ended_; }
    const std::string& winners() const { return winners_; }

private:
    void onBallNotification(std::int32_t, BallNotification code) override;
    void ballLine();
    void boardChanged();
    void stopped();

    MatchLoop& loop_;
    GameController* controller_ = nullptr;
    std::vector<std::string> events_;
    bool ended_ = false;
    std::string winners_;

    // The shown ball, and how it was last reported (a line is written only for a change).
    const Ball* shownBall_ = nullptr;
    BallStyle shownStyle_;
    std::string lastBallLine_;

    // The roll being worked out or waited for.
    Ball* rollingBall_ = nullptr;
    bool working_ = false;
    int ticks_ = 0;
    std::string path_;
    std::vector<std::string> rollSounds_;
    BallNotification lastCode_ = BallStopped;
    Clock::TimerId stopTimer_ = 0;
};

}  // namespace trundlex::web
