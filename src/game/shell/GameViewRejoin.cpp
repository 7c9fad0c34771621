// Going back to a room's game after the connection (or the program) was lost: the seat the
// host gave is kept in the settings for two hours.
#include <QDateTime>

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

}  // namespace trundlex
