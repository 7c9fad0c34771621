// The dialogs the game view opens: the lobby of a network game, replays, levels, the results
// of a match, the manual.
#include "GameView.h"

#include "LevelPreview.h"
#include "LevelsViewerDialog.h"
#include "LobbyDialog.h"
#include "ManualWindow.h"
#include "MatchResultsDialog.h"
#include "ReplayDialog.h"
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
    ReplayDialog dialog(*this, context_.levels);
    dialog.exec();
}

void GameView::showLevels() {
    LevelsViewerDialog dialog(controller_->match(), context_.levels, context_.pars, this);
    dialog.preview()->setLook(look());
    dialog.exec();
}

void GameView::showResults(MatchResultsDialog& dialog) { dialog.open(); }

void GameView::showHelp() { ManualWindow::show(manualUrl(), this); }

}  // namespace trundlex
