#include "CupDistanceMap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <queue>
#include <utility>

#include "ball/BallPhysics.h"
#include "util/PortableMath.h"

namespace trundlex {

CupDistanceMap::CupDistanceMap(const Level& level, int cellsPerBlock)
    : cellsPerBlock_(cellsPerBlock),
      width_(level.width() * cellsPerBlock),
      height_(level.height() * cellsPerBlock),
      distance_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Unreachable) {
    const double cell = 1.0 / cellsPerBlock_;
    // A cell is open when the ball's centre may be there: no water under it and no wall
    // within a little less than a ball radius. Cup cells are always open.
    std::vector<char> open(distance_.size(), 0);
    std::vector<char> cup(distance_.size(), 0);
    const double reach = 0.85 * BallDefaultRadius;
    for (int cy = 0; cy < height_; ++cy) {
        for (int cx = 0; cx < width_; ++cx) {
            const double x = (cx + 0.5) * cell;
            const double y = (cy + 0.5) * cell;
            const std::int32_t kind = level.materialKindAt(x, y);
            if (kind == Cup) {
                cup[index(cx, cy)] = 1;
                open[index(cx, cy)] = 1;
                continue;
            }
            bool free = kind != Wall && kind != Water;
            for (int k = 0; k < 8 && free; ++k) {
                const double a = k * std::numbers::pi / 4;
                free = !level.isWallAt(x + reach * pmath::cos(a), y + reach * pmath::sin(a));
            }
            open[index(cx, cy)] = free ? 1 : 0;
        }
    }
    // Shortest paths from the cup over open cells, with diagonal steps that cut no corner.
    using Entry = std::pair<double, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (std::size_t i = 0; i < cup.size(); ++i) {
        if (cup[i] != 0) {
            distance_[i] = 0.0;
            queue.push({0.0, i});
        }
    }
    while (!queue.empty()) {
        const auto [d, i] = queue.top();
        queue.pop();
        if (d > distance_[i]) {
            continue;
        }
        const int cx = static_cast<int>(i % static_cast<std::size_t>(width_));
        const int cy = static_cast<int>(i / static_cast<std::size_t>(width_));
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = cx + dx;
                const int ny = cy + dy;
                if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= width_ || ny >= height_ ||
                    open[index(nx, ny)] == 0) {
                    continue;
                }
                if (dx != 0 && dy != 0 &&
                    (open[index(cx + dx, cy)] == 0 || open[index(cx, cy + dy)] == 0)) {
                    continue;
                }
                const double nd = d + cell * ((dx != 0 && dy != 0) ? std::numbers::sqrt2 : 1.0);
                if (nd < distance_[index(nx, ny)]) {
                    distance_[index(nx, ny)] = nd;
                    queue.push({nd, index(nx, ny)});
                }
            }
        }
    }
}

double CupDistanceMap::at(double x, double y) const {
    if (!(x >= 0.0 && y >= 0.0)) {
        return Unreachable;
    }
    const int cx = static_cast<int>(x * cellsPerBlock_);
    const int cy = static_cast<int>(y * cellsPerBlock_);
    if (cx >= width_ || cy >= height_) {
        return Unreachable;
    }
    if (distance_[index(cx, cy)] != Unreachable) {
        return distance_[index(cx, cy)];
    }
    // A ball at rest against a wall: the nearest open cell within two cells, plus the way
    // there.
    double best = Unreachable;
    const double cell = 1.0 / cellsPerBlock_;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int nx = cx + dx;
            const int ny = cy + dy;
            if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_) {
                continue;
            }
            const double d = distance_[index(nx, ny)] + cell * pmath::hypot(dx, dy);
            best = std::min(best, d);
        }
    }
    return best;
}

}  // namespace trundlex
