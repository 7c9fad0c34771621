#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "solver/PuttSolver.h"

namespace trundlex {

struct PlannerOptions {
    // Strokes the search looks ahead from each position.
    int lookAhead = 2;
    // Headings the search tries from each position.
    int headings = 32;
    // Plans are kept for squares of 1/cellsPerBlock of a block: a ball that comes to rest in
    // the square of an earlier plan is played the same way from where it lies.
    int cellsPerBlock = 4;
    // Try a putt straight at the cup first and take it when it forgives a slightly wrong hand
    // (a player does not think hard about a tap-in).
    bool straightFirst = true;
    // Threads of the search; 0 takes one per core.
    int threads = 0;
    // Seconds a plan may take (0: no limit); the plan is then the best found so far.
    double timeLimit = 0.0;
    // When set, the plan ends soon as if its time were up.
    const std::atomic<bool>* stop = nullptr;
};

// Chooses the putt a player tries from where the ball lies, as a player would: the first putt
// of the shortest way into the cup the solver finds, of its putts the one that forgives a
// slightly wrong hand best; when nothing holes out within the look-ahead, the first putt of
// the way that gets closest. Plans are kept by position, so that trials that end near each
// other reuse a plan, played from where the ball lies. Not safe to share
// between threads; the solver must outlive the planner.
class PuttPlanner {
public:
    PuttPlanner(const PuttSolver& solver, const PlannerOptions& options)
        : solver_(solver), options_(options) {}

    // The putt to try from (x, y); nothing when no putt gets closer to the cup than the ball
    // lies now (the cup cannot be reached from here) or when the plan was stopped.
    std::optional<SolvedPutt> plan(double x, double y);
    // A stop request or the time limit cut a plan short (its result is not kept).
    bool interrupted() const { return interrupted_; }

    // Plans made (not taken from an earlier one).
    int plansMade() const { return plansMade_; }

private:
    const PuttSolver& solver_;
    PlannerOptions options_;
    std::map<std::pair<std::int64_t, std::int64_t>, std::optional<SolvedPutt>> plans_;
    bool interrupted_ = false;
    int plansMade_ = 0;
};

}  // namespace trundlex
