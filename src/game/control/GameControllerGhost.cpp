// The ghost of the best round: a faint ball that putts, beside the player, the putt the best
// round on this course made at the same stroke of the same hole.
#include <chrono>

#include "GameController.h"
#include "library/GhostStore.h"
#include "settings/GameSettings.h"

namespace trundlex {

int GameController::localPeople() const {
    int people = 0;
    for (int i = 0; i < match_.PlayerCount(); ++i) {
        const Player& player = *match_.GetPlayer(i);
        people += player.IsLocalPlayer() && !player.IsComputer() ? 1 : 0;
    }
    return people;
}

void GameController::loadGhost() {
    ghost_.reset();
    ghostShots_.clear();
    ghostHole_ = -1;
    const GhostRound* kept =
        context_.ghosts != nullptr ? context_.ghosts->find(match_.GetName()) : nullptr;
    if (kept != nullptr && !match_.GetName().empty() && kept->fits(match_)) {
        ghost_ = *kept;
    }
    // Whose best round would it be among several people? They may still turn it on.
    ghostOn_ = ghost_.has_value() && context_.settings.ghost() && localPeople() == 1;
}

void GameController::setGhostOn(bool on) {
    if (localPeople() <= 1) {
        context_.settings.setGhost(on);
    }
    ghostOn_ = on && ghost_.has_value();
    if (state_ == Aiming) {
        showGhost(flow_.currentPlayer());
    } else if (!ghostOn_) {
        hideGhost();
    }
}

void GameController::showGhost(const Player* player) {
    const bool person = player != nullptr && player->IsLocalPlayer() && !player->IsComputer();
    if (!ghostOn_ || !person) {
        hideGhost();
        return;
    }
    const int hole = match_.GetHole();
    if (hole != ghostHole_) {
        // The hole's level is in level_ while its turns are shown.
        ghostShots_ = ghostShots(level_, ghost_->puttsOn(hole));
        ghostHole_ = hole;
    }
    const int stroke = player->StrokesOn(hole);
    if (stroke < 0 || stroke >= static_cast<int>(ghostShots_.size())) {
        // The ghost is in the cup already, or never putted here.
        hideGhost();
        return;
    }
    ghostShown_ = true;
    listener_.ghostShown(&ghostShots_[static_cast<std::size_t>(stroke)]);
}

void GameController::hideGhost() {
    if (ghostShown_) {
        ghostShown_ = false;
        listener_.ghostShown(nullptr);
    }
}

void GameController::keepGhost() {
    if (context_.ghosts == nullptr || match_.GetName().empty()) {
        return;
    }
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    bool kept = false;
    for (int i = 0; i < match_.PlayerCount(); ++i) {
        const Player& player = *match_.GetPlayer(i);
        // A person's round only: a computer's would be a different game to race.
        if (player.IsLocalPlayer() && !player.IsComputer()) {
            kept = context_.ghosts->offer(GhostRound::of(match_, i, now)) || kept;
        }
    }
    if (kept && !context_.ghostPath.empty()) {
        // A round that cannot be saved now stays in memory for the next save; unlike a high
        // score it is not worth a message of its own.
        (void)context_.ghosts->save(context_.ghostPath);
    }
}

}  // namespace trundlex
