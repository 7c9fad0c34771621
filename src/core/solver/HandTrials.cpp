#include "HandTrials.h"

#include <algorithm>

namespace trundlex {

namespace {

// Whether the median of `trials` scores is already fixed by these counts of scores (index:
// score), however the remaining trials end.
bool medianSettled(const std::vector<int>& counts, int played, int trials) {
    const int half = (trials + 1) / 2;
    const int left = trials - played;
    int below = 0;  // scores under the one looked at
    for (const int count : counts) {
        if (below + count >= half) {
            // This score is the median unless enough of the rest score lower.
            return below + left < half;
        }
        below += count;
    }
    return false;
}

}  // namespace

TrialResult playTrials(const PuttSolver& solver, PuttPlanner& planner, double x, double y,
                       const TrialOptions& options) {
    TrialResult result;
    HumanHand hand(options.hand, options.seed);
    std::vector<int> counts(static_cast<std::size_t>(std::max(options.strokeLimit, 0)) + 2, 0);
    for (int trial = 0; trial < options.trials; ++trial) {
        if (options.untilMedianKnown && medianSettled(counts, trial, options.trials)) {
            break;
        }
        double bx = x;
        double by = y;
        int stroke = 0;
        bool holed = false;
        while (!holed && stroke < options.strokeLimit) {
            const std::optional<SolvedPutt> plan = planner.plan(bx, by);
            if (planner.interrupted()) {
                result.stopped = true;
                return result;
            }
            if (!plan) {
                break;  // nowhere to go from here: the trial cannot hole out
            }
            const HumanHand::Putt played = hand.play(plan->speed, plan->heading);
            const PuttOutcome end = solver.simulator().putt(bx, by, played.speed, played.heading);
            ++stroke;
            holed = end.holed;
            bx = end.x;
            by = end.y;
        }
        const int score = holed ? stroke : options.strokeLimit + 1;
        result.strokes.push_back(score);
        ++counts[static_cast<std::size_t>(score)];
    }
    return result;
}

int medianScore(std::vector<int> strokes, int outOf) {
    const std::size_t half = (static_cast<std::size_t>(std::max<int>(outOf, 0)) + 1) / 2;
    std::sort(strokes.begin(), strokes.end());
    if (strokes.empty()) {
        return 0;
    }
    return strokes[std::clamp<std::size_t>(half, 1, strokes.size()) - 1];
}

}  // namespace trundlex
