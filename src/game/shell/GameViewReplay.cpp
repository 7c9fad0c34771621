// Replays of recorded putts and the end-of-match highlight, on the window's own ball.
#include "GameView.h"

#include "LevelsViewerDialog.h"
#include "ReplayDialog.h"
#include "platform/AboutDialog.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

// --- Replays ---

bool GameView::prepareReplay(int playerIndex, int puttIndex) {
    if (viewState() == Rolling) {
        return false;
    }
    if (viewState() == ReplayRolling) {
        ownBall().StopIfRunning();
    }
    const Player* player = match_.GetPlayer(playerIndex);
    const PuttRecord* putt = player != nullptr ? player->GetPutt(puttIndex) : nullptr;
    if (putt == nullptr) {
        return false;
    }
    if (match_.LoadLevel(putt->hole, context_.levels, level()) != LevelLoadResult::Loaded) {
        return false;
    }
    Ball& ball = ownBall();
    const Ball& original = player->GetBall();
    ball.SetLevel(level());
    ball.SetColour(original.GetColour());
    ball.SetPattern(original.GetPattern());
    ball.SetTransparent(original.IsTransparent());
    ball.SetX(putt->x);
    ball.SetY(putt->y);
    setBall(&ball);
    changeView(ReplayWaiting);
    refresh(true);
    emit status(tr("Replay: %1, hole %2, stroke %3")
                    .arg(toDisplayText(player->GetName()))
                    .arg(putt->hole + 1)
                    .arg(putt->stroke));
    return true;
}

bool GameView::runReplay(int playerIndex, int puttIndex) {
    if (!prepareReplay(playerIndex, puttIndex)) {
        return false;
    }
    const PuttRecord* putt = match_.GetPlayer(playerIndex)->GetPutt(puttIndex);
    changeView(ReplayRolling);
    PlayfieldWnd::putt(putt->heading, putt->speed);
    return true;
}

void GameView::stopReplay() {
    if (viewState() != ReplayWaiting && viewState() != ReplayRolling) {
        return;
    }
    ownBall().StopIfRunning();
    setBall(nullptr);
    if (match_.IsOver()) {
        changeView(GameOver);
        return;
    }
    // The replay borrowed the window's level: put the hole being played back.
    match_.LoadCurrentLevel(context_.levels, level());
    follow(flow_.resume());
}

void GameView::showReplays() {
    ReplayDialog dialog(*this, context_.levels);
    dialog.exec();
}

void GameView::showLevels() {
    LevelsViewerDialog dialog(match_, context_.levels, context_.pars, this);
    dialog.exec();
}

void GameView::showHelp() {
    openManual(QStringLiteral("Trundlex"), this);
}

}  // namespace trundlex
