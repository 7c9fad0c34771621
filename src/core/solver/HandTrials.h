#pragma once

#include <cstdint>
#include <vector>

#include "solver/HumanHand.h"
#include "solver/PuttPlanner.h"

namespace trundlex {

struct TrialOptions {
    int trials = 200;
    std::uint32_t seed = 1;
    HandSpread hand = HandSpread::person();
    // A trial that has not holed out after this many strokes scores one more and ends, as a
    // player leaves the hole.
    int strokeLimit = 7;
    // End the trials as soon as their median score is settled, whatever the ones left would
    // score, and stop a trial once it can no longer score at or below the median: the median
    // is the same, the other scores are missing and the ones cut short count as
    // strokeLimit + 1.
    bool untilMedianKnown = false;
};

struct TrialResult {
    // The score of each trial, in the order played.
    std::vector<int> strokes;
    // The planner was stopped: the scores are incomplete.
    bool stopped = false;
};

// Plays the level from (x, y) again and again with a hand of the given spread, each stroke
// planned from where the ball actually lies. A putt into water costs its stroke and leaves the
// ball where it was. Each trial draws from its own hand, seeded from the seed and its number,
// and the trials are played in rounds of a few, stroke by stroke, with the plans a stroke
// needs made on the planner's threads at once. A plan is kept for the square of the first
// trial in order whose ball needs it, so the scores are the same for a seed whatever the
// number of threads (when the planner has no time limit).
TrialResult playTrials(const PuttSolver& solver, PuttPlanner& planner, double x, double y,
                       const TrialOptions& options);

// The fewest strokes n such that at least half of outOf trials scored n or fewer, from the
// scores played (all of them, or enough to settle it); 0 without scores.
int medianScore(std::vector<int> strokes, int outOf);

}  // namespace trundlex
