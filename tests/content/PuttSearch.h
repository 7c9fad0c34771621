#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "level/Level.h"

namespace trundlex::testing {

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
    // True when the start of the level leads to the cup at all.
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

// One putt of a sequence: where it was played from, how, and where the ball came to rest.
struct SearchedPutt {
    double fromX = 0.0;
    double fromY = 0.0;
    double speed = 0.0;
    double heading = 0.0;
    double toX = 0.0;
    double toY = 0.0;
    bool holed = false;
};

struct PuttSearchOptions {
    int maxStrokes = 5;
    // Headings tried from every position, evenly spread around the full circle.
    int headings = 64;
    // End positions carried from one stroke to the next.
    int beamWidth = 4;
};

struct PuttSearchResult {
    bool holed = false;
    // The putts that hole out, the last one sinking; when nothing holed, the putts that got
    // closest to the cup.
    std::vector<SearchedPutt> putts;
    // The putts simulated by the search and the sub-steps they ran, for timing reports.
    std::int64_t simulatedPutts = 0;
    std::int64_t subSteps = 0;
};

// Searches, with the ball simulation itself (Ball::PuttNow), a sequence of at most
// options.maxStrokes putts from the level's start that ends with the ball in the cup. See
// PuttSearch.cpp for how. Deterministic: the same level gives the same answer.
PuttSearchResult searchHoleOut(const Level& level, const PuttSearchOptions& options = {});

}  // namespace trundlex::testing
