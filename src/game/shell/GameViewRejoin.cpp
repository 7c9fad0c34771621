// Going back to a room's game after the connection (or the program) was lost: the seat the
// host gave is kept in the settings for two hours.
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>

#include "GameView.h"
#include "platform/PlatformSupport.h"
#include "play/BallColours.h"

namespace trundlex {

namespace {

// How long a seat is offered: a host keeps a running game only while somebody plays it, and
// after two hours a game left is rarely one to go back to.
constexpr std::int64_t kSeatSeconds = 2 * 3600;

std::int64_t nowSeconds() {
    return QDateTime::currentSecsSinceEpoch();
}

}  // namespace

std::optional<GameSettings::RoomSeat> GameView::freshSeat() const {
    return context_.settings.roomSeat(nowSeconds(), kSeatSeconds);
}

void GameView::keepSeat() {
    const LobbySnapshot snapshot = controller_->net().lobbySnapshot();
    if (snapshot.roomToken.empty()) {
        return;
    }
    GameSettings::RoomSeat seat;
    seat.host = context_.settings.onlineHost();
    seat.code = snapshot.roomCode;
    seat.token = snapshot.roomToken;
    seat.savedAt = nowSeconds();
    for (const LobbyPlayer& player : snapshot.players) {
        if (player.local) {
            seat.names.push_back(player.name);
        }
    }
    context_.settings.setRoomSeat(std::move(seat));
    // At once: the program may be gone before it would save them at its end.
    context_.settings.Save();
    updateActions();
}

void GameView::forgetSeat() {
    if (!context_.settings.hasRoomSeat()) {
        return;
    }
    context_.settings.clearRoomSeat();
    context_.settings.Save();
}

void GameView::markSeatLeft() {
    if (auto seat = context_.settings.roomSeat(nowSeconds(), kSeatSeconds)) {
        seat->savedAt = nowSeconds();
        context_.settings.setRoomSeat(std::move(*seat));
        context_.settings.Save();
    }
}

bool GameView::rejoinRoom() {
    const auto seat = freshSeat();
    if (!seat || controller_->networked()) {
        return false;
    }
    closeResults();
    // The players of this computer, for a room still in its lobby; in a running game the host
    // hands back the ones it kept.
    Match setup;
    for (const std::string& name : seat->names) {
        setup.AddPlayer(name, freeBallColour(setup, 0), 0, false, Player::LocalConnection);
    }
    context_.roomRequest = {};
    context_.roomRequest.kind = roomproto::Request::Kind::Rejoin;
    context_.roomRequest.code = seat->code;
    context_.roomRequest.token = seat->token;
    context_.settings.setOnlineHost(seat->host);
    return startNetworkGame(setup, 3);
}

void GameView::offerRejoin() {
    const auto seat = freshSeat();
    if (seat && !controller_->networked() && askRejoin(*seat)) {
        rejoinRoom();
    }
}

bool GameView::askRejoin(const GameSettings::RoomSeat& seat) {
    const auto minutes = std::max<std::int64_t>(1, (nowSeconds() - seat.savedAt) / 60);
    QMessageBox box(QMessageBox::Question, tr("Rejoin game"),
                    tr("You were playing in room %1 on %2 %n minute(s) ago. Go back to the game?",
                       nullptr, static_cast<int>(minutes))
                        .arg(toDisplayText(seat.code), toDisplayText(seat.host)),
                    QMessageBox::NoButton, window());
    QPushButton* rejoin = box.addButton(tr("&Rejoin"), QMessageBox::AcceptRole);
    box.addButton(tr("Not now"), QMessageBox::RejectRole);
    box.setDefaultButton(rejoin);
    // Over the game's window, which may only just have appeared.
    box.adjustSize();
    box.move(window()->frameGeometry().center() - box.rect().center());
    box.exec();
    return box.clickedButton() == rejoin;
}

}  // namespace trundlex
