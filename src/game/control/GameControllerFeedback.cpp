// The controller's feedback: whose turn it is and the banners after a putt.
#include "GameController.h"

#include "settings/GameSettings.h"

namespace trundlex {

namespace {

// How long the game stays on a banner before the next turn: long enough to read a word,
// short enough that nobody waits for it.
constexpr int kBannerMilliseconds = 900;

}  // namespace

TurnInfo GameController::turnInfo() const {
    const Player* player = flow_.currentPlayer();
    const FlowPhase phase = flow_.phase();
    // After the last hole the flow still knows who played last, but nobody plays on.
    if (player == nullptr || phase == FlowPhase::Idle || phase == FlowPhase::Over ||
        phase == FlowPhase::Broken) {
        return {};
    }
    TurnInfo turn{TurnKind::Here, player->GetName(), {}};
    if (!player->IsLocalPlayer()) {
        turn.kind = TurnKind::Remote;
        // Only a server knows the computers' addresses; a client reaches all through it.
        for (const LobbyComputer& computer : net_->lobbySnapshot().computers) {
            if (computer.connection == player->GetConnection()) {
                turn.address = computer.address;
            }
        }
    } else if (player->IsComputer()) {
        turn.kind = TurnKind::Computer;
    }
    return turn;
}

bool GameController::announce(bool inCup) {
    const Player* player = flow_.currentPlayer();
    const Ball* ball = shownBall_;
    const int hole = match_.GetHole();
    if (player == nullptr || ball == nullptr || player->PuttCount() == 0) {
        return false;
    }
    const SpeedMode mode = ball->GetSpeedMode();
    const int strokes = player->StrokesOn(hole);
    if (hurried_ || mode == Fastest || mode == NextPosition) {
        // Skipped or fast: no pause and no cheer. But a lost ball is still told (the view
        // shows it for its own short while), or it would reappear at the tee with no word why.
        if (!inCup && strokes < Player::StrokeLimit && ball->GetLoss() != BallLoss::None) {
            listener_.bannerShown(lostBallBanner(ball->GetLoss()));
        }
        return false;
    }
    Banner banner;
    if (inCup) {
        const bool parKnown = hole >= 0 && hole < static_cast<int>(pars_.size());
        banner = holeOutBanner(strokes, parKnown ? pars_[hole] : 0);
    } else if (strokes >= Player::StrokeLimit) {
        // The next turn would only add the last stroke and take the player off the hole.
        banner = strokeLimitBanner();
    } else if (ball->GetLoss() != BallLoss::None) {
        banner = lostBallBanner(ball->GetLoss());
    } else {
        return false;
    }
    listener_.bannerShown(banner);
    if (context_.sound != nullptr && !banner.sound.empty() && context_.settings.sound()) {
        context_.sound->playAlong(banner.sound);
    }
    return true;
}

void GameController::advanceAfter(bool announced) {
    if (!announced) {
        follow(flow_.advance());
        return;
    }
    platform_.clock.stopTimer(bannerTimer_);
    bannerTimer_ = platform_.clock.startTimer(kBannerMilliseconds, [this] {
        bannerTimer_ = 0;
        auto lock = net_->lock();
        follow(flow_.advance());
    });
}

}  // namespace trundlex
