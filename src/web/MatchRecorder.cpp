#include "MatchRecorder.h"

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

}  // namespace

void MatchRecorder::rollBall(Ball& ball, double heading, double speed) {
    const Player* player = controller_->currentPlayer();
    events_.push_back("putt " + (player ? player->GetName() : std::string("?")) + " " +
                      formatExact(heading) + " " + formatExact(speed));
    lastCode_ = BallStopped;
    ball.PuttNow(speed, heading, this, Fastest);
    const bool inCup = lastCode_ == BallInCup;
    events_.push_back("rest " + formatExact(ball.GetX()) + " " + formatExact(ball.GetY()) +
                      (inCup ? " 1" : " 0"));
    GameController* controller = controller_;
    loop_.post([controller, inCup] { controller->ballStopped(inCup); });
}

void MatchRecorder::holeStarted(int hole, int holeCount, const std::string& levelName) {
    events_.push_back("hole " + std::to_string(hole + 1) + " " + std::to_string(holeCount) + " " +
                      levelName);
}

void MatchRecorder::turnShown(const TurnInfo& turn) {
    events_.push_back(std::string("turn ") + kindName(turn.kind) + " " + turn.name);
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
