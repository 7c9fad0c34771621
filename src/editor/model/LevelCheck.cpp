#include "model/LevelCheck.h"

namespace trundlex {

bool hasCup(const Level& level) {
    for (std::int32_t y = 0; y < level.height(); ++y) {
        for (std::int32_t x = 0; x < level.width(); ++x) {
            if (level.block(x, y).holds(Cup)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<LevelProblem> findLevelProblems(const Level& level) {
    std::vector<LevelProblem> problems;
    if (!hasCup(level)) {
        problems.push_back(LevelProblem::NoCup);
    }
    // Where the ball's centre lies decides what it starts on, as in the simulation.
    const double x = level.startX();
    const double y = level.startY();
    switch (level.containsPoint(x, y) ? level.materialKindAt(x, y) : -1) {
        case -1:
            problems.push_back(LevelProblem::StartOutside);
            break;
        case Wall:
            problems.push_back(LevelProblem::StartInWall);
            break;
        case Water:
            problems.push_back(LevelProblem::StartInWater);
            break;
        default:
            break;
    }
    return problems;
}

}  // namespace trundlex
