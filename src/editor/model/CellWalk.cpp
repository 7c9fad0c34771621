#include "model/CellWalk.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace trundlex {

namespace {

constexpr double kFarthest = 1.0e9;

bool usable(double v) {
    return std::isfinite(v) && std::fabs(v) < kFarthest;
}

// How far along the segment (0 ... 1) it first crosses a grid line of this axis, and how far
// it travels between two such crossings; infinite for an axis it does not move along.
void firstCrossing(double from, double to, double& next, double& delta) {
    const double length = std::fabs(to - from);
    if (length == 0.0) {
        next = std::numeric_limits<double>::infinity();
        delta = next;
        return;
    }
    const double cell = std::floor(from);
    const double distance = to > from ? cell + 1.0 - from : from - cell;
    next = distance / length;
    delta = 1.0 / length;
}

}  // namespace

std::vector<Cell> cellsAlong(double x0, double y0, double x1, double y1) {
    if (!usable(x0) || !usable(y0) || !usable(x1) || !usable(y1)) {
        return {};
    }
    Cell cell{static_cast<std::int32_t>(std::floor(x0)), static_cast<std::int32_t>(std::floor(y0))};
    const Cell end{static_cast<std::int32_t>(std::floor(x1)),
                   static_cast<std::int32_t>(std::floor(y1))};
    const std::int32_t stepX = end.x > cell.x ? 1 : -1;
    const std::int32_t stepY = end.y > cell.y ? 1 : -1;
    // The steps are counted rather than found by comparing positions, so that rounding can
    // neither end the walk early nor carry it past the end's cell.
    std::int64_t leftX = std::abs(std::int64_t{end.x} - cell.x);
    std::int64_t leftY = std::abs(std::int64_t{end.y} - cell.y);
    double nextX = 0.0;
    double deltaX = 0.0;
    double nextY = 0.0;
    double deltaY = 0.0;
    firstCrossing(x0, x1, nextX, deltaX);
    firstCrossing(y0, y1, nextY, deltaY);

    std::vector<Cell> cells;
    cells.reserve(static_cast<std::size_t>(leftX + leftY + 1));
    cells.push_back(cell);
    while (leftX + leftY > 0) {
        if (leftY == 0 || (leftX > 0 && nextX <= nextY)) {
            cell.x += stepX;
            nextX += deltaX;
            --leftX;
        } else {
            cell.y += stepY;
            nextY += deltaY;
            --leftY;
        }
        cells.push_back(cell);
    }
    return cells;
}

}  // namespace trundlex
