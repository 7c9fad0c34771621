#pragma once

#include <vector>

#include "level/Level.h"

namespace trundlex {

// What keeps a level from being played as its maker meant, found without playing it.
enum class LevelProblem {
    NoCup,         // no block holds a cup, so no putt can end the hole
    StartOutside,  // the ball's start lies off the level
    StartInWall,   // the ball starts on a wall
    StartInWater,  // the ball starts in water
};

// The problems of `level`, in the order of LevelProblem; empty for a level that can be played.
std::vector<LevelProblem> findLevelProblems(const Level& level);

// True when some block of `level` holds a cup, whole or as the front of a shaped block.
bool hasCup(const Level& level);

}  // namespace trundlex
