#include "GameView.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "ChatBox.h"
#include "ForceMeter.h"
#include "ScoreBoard.h"
#include "library/HighScoreStore.h"
#include "render/BallRenderer.h"
#include "platform/PlatformSupport.h"
#include "settings/GameSettings.h"
#include "util/PixelMath.h"

namespace trundlex {

namespace {

const double kPi = std::acos(-1.0);

}  // namespace

GameView::GameView(GameContext& context, QWidget* parent)
    : PlayfieldWnd(parent),
      context_(context),
      flow_(match_, context.levels, level()),
      netBridge_(this, [this](NetEvent event) { handleNetEvent(event); }),
      net_(std::make_unique<NetGame>(context.levels)) {
    // The playfield starts below the strip that holds the score board.
    setFrameOrigin(10, 115);
    scoreBoard_ = new ScoreBoard(this);
    scoreBoard_->setGeometry(10, 10, 490, 95);
    scoreBoard_->hide();
    net_->setMatch(&match_);
    // The view hears every network event first, the chat box second.
    net_->addListener(&netBridge_);
    chatBox_ = new ChatBox(*net_, this);
    chatBox_->setGeometry(505, 10, 310, 105);
    chatBox_->hide();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    forceTimer_.setInterval(forcemeter::TickMilliseconds);
    connect(&forceTimer_, &QTimer::timeout, this, &GameView::forceTick);

    if (context_.pars != nullptr) {
        parWorker_ = std::make_unique<ParWorker>(*context_.pars);
    }
    match_.SetSoundPlayerForAllBalls(context_.sound);
    match_.SetMessagePumpForAllBalls(pumpGuiEvents);
    ownBall().SetSoundPlayer(context_.sound);
    ownBall().SetSoundOn(context_.settings.sound());
    createActions();
    updateActions();
}

GameView::~GameView() {
    forceTimer_.stop();
    // The network goes first: its listeners are released, so a delivery in progress returns
    // at once, and then the network object ends and waits for its threads. Only then may the
    // chat box and the bridge it called go.
    net_->clearListeners();
    netBridge_.release();
    chatBox_->detach();
    net_.reset();
    delete chatBox_;
    chatBox_ = nullptr;
    // The players' balls go with the match, before the playfield's own teardown: release any
    // worker waiting for this window first, and let the balls wait without turning the loop.
    ballOwner().release();
    match_.SetMessagePumpForAllBalls(nullptr);
    setBall(nullptr);
}

// --- Starting and restarting ---

void GameView::newGame() {
    // The wizard starts from the levels and course of the game so far and its players of
    // this computer; the game changes only when the user confirms.
    Match setup;
    if (!runNewGameWizard(setup)) {
        return;
    }
    if (context_.networkMode != 0) {
        startNetworkGame(setup, context_.networkMode);
        return;
    }
    net_->endGame();
    startMatch(setup);
}

void GameView::resetView() {
    forceTimer_.stop();
    cancelComputerTurn();
    highlightOn_ = false;
    flow_.reset();
    stopBall();
    setBall(nullptr);
    scoreBoard_->clearBoard();
    changeView(GameOver);
    clearImages();
    scoreBoard_->hide();
}

void GameView::startMatch(const Match& setup) {
    resetView();
    match_ = setup;
    match_.Restart();
    match_.SetSoundForAllBalls(context_.settings.sound());
    fillScoreBoard();
    follow(flow_.restart(true));
}

void GameView::restart(bool ask) {
    if (match_.PlayerCount() == 0 || match_.LevelCount() == 0) {
        return;
    }
    if (ask && !match_.IsOver() && !confirm(tr("Do you really want to restart?"))) {
        return;
    }
    resetView();
    if (net_->isConnected()) {
        // The game starts again on every computer when all have confirmed.
        auto lock = net_->lock();
        match_.Restart();
        net_->restartHandshake();
        return;
    }
    match_.Restart();
    fillScoreBoard();
    follow(flow_.restart(true));
}

// --- Turn flow ---

void GameView::follow(const FlowStep& step) {
    if (step.holeStarted) {
        // The flow has put the hole's level into the window and every player's ball on it.
        ownBall().SetLevel(level());
        holeStatus_ = tr("Hole %1 of %2: %3")
                          .arg(match_.GetHole() + 1)
                          .arg(match_.LevelCount())
                          .arg(toDisplayText(level().name()));
        emit status(holeStatus_);
    }
    switch (step.outcome) {
        case FlowOutcome::Turn:
            scoreBoard_->updateScores(match_);
            showTurn();
            break;
        case FlowOutcome::HoleReady:
            // A network game: the first turn waits for every computer's start.
            refresh(true);
            break;
        case FlowOutcome::Over:
            scoreBoard_->updateScores(match_);
            endMatch();
            break;
        case FlowOutcome::MissingLevel:
            // The library lost a level it had when the game was set up: end here, cleanly.
            scoreBoard_->updateScores(match_);
            changeView(GameOver);
            inform(tr("A level of this game could not be found. The game ends here."));
            break;
        case FlowOutcome::Refused:
            break;
    }
}

void GameView::showTurn() {
    Player* player = flow_.currentPlayer();
    if (player == nullptr) {
        return;
    }
    scoreBoard_->highlightPlayer(match_.GetCurrentIndex());
    setBall(&player->GetBall());
    const bool computer = player->IsLocalPlayer() && player->IsComputer();
    changeView(computer ? ComputerThinking : player->IsLocalPlayer() ? Aiming : WaitingForRemote);
    refresh(true);
    drawAim(true);
    if (computer) {
        startComputerTurn(*player);
    }
}

void GameView::endMatch() {
    changeView(GameOver);
    const QString winners = toDisplayText(match_.WinnersText());
    const std::string courseId = match_.GetName();
    inform(tr("Congratulations %1 you won!").arg(winners));
    if (!courseId.empty()) {
        bool entered = false;
        for (int i = 0; i < match_.PlayerCount(); ++i) {
            const Player& player = *match_.GetPlayer(i);
            entered =
                context_.highScores.addNow(courseId, player.GetName(), player.TotalStrokes()) ||
                entered;
        }
        if (entered) {
            // Saved at once as well as at exit: a crash later must not cost these results.
            if (!context_.highScorePath.empty()) {
                context_.highScores.save(context_.highScorePath);
            }
            showHighScores(courseId);
        }
    }
    emit matchOver(winners);
    // The winner's putts again, one after the other, until something else is chosen.
    highlightOn_ = true;
    highlightIndex_ = 0;
    runReplay(match_.Leader(), 0);
}

void GameView::putt(double aimAngle, double strength) {
    doPutt(aimAngle, strength);
}

void GameView::doPutt(double aimAngle, double strength, bool fromNetwork) {
    auto lock = net_->lock();
    if (fromNetwork) {
        if (!flow_.startPutt(strength, aimAngle)) {
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
        if (net_->isConnected() && !net_->sendPutt(strength, aimAngle)) {
            return;
        }
        if (!flow_.startPutt(strength, aimAngle)) {
            return;
        }
    }
    changeView(Rolling);
    scoreBoard_->updateScores(match_);
    PlayfieldWnd::putt(aimAngle, strength);
    updateActions();
}

void GameView::onBallStopped(bool inCup) {
    // The ball's worker waits until this returns: let it go at once and go on from the
    // event loop, where message boxes and the next putt are safe.
    QMetaObject::invokeMethod(
        this, [this, inCup] { handleStop(inCup); }, Qt::QueuedConnection);
}

void GameView::handleStop(bool inCup) {
    Ball* ball = currentBall();
    if (ball == nullptr) {
        return;
    }
    if (ball->GetSpeedMode() == NextPosition) {
        refresh(true);
    }
    if (!isSpeedLocked()) {
        setSpeedMode(Normal);
    }
    if (viewState() == ReplayRolling && highlightOn_) {
        const Player* leader = match_.GetPlayer(match_.Leader());
        if (leader != nullptr && leader->PuttCount() > 0) {
            highlightIndex_ = (highlightIndex_ + 1) % leader->PuttCount();
            runReplay(match_.Leader(), highlightIndex_);
        }
        return;
    }
    if (viewState() != Rolling) {
        // A replay, or a roll that a new game or restart has overtaken.
        updateActions();
        return;
    }
    auto lock = net_->lock();
    flow_.ballStopped(inCup);
    scoreBoard_->updateScores(match_);
    if (net_->isConnected()) {
        // The next turn waits until every computer's ball has stopped.
        scoreBoard_->highlightPlayer(-1);
        net_->localBallStopped();
        return;
    }
    follow(flow_.advance());
}

// --- Drawing ---

void GameView::onLayout() {
    match_.SetBallGeometry(border(), border(), blockSize());
}

void GameView::onBackgroundDrawn(QImage& background) {
    if (viewState() == ReplayWaiting || viewState() == ReplayRolling ||
        flow_.currentPlayer() == nullptr) {
        return;
    }
    const int count = match_.PlayerCount();
    const int current = match_.GetCurrentIndex();
    QPainter painter(&background);
    // From the player before the current one backwards, so the next to play lies on top.
    for (int step = 1; step < count; ++step) {
        const int i = ((current - step) % count + count) % count;
        Player& player = *match_.GetPlayer(i);
        if (player.IsOnHole()) {
            trundlex::drawBall(painter, player.GetBall(), true);
        }
    }
}

void GameView::drawAim(bool circleOnly) {
    Ball* ball = currentBall();
    Player* player = flow_.currentPlayer();
    if (player == nullptr || ball == nullptr || frameImage().isNull()) {
        return;
    }
    const double bs = blockSize();
    const double b = border();
    const double r = ball->GetRadius();
    const double dir = aim_ - kPi;
    const double ringRadius = 1.7 * r;
    const int length = pixelTrunc(8.0 * r * bs);
    const double cx = ball->GetX() * bs + b;
    const double cy = ball->GetY() * bs + b;
    const PixelRect erase{pixelTrunc(cx - length - 1 + 0.5), pixelTrunc(cy - length - 1 + 0.5),
                          pixelTrunc(cx + length + 1 + 0.5), pixelTrunc(cy + length + 1 + 0.5)};
    copyBackground(erase.left, erase.top, erase.right, erase.bottom);
    {
        QPainter painter(&frameImage());
        const QColor colour = fromRgbValue(ball->GetColour());
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colour, 2));
        const int left = pixelTrunc(cx - bs * ringRadius + 0.5);
        const int top = pixelTrunc(cy - bs * ringRadius + 0.5);
        const int right = pixelTrunc(cx + bs * ringRadius + 0.5);
        const int bottom = pixelTrunc(cy + bs * ringRadius + 0.5);
        painter.drawEllipse(QRect(left, top, right - left, bottom - top));
        if (!circleOnly) {
            painter.setPen(QPen(colour, 1));
            const QPoint start(pixelTrunc(cx + bs * ringRadius * std::cos(dir) + 0.5),
                               pixelTrunc(cy + bs * ringRadius * std::sin(dir) + 0.5));
            for (int k = -1; k <= 1; ++k) {
                const double f = k == 0 ? 1.0 : 0.5;
                const double angle = dir + k * kPi / 8;
                painter.drawLine(start,
                                 QPoint(pixelTrunc(cx + length * f * std::cos(angle) + 0.5),
                                        pixelTrunc(cy + length * f * std::sin(angle) + 0.5)));
            }
        }
    }
    PlayfieldWnd::drawBall(ball);
    invalidateBitmapRect(erase.left, erase.top, erase.right, erase.bottom);
    setBallRect(erase);
    if (!circleOnly && net_->isConnected() && player->IsLocalPlayer()) {
        net_->sendAim(aim_);
    }
}

