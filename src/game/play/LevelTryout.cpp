#include "play/LevelTryout.h"

#include "level/LevelId.h"
#include "library/LevelLibrary.h"
#include "play/BallColours.h"
#include "play/Match.h"

namespace trundlex {

LevelLoadResult setUpLevelTryout(const std::string& path, std::string_view playerName,
                                 LevelLibrary& levels, Match& setup) {
    Level level;
    const LevelLoadResult read = loadLevelFile(path, level);
    if (read != LevelLoadResult::Loaded) {
        return read;
    }
    const int known = level.id().empty() ? -1 : levels.findById(level.id());
    const bool held = known >= 0 && sameLevelContent(levels.at(known), level);
    if (!held) {
        if (known >= 0 || level.id().empty()) {
            // Another level goes by this ID (a copy edited elsewhere), or the file has none:
            // for this run the file's level gets an ID of its own.
            std::string id = "file " + path;
            for (int n = 2; levels.findById(id) >= 0; ++n) {
                id = "file " + path + " " + std::to_string(n);
            }
            level.setId(id);
        }
        levels.add(level);
    }
    Match match;
    match.AddLevel(level.id());
    match.AddPlayer(playerName, ReadyMadeBallColours.front(), 0, false, Player::LocalConnection);
    setup = std::move(match);
    return LevelLoadResult::Loaded;
}

}  // namespace trundlex
