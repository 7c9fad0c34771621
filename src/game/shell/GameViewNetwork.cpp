// The game view in a network game: the lobby and what the network's events do.
#include "GameView.h"

#include "ChatBox.h"
#include "LobbyDialog.h"
#include "ScoreBoard.h"
#include "platform/PlatformSupport.h"
#include "settings/GameSettings.h"

namespace trundlex {

bool GameView::startNetworkGame(const Match& setup, int mode) {
    resetView();
    {
        auto lock = net_->lock();
        match_ = setup;
        match_.Restart();
        if (mode == 2) {
            // A client plays the server's levels.
            match_.ClearLevels();
            match_.SetName({});
        }
        match_.SetSoundForAllBalls(context_.settings.sound());
    }
    const bool started = runLobby(mode);
    if (!started) {
        net_->endGame();
    }
    updateActions();
    return started;
}

bool GameView::runLobby(int mode) {
    LobbyDialog lobby(*net_, this);
    const auto port = static_cast<std::uint16_t>(context_.settings.port());
    return mode == 1 ? lobby.runServer(port) : lobby.runClient(context_.settings.address(), port);
}

void GameView::handleNetEvent(NetEvent event) {
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
            if (currentBall() != nullptr) {
                drawAim(false);
            }
            break;
        case NetEnded:
        case NetConnectionClosed:
            // Players of a computer that left may be played here now: show the turn again
            // (the flow answers only while somebody has it, never during a roll).
            if (viewState() != ReplayWaiting && viewState() != ReplayRolling) {
                follow(flow_.resume());
            }
            break;
        case NetLobbyClosed: {
            stopBall();
            setBall(nullptr);
            flow_.reset();
            scoreBoard_->clearBoard();
            match_.Restart();
            fillScoreBoard();
            follow(flow_.restart(false));
            QStringList names;
            for (int i = 0; i < match_.PlayerCount(); ++i) {
                if (match_.GetPlayer(i)->IsLocalPlayer()) {
                    names << toDisplayText(match_.GetPlayer(i)->GetName());
                }
            }
            chatBox_->setName(names.join(QStringLiteral(", ")));
            chatBox_->show();
            break;
        }
        default:
            break;
    }
    updateActions();
}

}  // namespace trundlex
