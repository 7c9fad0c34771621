#pragma once

#include <string>

#include "level/Level.h"
#include "level/LevelId.h"

namespace trundlex {

// Opening and saving the editor's level files.

enum class LevelLoadResult {
    Loaded,
    Unreadable,  // the file cannot be opened or read
    NotALevel,   // the file holds no level text the editor can read (damaged or foreign)
};

// Reads the level file at `path` into `level`. Only a level read in full replaces `level`,
// which is then not modified; on any failure `level` is left exactly as it was, so that the
// level being edited is never swapped for a half-read or default one.
LevelLoadResult loadLevelFile(const std::string& path, Level& level);

// Saves `level` to `path` with a new level ID made from its blocks and the clock's time. The
// file is replaced only once the new contents are safely on disk, so a failed save leaves the
// previous file intact. On success the level holds the new ID and is not modified. On
// failure it returns false with a short reason in `error` (when given), the level keeps its
// previous ID and stays modified.
bool saveLevelFile(Level& level, const std::string& path, const LocalClock& clock,
                   std::string* error = nullptr);

}  // namespace trundlex
