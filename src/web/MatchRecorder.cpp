#include "MatchRecorder.h"

#include <algorithm>
#include <cstdio>

#include "MatchLoop.h"
#include "control/GameController.h"
#include "play/Match.h"
#include "util/TextNumbers.h"

namespace trundlex::web {

namespace {

const char* kindName(TurnKind kind) {
    switch (kind) {
        case TurnKind::Here:
            return "here";
        case TurnKind::Computer:
            return "computer";
        case TurnKind::Remote:
            return "remote";
        case TurnKind::Nobody:
            break;
    }
    return "nobody";
}

// A position for drawing: a thousandth of a block is far below a pixel on any screen.
void appendShort(std::string& out, double value) {
    char text[32];
    std::snprintf(text, sizeof text, " %.3f", value);
    out += text;
}

}  // namespace

void MatchRecorder::rollBall(Ball& ball, double heading, double speed) {
    const Player* player = controller_->currentPlayer();
    events_.push_back("putt " + (player ? player->GetName() : std::string("?")) + " " +
                      formatExact(heading) + " " + formatExact(speed));
    // The desktop rolls a ball in ticks of Ball::TickMilliseconds at its speed mode's pace;
    // the same ticks are worked out here, and shown over the same time.
    SpeedMode mode = ball.GetSpeedMode();
    if (mode == Pause || mode == NextPosition) {
        mode = Normal;
    }
    rollingBall_ = &ball;
    working_ = true;
    ticks_ = 0;
    path_ = "path " + std::to_string(Ball::TickMilliseconds);
    rollSounds_.clear();
    lastCode_ = BallStopped;
    ball.PuttNow(speed, heading, this, mode);
    working_ = false;
    events_.push_back(std::move(path_));
    path_.clear();
    for (std::string& sound : rollSounds_) {
        events_.push_back(std::move(sound));
    }
    rollSounds_.clear();
    stopTimer_ = loop_.startTimer(ticks_ * Ball::TickMilliseconds, [this] { stopped(); });
}

void MatchRecorder::onBallNotification(std::int32_t, BallNotification code) {
    // Every tick ends with a notification: BallMoved while the ball goes on, the stop or the
    // cup at the last one.
    ++ticks_;
    appendShort(path_, rollingBall_->GetX());
    appendShort(path_, rollingBall_->GetY());
    // The radius of a ball that has dropped away may come out a hair below 0.
    appendShort(path_, std::max(0.0, rollingBall_->GetRadius()));
    if (code != BallMoved) {
        lastCode_ = code;
    }
}

void MatchRecorder::stopped() {
    stopTimer_ = 0;
    Ball* ball = rollingBall_;
    rollingBall_ = nullptr;
    if (ball == nullptr) {
        return;
    }
    const bool inCup = lastCode_ == BallInCup;
    events_.push_back("rest " + formatExact(ball->GetX()) + " " + formatExact(ball->GetY()) +
                      (inCup ? " 1" : " 0"));
    lastBallLine_.clear();
    controller_->ballStopped(inCup);
}

bool MatchRecorder::hurry() {
    if (rollingBall_ == nullptr || stopTimer_ == 0) {
        return false;
    }
    loop_.stopTimer(stopTimer_);
    stopTimer_ = loop_.startTimer(0, [this] { stopped(); });
    return true;
}

void MatchRecorder::play(std::string_view file) {
    if (working_) {
        // Heard when the ball gets there: at the end of the tick that made it.
        rollSounds_.push_back("sound " + std::to_string(ticks_ * Ball::TickMilliseconds) +
                              " " + std::string(file));
        return;
    }
    events_.push_back("sound 0 " + std::string(file));
}

void MatchRecorder::stateChanged(ViewState state) {
    events_.push_back("state " + std::to_string(static_cast<int>(state)));
}

void MatchRecorder::showBall(Ball* ball, const BallStyle& style) {
    shownBall_ = ball;
    shownStyle_ = style;
    ballLine();
}

void MatchRecorder::redraw() {
    ballLine();
}

void MatchRecorder::ballLine() {
    std::string line = "ball none";
    if (shownBall_ != nullptr) {
        line = "ball " + formatExact(shownBall_->GetX()) + " " + formatExact(shownBall_->GetY()) +
               " " + formatExact(shownBall_->GetRadius()) + " " +
               std::to_string(shownStyle_.colour) + " " + std::to_string(shownStyle_.pattern) +
               (shownStyle_.transparent ? " 1" : " 0");
    }
    if (line != lastBallLine_) {
        lastBallLine_ = line;
        events_.push_back(std::move(line));
    }
}

void MatchRecorder::aimChanged(double aim, bool lines) {
    events_.push_back("aim " + formatExact(aim) + (lines ? " 1" : " 0"));
}

void MatchRecorder::forceChanged(double force, bool shown) {
    events_.push_back("force " + formatExact(force) + (shown ? " 1" : " 0"));
}

void MatchRecorder::holeStarted(int hole, int holeCount, const std::string& levelName) {
    events_.push_back("hole " + std::to_string(hole + 1) + " " + std::to_string(holeCount) + " " +
                      levelName);
    events_.push_back("level");
}

void MatchRecorder::boardChanged() {
    // One line for a run of changes: the page reads the whole board anyway.
    if (events_.empty() || events_.back() != "board") {
        events_.push_back("board");
    }
}

void MatchRecorder::scoreBoardFilled(const Match&) {
    boardChanged();
}

void MatchRecorder::playerHighlighted(int) {
    boardChanged();
}

void MatchRecorder::parFound(int hole, int par) {
    events_.push_back("par " + std::to_string(hole) + " " + std::to_string(par));
    boardChanged();
}

void MatchRecorder::turnShown(const TurnInfo& turn) {
    events_.push_back(std::string("turn ") + kindName(turn.kind) + " " + turn.name);
    // A ball put back at the tee after water shows where it now lies.
    ballLine();
}

void MatchRecorder::computerThinking(const std::string& name) {
    events_.push_back("thinking " + name);
}

void MatchRecorder::bannerShown(const Banner& banner) {
    events_.push_back("banner " + std::to_string(static_cast<int>(banner.kind)) + " " +
                      std::to_string(banner.count));
}

void MatchRecorder::scoresChanged(const Match& match) {
    std::string line = "scores";
    for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
        line += " " + std::to_string(match.GetPlayer(p)->TotalStrokes());
    }
    events_.push_back(line);
    boardChanged();
}

void MatchRecorder::matchEnded(const std::string& winners, const std::string&) {
    ended_ = true;
    winners_ = winners;
    events_.push_back("over " + winners);
}

void MatchRecorder::replayShown(const std::string& name, int hole, int stroke) {
    // `hole` counts from 0 like the match's levels, `stroke` from 1 like the strokes.
    events_.push_back("replay " + std::to_string(hole + 1) + " " + std::to_string(stroke) + " " +
                      name);
}

std::vector<std::string> MatchRecorder::takeEvents() {
    std::vector<std::string> taken;
    taken.swap(events_);
    return taken;
}

}  // namespace trundlex::web
