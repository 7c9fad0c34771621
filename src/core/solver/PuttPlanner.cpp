#include "PuttPlanner.h"

#include <algorithm>
#include <cmath>

namespace trundlex {

namespace {

// Of six putts a little off the straight one, this many must still hole out.
constexpr int kForgiveness = 5;

}  // namespace

std::optional<PuttPlanner::Cell> PuttPlanner::cellOf(double x, double y) const {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return std::nullopt;
    }
    const double cells = std::max(options_.cellsPerBlock, 1);
    return Cell{static_cast<std::int64_t>(std::floor(x * cells)),
                static_cast<std::int64_t>(std::floor(y * cells))};
}

const std::optional<SolvedPutt>* PuttPlanner::known(const Cell& cell) const {
    const auto it = plans_.find(cell);
    return it == plans_.end() ? nullptr : &it->second;
}

std::optional<SolvedPutt> PuttPlanner::search(double x, double y, int threads, bool later,
                                              bool& complete) const {
    complete = true;
    std::optional<SolvedPutt> putt =
        options_.straightFirst ? solver_.straightPutt(x, y, kForgiveness) : std::nullopt;
    if (!putt) {
        const SolverResult found = solver_.solveFrom(x, y,
                                                     {.maxStrokes = later ? options_.laterLookAhead
                                                                         : options_.lookAhead,
                                                      .headings = options_.headings,
                                                      .threads = threads > 0 ? threads : options_.threads,
                                                      .timeLimit = options_.timeLimit,
                                                      .robust = true,
                                                      .stop = options_.stop});
        if (!found.putts.empty()) {
            putt = found.putts.front();
        }
        complete = !found.timedOut;
    }
    return putt;
}

void PuttPlanner::remember(const Cell& cell, const std::optional<SolvedPutt>& putt,
                           bool complete) {
    ++plansMade_;
    if (complete) {
        plans_.emplace(cell, putt);
    } else {
        interrupted_ = true;
    }
}

std::optional<SolvedPutt> PuttPlanner::plan(double x, double y) {
    const std::optional<Cell> cell = cellOf(x, y);
    if (!cell) {
        return std::nullopt;
    }
    std::optional<SolvedPutt> putt;
    if (const auto* kept = known(*cell)) {
        putt = *kept;
    } else {
        bool complete = true;
        putt = search(x, y, 0, false, complete);
        remember(*cell, putt, complete);
    }
    if (putt) {
        putt->fromX = x;
        putt->fromY = y;
    }
    return putt;
}

}  // namespace trundlex
