#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "solver/PuttSolver.h"

namespace trundlex {

struct PlannerOptions {
    // Strokes the search looks ahead from each position; from where an earlier stroke of a
    // trial left the ball, laterLookAhead (HandTrials.h): most balls then lie where the
    // distance map's way to the cup is the way to take.
    int lookAhead = 2;
    int laterLookAhead = 1;
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

    // The pieces of plan(), for callers that make several plans at once.
    using Cell = std::pair<std::int64_t, std::int64_t>;
    // The square a plan made at (x, y) is kept for; nothing for a point that is not finite.
    std::optional<Cell> cellOf(double x, double y) const;
    // The plan kept for the square, if one was made.
    const std::optional<SolvedPutt>* known(const Cell& cell) const;
    // A fresh plan from (x, y) on `threads` threads (0: as the options say); complete is false
    // when a stop request or the time limit cut it short. Keeps nothing, so several threads
    // may call it at once.
    // later: the ball lies where an earlier stroke left it (laterLookAhead).
    std::optional<SolvedPutt> search(double x, double y, int threads, bool later,
                                     bool& complete) const;
    // Keeps a complete plan for its square, or marks the planner interrupted.
    void remember(const Cell& cell, const std::optional<SolvedPutt>& putt, bool complete);
    int threads() const { return options_.threads; }

private:
    const PuttSolver& solver_;
    PlannerOptions options_;
    std::map<Cell, std::optional<SolvedPutt>> plans_;
    bool interrupted_ = false;
    int plansMade_ = 0;
};

}  // namespace trundlex
