#include "PuttPlanner.h"

#include <algorithm>
#include <cmath>

namespace trundlex {

namespace {

// Of six putts a little off the straight one, this many must still hole out.
constexpr int kForgiveness = 5;

}  // namespace

std::optional<SolvedPutt> PuttPlanner::plan(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return std::nullopt;
    }
    const double cells = std::max(options_.cellsPerBlock, 1);
    const std::pair<std::int64_t, std::int64_t> cell{static_cast<std::int64_t>(std::floor(x * cells)),
                                                     static_cast<std::int64_t>(std::floor(y * cells))};
    std::optional<SolvedPutt> putt;
    if (const auto known = plans_.find(cell); known != plans_.end()) {
        putt = known->second;
    } else {
        ++plansMade_;
        putt = options_.straightFirst ? solver_.straightPutt(x, y, kForgiveness) : std::nullopt;
        bool complete = true;
        if (!putt) {
            const SolverResult found = solver_.solveFrom(x, y,
                                                         {.maxStrokes = options_.lookAhead,
                                                          .headings = options_.headings,
                                                          .threads = options_.threads,
                                                          .timeLimit = options_.timeLimit,
                                                          .robust = true,
                                                          .stop = options_.stop});
            if (!found.putts.empty()) {
                putt = found.putts.front();
            }
            complete = !found.timedOut;
        }
        if (complete) {
            plans_.emplace(cell, putt);
        } else {
            interrupted_ = true;
        }
    }
    if (putt) {
        putt->fromX = x;
        putt->fromY = y;
    }
    return putt;
}

}  // namespace trundlex
