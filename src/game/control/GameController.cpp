#include "GameController.h"

#include "ForceMeter.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "settings/GameSettings.h"

namespace trundlex {

GameController::GameController(GameContext& context, Level& level, Platform platform,
                               GameListener& listener)
    : context_(context),
      level_(level),
      platform_(std::move(platform)),
      listener_(listener),
      flow_(match_, context.levels, level),
      computer_(platform_.relay),
      netBridge_(platform_.netHandoff, [this](NetEvent event) { handleNetEvent(event); }),
      net_(platform_.carrier != nullptr
               ? std::make_unique<NetGame>(context.levels, *platform_.carrier)
               : std::make_unique<NetGame>(context.levels)) {
    net_->setMatch(&match_);
    // The controller hears every network event first; views (the chat) come after it.
    net_->addListener(&netBridge_);
    if (context_.pars != nullptr) {
        parWorker_ = std::make_unique<ParWorker>(*context_.pars, platform_.relay);
    }
    match_.SetSoundPlayerForAllBalls(context_.sound);
    match_.SetMessagePumpForAllBalls(platform_.messagePump);
    replayBall_.SetSoundPlayer(context_.sound);
    replayBall_.SetSoundOn(context_.settings.sound());
    replayBall_.SetMessagePump(platform_.messagePump);
}

GameController::~GameController() {
    platform_.clock.stopTimer(forceTimer_);
    platform_.clock.stopTimer(computerTimer_);
    platform_.clock.stopTimer(bannerTimer_);
    computer_.cancel();
    if (parWorker_) {
        parWorker_->cancel();
    }
    // The network goes first: its listeners are released, so a delivery in progress returns
    // at once, and then the network object ends and waits for its threads.
    net_->clearListeners();
    netBridge_.release();
    net_.reset();
    // The balls may wait for their workers without turning the event loop any more.
    match_.SetMessagePumpForAllBalls(nullptr);
    replayBall_.SetMessagePump(nullptr);
}

// --- Starting and restarting ---

void GameController::reset() {
    platform_.clock.stopTimer(bannerTimer_);
    bannerTimer_ = 0;
    stopCharging();
    cancelComputerTurn();
    highlightOn_ = false;
    flow_.reset();
    listener_.cancelRoll();
    hideGhost();
    showBall(nullptr, {});
    listener_.scoreBoardCleared();
    setState(GameOver);
    listener_.clearPlayfield();
}

void GameController::startMatch(const Match& setup) {
    net_->endGame();
    reset();
    setUpOnly_ = false;
    connectionLost_ = false;
    match_ = setup;
    match_.Restart();
    match_.SetSoundForAllBalls(context_.settings.sound());
    loadGhost();
    fillScoreBoard();
    follow(flow_.restart(true));
}

void GameController::prepareNetworkGame(const Match& setup, int mode) {
    reset();
    setUpOnly_ = false;
    connectionLost_ = false;
    auto lock = net_->lock();
    match_ = setup;
    match_.Restart();
    if (mode >= 2) {
        // A client (online too) plays the server's levels.
        match_.ClearLevels();
        match_.SetName({});
    }
    match_.SetSoundForAllBalls(context_.settings.sound());
    net_->setDepartedHand(context_.departedHand);
}

void GameController::lobbyEnded(bool started) {
    if (!started) {
        net_->endGame();
        setUpOnly_ = true;
    }
    listener_.commandsChanged();
}

void GameController::restart() {
    if (!hasGame()) {
        return;
    }
    reset();
    if (net_->isConnected()) {
        // The game starts again on every computer when all have confirmed.
        auto lock = net_->lock();
        match_.Restart();
        net_->restartHandshake();
        return;
    }
    match_.Restart();
    // The round just finished may be the one to race now.
    loadGhost();
    fillScoreBoard();
    follow(flow_.restart(true));
}

// --- Turn flow ---

void GameController::follow(const FlowStep& step) {
    if (networked() && net_->isServer()) {
        // As server this computer follows the match, so it relays a putt only from the
        // computer whose player has the turn.
        net_->setTurnFrom(step);
    }
    if (step.holeStarted) {
        // The flow has put the hole's level in place and every player's ball on it.
        replayBall_.SetLevel(level_);
        hideGhost();
        listener_.holeStarted(match_.GetHole(), match_.LevelCount(), level_.name());
    }
    switch (step.outcome) {
        case FlowOutcome::Turn:
            listener_.scoresChanged(match_);
            showTurn();
            break;
        case FlowOutcome::HoleReady:
            // A network game: the first turn waits for every computer's start.
            listener_.redraw();
            break;
        case FlowOutcome::Over:
            listener_.scoresChanged(match_);
            endMatch();
            break;
        case FlowOutcome::MissingLevel:
            // The library lost a level it had when the game was set up: end here, cleanly.
            listener_.scoresChanged(match_);
            setState(GameOver);
            listener_.turnShown(turnInfo());
            listener_.levelMissing();
            break;
        case FlowOutcome::Refused:
            break;
    }
}

void GameController::showTurn() {
    Player* player = flow_.currentPlayer();
    if (player == nullptr) {
        return;
    }
    listener_.playerHighlighted(match_.GetCurrentIndex());
    showBall(&player->GetBall(), player->GetStyle());
    listener_.turnShown(turnInfo());
    const bool computer = player->IsLocalPlayer() && player->IsComputer();
    setState(computer ? ComputerThinking : player->IsLocalPlayer() ? Aiming : WaitingForRemote);
    showGhost(player);
    listener_.redraw();
    listener_.aimChanged(aim_, false);
    if (computer) {
        startComputerTurn(*player);
    }
}

void GameController::abandonMatch() {
    stopCharging();
    cancelComputerTurn();
    listener_.cancelRoll();
    flow_.reset();
    listener_.scoresChanged(match_);
    endMatch(false);
}

void GameController::endMatch(bool complete) {
    setState(GameOver);
    hideGhost();
    if (complete) {
        keepGhost();
    }
    listener_.turnShown(turnInfo());
    const std::string winners = match_.WinnersText();
    const std::string courseId = complete ? match_.GetName() : std::string();
    bool entered = false;
    if (!courseId.empty()) {
        for (int i = 0; i < match_.PlayerCount(); ++i) {
            const Player& player = *match_.GetPlayer(i);
            entered =
                context_.highScores.addNow(courseId, player.GetName(), player.TotalStrokes()) ||
                entered;
        }
        // Saved at once as well as at exit: a crash later must not cost these results.
        std::string error;
        if (entered && !context_.highScorePath.empty() &&
            !context_.highScores.save(context_.highScorePath, &error)) {
            listener_.highScoresNotSaved(context_.highScorePath, error);
        }
    }
    listener_.matchEnded(winners, entered ? courseId : std::string());
    // The winner's putts again, one after the other, until something else is chosen.
    highlightOn_ = true;
    highlightIndex_ = 0;
    runReplay(match_.Leader(), 0);
}

void GameController::putt(double heading, double speed) { doPutt(heading, speed, false); }

void GameController::doPutt(double heading, double speed, bool fromNetwork) {
    auto lock = net_->lock();
    if (fromNetwork) {
        if (!flow_.startPutt(speed, heading)) {
            // A putt this computer cannot follow moves no ball here; still report the stop,
            // or every other computer would wait for this one forever.
            net_->localBallStopped();
            return;
        }
    } else {
        if (flow_.phase() != FlowPhase::Turn) {
            return;
        }
        // Sent first: the others putt the values as they read them, so this computer does too.
        if (net_->isConnected() && !net_->sendPutt(speed, heading)) {
            return;
        }
        if (!flow_.startPutt(speed, heading)) {
            return;
        }
    }
    stopCharging();
    cancelComputerTurn();
    hurried_ = false;
    setState(Rolling);
    if (ghostShown_) {
        listener_.ghostPutts();
    }
    listener_.scoresChanged(match_);
    if (shownBall_ != nullptr) {
        listener_.rollBall(*shownBall_, heading, speed);
    }
}

void GameController::ballStopped(bool inCup) {
    if (state_ == ReplayRolling && highlightOn_) {
        const Player* leader = match_.GetPlayer(match_.Leader());
        if (leader != nullptr && leader->PuttCount() > 0) {
            highlightIndex_ = (highlightIndex_ + 1) % leader->PuttCount();
            runReplay(match_.Leader(), highlightIndex_);
        }
        return;
    }
    if (state_ != Rolling) {
        // A replay, or a roll that a new game or restart has overtaken. A replayed putt that
        // lost the ball says so, as the putt itself did.
        if (state_ == ReplayRolling && replayBall_.GetLoss() != BallLoss::None) {
            listener_.bannerShown(lostBallBanner(replayBall_.GetLoss()));
        }
        listener_.commandsChanged();
        return;
    }
    auto lock = net_->lock();
    flow_.ballStopped(inCup);
    listener_.scoresChanged(match_);
    const bool announced = announce(inCup);
    if (net_->isConnected()) {
        // The next turn waits until every computer's ball has stopped.
        listener_.playerHighlighted(-1);
        net_->localBallStopped();
        return;
    }
    advanceAfter(announced);
}

void GameController::setSound(bool on) {
    context_.settings.setSound(on);
    // Stored at once: a game ended by the system (a logout, a kill) keeps the choice.
    context_.settings.Save();
    replayBall_.SetSoundOn(on);
    match_.SetSoundForAllBalls(on);
    listener_.commandsChanged();
}

void GameController::setState(ViewState state) {
    state_ = state;
    listener_.stateChanged(state);
    listener_.commandsChanged();
}

void GameController::showBall(Ball* ball, const BallStyle& style) {
    shownBall_ = ball;
    listener_.showBall(ball, style);
}

// --- Mouse putting ---

void GameController::aimAt(double heading) {
    if ((state_ != Aiming && state_ != Charging) || shownBall_ == nullptr) {
        return;
    }
    changeAim(heading);
}

void GameController::changeAim(double heading) {
    aim_ = heading;
    listener_.aimChanged(aim_, true);
    const Player* player = flow_.currentPlayer();
    if (net_->isConnected() && player != nullptr && player->IsLocalPlayer()) {
        net_->sendAim(aim_);
    }
}

void GameController::beginCharge() {
    if (state_ != Aiming) {
        return;
    }
    force_ = 0.0;
    setState(Charging);
    forceTimer_ = platform_.clock.startTimer(forcemeter::TickMilliseconds, [this] { forceTick(); });
}

void GameController::forceTick() {
    forceTimer_ = 0;
    if (shownBall_ == nullptr || state_ != Charging) {
        return;
    }
    force_ = forcemeter::next(force_);
    listener_.forceChanged(force_, true);
    if (force_ >= forcemeter::MaxForce) {
        releaseCharge();
        return;
    }
    changeAim(forcemeter::tremble(aim_, force_, context_.random));
    forceTimer_ = platform_.clock.startTimer(forcemeter::TickMilliseconds, [this] { forceTick(); });
}

void GameController::releaseCharge() {
    if (state_ != Charging) {
        return;
    }
    stopCharging();
    if (force_ <= forcemeter::MinimumPutt) {
        setState(Aiming);
        return;
    }
    doPutt(aim_, force_, false);
}

void GameController::cancelCharge() {
    if (state_ != Charging) {
        return;
    }
    stopCharging();
    setState(Aiming);
}

bool GameController::puttWithForce(double heading, double force) {
    if (state_ != Aiming || shownBall_ == nullptr || !(force > forcemeter::MinimumPutt)) {
        return false;
    }
    // The same ticks forceTick would run, without waiting for them.
    double built = 0.0;
    double aim = heading;
    for (;;) {
        built = forcemeter::next(built);
        if (built >= forcemeter::MaxForce) {
            break;
        }
        aim = forcemeter::tremble(aim, built, context_.random);
        if (built >= force) {
            break;
        }
    }
    changeAim(aim);
    force_ = built;
    doPutt(aim_, force_, false);
    return true;
}

void GameController::stopCharging() {
    platform_.clock.stopTimer(forceTimer_);
    if (forceTimer_ != 0 || state_ == Charging) {
        listener_.forceChanged(force_, false);
    }
    forceTimer_ = 0;
}

}  // namespace trundlex
