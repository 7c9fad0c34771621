#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "ball/PuttSimulator.h"
#include "level/Level.h"
#include "solver/CupDistanceMap.h"

namespace trundlex {

// One putt of a sequence: where it was played from, how, and where the ball came to rest.
struct SolvedPutt {
    double fromX = 0.0;
    double fromY = 0.0;
    double speed = 0.0;
    double heading = 0.0;
    double toX = 0.0;
    double toY = 0.0;
    bool holed = false;
};

struct SolverOptions {
    int maxStrokes = 5;
    // Headings tried from every position, evenly spread around the full circle.
    int headings = 64;
    // End positions carried from one stroke to the next.
    int beamWidth = 4;
    // Threads that simulate putts; 0 takes one per core.
    int threads = 0;
    // Seconds after which the search returns what it has; 0 searches to the end.
    double timeLimit = 0.0;
    // Among the putts of a stroke that hole out, take the one that still holes out most often
    // when played a little off, rather than the first found: slower, but the putt forgives
    // a slightly wrong aim.
    bool robust = false;
    // When given and set, the search ends soon as if its time were up (another thread may set
    // it).
    const std::atomic<bool>* stop = nullptr;
};

struct SolverResult {
    bool holed = false;
    // The search ran out of time (or was stopped) before it was done.
    bool timedOut = false;
    // The putts that hole out, the last one sinking; when nothing holed, the putts that got
    // closest to the cup (none when no putt got closer than the start).
    std::vector<SolvedPutt> putts;
    // The remaining way to the cup where the putts end (0 when holed).
    double distanceLeft = CupDistanceMap::Unreachable;
    std::int64_t simulatedPutts = 0;
    std::int64_t subSteps = 0;
};

// Searches putts that hole out in as few strokes as it can find, played with the ball
// simulation itself (PuttSimulator, bit for bit what the game plays): see PuttSolver.cpp for
// how. Deterministic without a time limit: the same level and position give the same answer,
// whatever the number of threads. The level must outlive the solver and not change.
class PuttSolver {
public:
    explicit PuttSolver(const Level& level);

    SolverResult solve(const SolverOptions& options = {}) const {
        return solveFrom(level_.startX(), level_.startY(), options);
    }
    SolverResult solveFrom(double x, double y, const SolverOptions& options = {}) const;

    // A putt from (x, y) straight at the centre of the nearest block with the cup that holes
    // out and still does when played a little off (at least `forgiveness` of six such putts
    // hole out too); nothing otherwise. A few putts' work: what a player tries before
    // thinking harder.
    std::optional<SolvedPutt> straightPutt(double x, double y, int forgiveness) const;

    const CupDistanceMap& distances() const { return map_; }
    const PuttSimulator& simulator() const { return sim_; }

    // Putts are never slower than this: a ball keeps the rest count of its last roll, and a
    // putt this fast clears it on its first sub-step, so the putts found play the same on any
    // ball.
    static constexpr double MinSpeed = 0.5;
    // The strongest putt a player can make.
    static constexpr double MaxSpeed = 80.0;

private:
    const Level& level_;
    PuttSimulator sim_;
    CupDistanceMap map_;
};

}  // namespace trundlex
