// The controller's turns of players whom the computer plays, the holes' pars, replays of
// recorded putts and what the network's events do.
#include "GameController.h"

#include "library/LevelLibrary.h"
#include "settings/GameSettings.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// How long the computer's aim is shown before it putts, so that people can follow.
constexpr int kAimMilliseconds = 700;

// Whether a putt rolled to its end on this thread dropped.
class CupWatcher : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification code) override {
        if (code != BallMoved) {
            inCup = code == BallInCup;
        }
    }
    bool inCup = false;
};

}  // namespace

// --- Computer players ---

void GameController::startComputerTurn(const Player& player) {
    const Ball& ball = player.GetBall();
    // Each turn's error comes from the program's random sequence, drawn on this thread.
    const auto seed = static_cast<std::uint32_t>(context_.random.next()) << 15 ^
                      static_cast<std::uint32_t>(context_.random.next());
    listener_.computerThinking(player.GetName());
    computer_.start(level_, ball.GetX(), ball.GetY(), player.GetComputer(), seed,
                    [this](ComputerPutt putt) { showComputerAim(putt); });
}

void GameController::showComputerAim(const ComputerPutt& putt) {
    if (state_ != ComputerThinking || flow_.phase() != FlowPhase::Turn) {
        return;
    }
    changeAim(putt.heading);
    platform_.clock.stopTimer(computerTimer_);
    computerTimer_ = platform_.clock.startTimer(kAimMilliseconds, [this, putt] {
        computerTimer_ = 0;
        if (state_ == ComputerThinking) {
            doPutt(putt.heading, putt.speed, false);
        }
    });
}

void GameController::cancelComputerTurn() {
    if (state_ == ComputerThinking) {
        listener_.computerDone();
    }
    platform_.clock.stopTimer(computerTimer_);
    computerTimer_ = 0;
    computer_.cancel();
}

std::vector<int> GameController::handedOverPlayers() const {
    auto lock = net_->lock();
    std::vector<int> indices;
    for (int i = 0; i < match_.PlayerCount(); ++i) {
        if (match_.GetPlayer(i)->IsHandedOver()) {
            indices.push_back(i);
        }
    }
    return indices;
}

bool GameController::playFor(int index) {
    auto lock = net_->lock();
    Player* player = match_.GetPlayer(index);
    if (player == nullptr || !player->IsHandedOver()) {
        return false;
    }
    player->SetComputer(ComputerStrength::Person);
    listener_.scoresChanged(match_);
    if (state_ == ComputerThinking && player == flow_.currentPlayer()) {
        cancelComputerTurn();
        showTurn();
    }
    listener_.commandsChanged();
    return true;
}

// --- Pars ---

void GameController::fillScoreBoard() {
    listener_.scoreBoardFilled(match_);
    pars_.assign(static_cast<std::size_t>(match_.LevelCount()), 0);
    if (!parWorker_) {
        return;
    }
    std::vector<Level> levels;
    {
        // The network may add levels to the library meanwhile.
        auto lock = net_->lock();
        for (int i = 0; i < match_.LevelCount(); ++i) {
            const int index = context_.levels.findById(match_.GetLevelId(i));
            levels.push_back(index >= 0 ? context_.levels.at(index) : Level());
        }
    }
    parWorker_->start(std::move(levels), [this](int hole, int par) {
        if (hole >= 0 && hole < static_cast<int>(pars_.size())) {
            pars_[hole] = par;
        }
        listener_.parFound(hole, par);
    });
}

// --- Replays ---

bool GameController::prepareReplay(int playerIndex, int puttIndex) {
    if (state_ == Rolling) {
        return false;
    }
    if (state_ == ReplayRolling) {
        replayBall_.StopIfRunning();
    }
    const Player* player = match_.GetPlayer(playerIndex);
    const PuttRecord* putt = player != nullptr ? player->GetPutt(puttIndex) : nullptr;
    if (putt == nullptr) {
        return false;
    }
    if (match_.LoadLevel(putt->hole, context_.levels, level_) != LevelLoadResult::Loaded) {
        return false;
    }
    cancelComputerTurn();
    stopCharging();
    hideGhost();
    replayBall_.SetLevel(level_);
    replayBall_.SetX(putt->x);
    replayBall_.SetY(putt->y);
    // Dressed like the player's own ball.
    showBall(&replayBall_, player->GetStyle());
    setState(ReplayWaiting);
    listener_.redraw();
    listener_.replayShown(player->GetName(), putt->hole, putt->stroke);
    return true;
}

