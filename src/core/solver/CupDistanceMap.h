#pragma once

#include <cstddef>
#include <limits>
#include <vector>

#include "level/Level.h"

namespace trundlex {

// How far the ball still has to roll to the cup from each point of a level, in blocks, along
// paths that a ball can take: a fine grid (cellsPerBlock cells to a block side) of which a cell
// is open when the ball's centre may rest there (no wall within about a ball radius, no water)
// and every cell over the cup counts 0. Slopes and friction are not considered.
class CupDistanceMap {
public:
    static constexpr double Unreachable = std::numeric_limits<double>::infinity();

    explicit CupDistanceMap(const Level& level, int cellsPerBlock = 4);

    // The distance from the point, taken from its own cell or, when that cell is closed (a
    // ball resting against a wall), from the nearest open cell close by; Unreachable when no
    // open cell near the point leads to the cup.
    double at(double x, double y) const;
    bool reachable(double x, double y) const { return at(x, y) != Unreachable; }

private:
    std::size_t index(int cx, int cy) const {
        return static_cast<std::size_t>(cy) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(cx);
    }

    int cellsPerBlock_;
    int width_ = 0;
    int height_ = 0;
    std::vector<double> distance_;
};

}  // namespace trundlex
