// The dialogs the game view opens: the lobby of a network game, replays, levels, the results
// of a match, the manual.
#include "GameView.h"

#include "LevelPreview.h"
#include "LevelsViewerDialog.h"
#include "LobbyDialog.h"
#include "ManualWindow.h"
#include "MatchResultsDialog.h"
#include "ReplayBar.h"
#include "StandingsPanel.h"
#include "platform/AboutDialog.h"
#include "settings/GameSettings.h"

namespace trundlex {

bool GameView::runLobby(int mode) {
    LobbyDialog lobby(controller_->net(), this);
    if (mode == 3) {
        return lobby.runRoom(context_.settings.onlineHost(), context_.roomRequest);
    }
    const auto port = static_cast<std::uint16_t>(context_.settings.port());
    return mode == 1 ? lobby.runServer(port) : lobby.runClient(context_.settings.address(), port);
}

void GameView::showReplays() {
    if (replayBar_ != nullptr) {
        replayBar_->setFocus();
        return;
    }
    // The replay plays on the playfield itself: the standings make way for it meanwhile.
    if (standings_ != nullptr) {
        standings_->hide();
    }
    replayBar_ = new ReplayBar(*this, context_.levels);
    connect(replayBar_, &ReplayBar::closeRequested, this, [this] {
        // Not from inside the bar's own button.
        afterEvents([this] { closeReplays(); });
    });
    replayBar_->show();
    layoutHeader();
    replayBar_->selectRow(0);
}

void GameView::closeReplays() {
    if (replayBar_ == nullptr) {
        return;
    }
    delete replayBar_;
    replayBar_ = nullptr;
    layoutHeader();
    if (standingsWanted_) {
        showStandings();
    }
}

void GameView::showLevels() {
    LevelsViewerDialog dialog(controller_->match(), context_.levels, context_.pars, this);
    dialog.preview()->setLook(look());
    dialog.exec();
}

void GameView::showResults(MatchResultsDialog& dialog) { dialog.open(); }

void GameView::showHelp() { ManualWindow::show(manualUrl(), this); }

}  // namespace trundlex