bool GameController::runReplay(int playerIndex, int puttIndex) {
    if (!prepareReplay(playerIndex, puttIndex)) {
        return false;
    }
    const PuttRecord* putt = match_.GetPlayer(playerIndex)->GetPutt(puttIndex);
    setState(ReplayRolling);
    listener_.rollBall(replayBall_, putt->heading, putt->speed);
    return true;
}

void GameController::stopReplay() {
    if (state_ != ReplayWaiting && state_ != ReplayRolling) {
        return;
    }
    replayBall_.StopIfRunning();
    showBall(nullptr, {});
    if (match_.IsOver()) {
        setState(GameOver);
        return;
    }
    // The replay borrowed the level: put the hole being played back.
    match_.LoadCurrentLevel(context_.levels, level_);
    listener_.replayEnded();
    follow(flow_.resume());
}

// --- Network ---

void GameController::catchUp(const std::vector<std::pair<double, double>>& putts) {
    // Back in a running game: the game's putts roll here in order, unseen and silent, through
    // the same flow and to the same bits as everywhere, so that the start that follows finds
    // this computer where every other one stands.
    match_.SetSoundForAllBalls(false);
    bool holeChanged = false;
    for (const auto& [speed, heading] : putts) {
        const FlowStep step = flow_.advance();
        holeChanged = holeChanged || step.holeStarted;
        Player* player = step.outcome == FlowOutcome::Turn ? step.player : nullptr;
        if (player == nullptr || !flow_.startPutt(speed, heading)) {
            break;
        }
        Ball& ball = player->GetBall();
        const SpeedMode shownSpeed = ball.GetSpeedMode();
        CupWatcher watcher;
        ball.PuttNow(speed, heading, &watcher, Fastest);
        ball.SetSpeedMode(shownSpeed);
        flow_.ballStopped(watcher.inCup);
    }
    match_.SetSoundForAllBalls(context_.settings.sound());
    if (holeChanged) {
        replayBall_.SetLevel(level_);
        listener_.holeStarted(match_.GetHole(), match_.LevelCount(), level_.name());
    }
    listener_.scoresChanged(match_);
    listener_.redraw();
}

void GameController::handleNetEvent(NetEvent event) {
    auto lock = net_->lock();
    switch (event) {
        case NetAllStopped:
        case NetStart:
            follow(flow_.advance());
            break;
        case NetPutt:
            doPutt(net_->puttAngle(), net_->puttForce(), true);
            break;
        case NetAim:
            aim_ = net_->aim();
            if (shownBall_ != nullptr) {
                listener_.aimChanged(aim_, true);
            }
            break;
        case NetEnded:
        case NetConnectionClosed:
            if (event == NetEnded && net_->eventData().gameAbandoned && state_ != GameOver &&
                net_->isLobbyClosed() && match_.IsPlayingHole()) {
                // A room's game without its room host: the results so far, not a game
                // against computer copies of friends who may be playing on elsewhere.
                connectionLost_ = !net_->eventData().hostStopped;
                abandonMatch();
                break;
            }
            // Players of a computer that left may be played here now, by the computer (the
            // board marks them): show the turn again (the flow answers only while somebody
            // has it, never during a roll).
            listener_.scoresChanged(match_);
            if (state_ != ReplayWaiting && state_ != ReplayRolling) {
                follow(flow_.resume());
            }
            break;
        case NetCatchUp:
            catchUp(net_->eventData().catchUp);
            break;
        case NetPlayersReturned:
            // Their own computer plays them again: the board no longer marks them.
            listener_.scoresChanged(match_);
            break;
        case NetDisconnectInfo:
            // The server may have said that its computer plays the departed players now: the
            // board marks them (nothing else changes on this computer).
            listener_.scoresChanged(match_);
            break;
        case NetLobbyClosed: {
            listener_.cancelRoll();
            showBall(nullptr, {});
            flow_.reset();
            listener_.scoreBoardCleared();
            match_.Restart();
            fillScoreBoard();
            follow(flow_.restart(false));
            std::vector<std::string> names;
            for (int i = 0; i < match_.PlayerCount(); ++i) {
                if (match_.GetPlayer(i)->IsLocalPlayer()) {
                    names.push_back(match_.GetPlayer(i)->GetName());
                }
            }
            listener_.networkGameStarted(names);
            break;
        }
        default:
            break;
    }
    listener_.commandsChanged();
}

}  // namespace trundlex