void GameView::paintEvent(QPaintEvent* event) {
    PlayfieldWnd::paintEvent(event);
    if (!meterShown_ || currentBall() == nullptr) {
        return;
    }
    // The force meter in the strip left of the playfield.
    QPainter painter(this);
    const int bs = blockSize();
    const int x = frameLeft() / 2;
    const int y0 = frameTop() + border();
    const int y1 = y0 + bs * level().height();
    painter.fillRect(QRect(0, frameTop(), frameLeft(), bs * level().height() + 2 * border()),
                     Qt::black);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(x - 2, y0, 4, y1 - y0));
    const double share = std::sqrt(force_ / forcemeter::MaxForce);
    const QColor ballColour = fromRgbValue(currentBall()->GetColour());
    const QColor bar(static_cast<int>(ballColour.red() * share),
                     static_cast<int>(ballColour.green() * share),
                     static_cast<int>(ballColour.blue() * share));
    const int height = pixelTrunc(force_ / forcemeter::MaxForce * (y1 - y0) + 0.5);
    painter.fillRect(QRect(x - 2, y1 - height, 4, height), bar);
}

// --- Mouse putting ---

void GameView::mouseMoveEvent(QMouseEvent* event) {
    if ((viewState() != Aiming && viewState() != Charging) || currentBall() == nullptr) {
        return;
    }
    const QPointF p = pixelToLevel(event->position().x(), event->position().y());
    aim_ = std::atan2(p.y() - currentBall()->GetY(), p.x() - currentBall()->GetX()) + kPi;
    drawAim(false);
}

void GameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || viewState() != Aiming) {
        return;
    }
    force_ = 0.0;
    changeView(Charging);
    forceTimer_.start();
}

void GameView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        releasePutt();
    }
}

void GameView::forceTick() {
    if (currentBall() == nullptr || viewState() != Charging) {
        forceTimer_.stop();
        return;
    }
    meterShown_ = true;
    force_ = forcemeter::next(force_);
    update(QRect(0, frameTop(), frameLeft(), height() - frameTop()));
    if (force_ >= forcemeter::MaxForce) {
        releasePutt();
        return;
    }
    aim_ = forcemeter::tremble(aim_, force_, context_.random);
    drawAim(false);
}

void GameView::releasePutt() {
    if (viewState() != Charging) {
        return;
    }
    forceTimer_.stop();
    meterShown_ = false;
    paintMargins();
    if (force_ <= forcemeter::MinimumPutt) {
        changeView(Aiming);
        return;
    }
    doPutt(aim_, force_);
}

}  // namespace trundlex