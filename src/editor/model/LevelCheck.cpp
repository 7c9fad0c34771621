#include "model/LevelCheck.h"

#include <cmath>

namespace trundlex {
namespace {

std::vector<Cell> cupCells(const Level& level) {
    std::vector<Cell> cups;
    for (std::int32_t y = 0; y < level.height(); ++y) {
        for (std::int32_t x = 0; x < level.width(); ++x) {
            if (level.block(x, y).holds(Cup)) {
                cups.push_back({x, y});
            }
        }
    }
    return cups;
}

}  // namespace

bool hasCup(const Level& level) {
    return !cupCells(level).empty();
}

std::vector<LevelFinding> checkLevel(const Level& level) {
    std::vector<LevelFinding> findings;
    const std::vector<Cell> cups = cupCells(level);
    if (cups.empty()) {
        findings.push_back({LevelProblem::NoCup, {}});
    }
    // Where the ball's centre lies decides what it starts on, as in the simulation.
    const double x = level.startX();
    const double y = level.startY();
    const bool inside = level.containsPoint(x, y);
    const Cell startCell{inside ? static_cast<std::int32_t>(std::floor(x)) : 0,
                         inside ? static_cast<std::int32_t>(std::floor(y)) : 0};
    switch (inside ? level.materialKindAt(x, y) : -1) {
        case -1:
            findings.push_back({LevelProblem::StartOutside, {}});
            break;
        case Wall:
            findings.push_back({LevelProblem::StartInWall, {startCell}});
            break;
        case Water:
            findings.push_back({LevelProblem::StartInWater, {startCell}});
            break;
        default:
            break;
    }
    if (cups.size() > 1) {
        findings.push_back({LevelProblem::SeveralCups, cups});
    }
    return findings;
}

std::vector<LevelProblem> findLevelProblems(const Level& level) {
    std::vector<LevelProblem> problems;
    for (const LevelFinding& finding : checkLevel(level)) {
        problems.push_back(finding.problem);
    }
    return problems;
}

bool parCanBeWorkedOut(const std::vector<LevelFinding>& findings) {
    for (const LevelFinding& finding : findings) {
        if (finding.problem != LevelProblem::SeveralCups) {
            return false;
        }
    }
    return true;
}

}  // namespace trundlex
