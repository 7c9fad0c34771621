#pragma once

#include <string>
#include <string_view>

#include "level/LevelFile.h"

namespace trundlex {

class LevelLibrary;
class Match;

// A game of one level from a file for one person on this computer: what the game starts when
// it is given a level on its command line, as the editor's "Play in game" does.
//
// Reads the level file at `path` and makes `setup` a match of that one level for a player
// named `playerName` with the first ready-made ball colour, under no course (so no high
// scores). A match finds its levels in `levels` by ID; a level the library does not hold (a
// file outside the level folders, or one saved since the game read them) is added to it for
// this run. When the file's level has no ID, or its ID belongs to another level in the library
// (different blocks, names or start), it is added under an ID of its own for this run, so the
// game plays what the file holds. Returns what reading the file gave; on anything but Loaded,
// `setup` and `levels` are left as they were.
LevelLoadResult setUpLevelTryout(const std::string& path, std::string_view playerName,
                                 LevelLibrary& levels, Match& setup);

}  // namespace trundlex
