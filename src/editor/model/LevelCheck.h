#pragma once

#include <vector>

#include "level/Level.h"
#include "model/EditorLayout.h"

namespace trundlex {

// What keeps a level from being played as its maker meant, found without playing it.
enum class LevelProblem {
    NoCup,         // no block holds a cup, so no putt can end the hole
    StartOutside,  // the ball's start lies off the level
    StartInWall,   // the ball starts on a wall
    StartInWater,  // the ball starts in water
    SeveralCups,   // more than one block holds a cup; most often one was left behind
};

// One problem and the cells it is about (none for a missing cup or a start off the level).
struct LevelFinding {
    LevelProblem problem = LevelProblem::NoCup;
    std::vector<Cell> cells;
    friend bool operator==(const LevelFinding&, const LevelFinding&) = default;
};

// The problems of `level` with their cells, in the order of LevelProblem; cups are listed
// row by row. Empty for a level that can be played.
std::vector<LevelFinding> checkLevel(const Level& level);

// The problems of `level` alone, in the same order.
std::vector<LevelProblem> findLevelProblems(const Level& level);

// False when one of `findings` leaves no par to work out: without a cup, or with a ball that
// cannot start, any par or "cannot be holed" would only repeat that problem.
bool parCanBeWorkedOut(const std::vector<LevelFinding>& findings);

// True when some block of `level` holds a cup, whole or as the front of a shaped block.
bool hasCup(const Level& level);

}  // namespace trundlex
