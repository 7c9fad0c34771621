#include "LocalMatch.h"

#include "MatchRig.h"
#include "PageJson.h"

namespace trundlex::web {

LocalMatch::LocalMatch(std::uint32_t seed) : PlayedMatch(seed) {}

bool LocalMatch::addLevel(std::string_view levFile) {
    Level level;
    if (rig_->hasController() || !levelFromBytes(levFile, level)) {
        return false;
    }
    if (rig_->levels.findById(level.id()) < 0) {
        rig_->levels.add(level);
    }
    rig_->setup.AddLevel(level.id());
    return true;
}

bool LocalMatch::addComputer(std::string_view name, ComputerStrength strength) {
    const std::int32_t count = rig_->setup.PlayerCount();
    if (rig_->hasController() || name.empty() || strength == ComputerStrength::Person ||
        count >= MaxPlayers) {
        return false;
    }
    rig_->setup.AddPlayer(name, kPlayerColours[count], 0, false, Player::LocalConnection)
        .SetComputer(strength);
    return true;
}

bool LocalMatch::addPerson(std::string_view name) {
    const std::int32_t count = rig_->setup.PlayerCount();
    if (rig_->hasController() || name.empty() || count >= MaxPlayers) {
        return false;
    }
    rig_->setup.AddPlayer(name, kPlayerColours[count], 0, false, Player::LocalConnection);
    return true;
}

bool LocalMatch::setPars(std::string_view table) {
    return !rig_->hasController() && rig_->takePars(table);
}

bool LocalMatch::start() {
    MatchRig& g = *rig_;
    if (g.hasController() || g.setup.PlayerCount() == 0 || g.setup.LevelCount() == 0) {
        return false;
    }
    g.makeController();
    g.controller->startMatch(g.setup);
    return true;
}

bool LocalMatch::advance(int steps) {
    return rig_->hasController() && rig_->run(steps, MatchLoop::Forever) && !isOver();
}

}  // namespace trundlex::web
