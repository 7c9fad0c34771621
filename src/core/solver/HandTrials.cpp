#include "HandTrials.h"

#include <algorithm>
#include <optional>

#include "util/Threads.h"

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

// The fewest strokes n that at least half of `trials` scores are already known to be at or
// under (the median can only be lower); limit when there is none yet.
int medianBound(const std::vector<int>& counts, int trials, int limit) {
    const int half = (trials + 1) / 2;
    int atOrBelow = 0;
    for (int n = 0; n < limit && n < static_cast<int>(counts.size()); ++n) {
        atOrBelow += counts[static_cast<std::size_t>(n)];
        if (atOrBelow >= half) {
            return n;
        }
    }
    return limit;
}

// Trials played together: enough to keep both cores busy with plans, few enough that the
// trials stop soon after their median is settled.
constexpr int kRoundTrials = 16;

struct TrialBall {
    HumanHand hand;
    double x = 0.0;
    double y = 0.0;
    int strokes = 0;
    int score = 0;  // 0 while playing
};

// Makes the plans of the squares in `wanted` (from the positions given) and keeps them, the
// squares in the order given; several at once on the planner's threads.
void makePlans(PuttPlanner& planner, bool later,
               const std::vector<std::pair<PuttPlanner::Cell, std::pair<double, double>>>& wanted) {
    std::vector<std::optional<SolvedPutt>> plans(wanted.size());
    std::vector<char> complete(wanted.size(), 1);
    if (wanted.size() == 1) {
        // One plan: its own search uses every thread.
        bool done = true;
        plans[0] = planner.search(wanted[0].second.first, wanted[0].second.second, 0, later, done);
        complete[0] = done ? 1 : 0;
    } else {
        forEachOnThreads(wanted.size(), threadsFor(planner.threads()), [&](std::size_t i) {
            bool done = true;
            plans[i] =
                planner.search(wanted[i].second.first, wanted[i].second.second, 1, later, done);
            complete[i] = done ? 1 : 0;
        });
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        planner.remember(wanted[i].first, plans[i], complete[i] != 0);
    }
}

}  // namespace

TrialResult playTrials(const PuttSolver& solver, PuttPlanner& planner, double x, double y,
                       const TrialOptions& options) {
    TrialResult result;
    const int limit = std::max(options.strokeLimit, 0);
    std::vector<int> counts(static_cast<std::size_t>(limit) + 2, 0);
    for (int first = 0; first < options.trials; first += kRoundTrials) {
        if (options.untilMedianKnown && medianSettled(counts, first, options.trials)) {
            break;
        }
        // A trial that has not holed out within this many strokes scores above the median.
        const int cut = options.untilMedianKnown ? medianBound(counts, options.trials, limit) : limit;
        std::vector<TrialBall> balls;
        for (int trial = first; trial < std::min(first + kRoundTrials, options.trials); ++trial) {
            const auto seed = options.seed + 0x9e3779b9u * static_cast<std::uint32_t>(trial + 1);
            balls.push_back({HumanHand(options.hand, seed), x, y, 0, limit >= 1 ? 0 : 1});
        }
        for (int stroke = 0; stroke < limit; ++stroke) {
            std::vector<std::pair<PuttPlanner::Cell, std::pair<double, double>>> wanted;
            for (TrialBall& ball : balls) {
                if (ball.score != 0) {
                    continue;
                }
                const std::optional<PuttPlanner::Cell> cell = planner.cellOf(ball.x, ball.y);
                if (!cell || planner.known(*cell) != nullptr ||
                    std::any_of(wanted.begin(), wanted.end(),
                                [&](const auto& w) { return w.first == *cell; })) {
                    continue;
                }
                wanted.emplace_back(*cell, std::pair{ball.x, ball.y});
            }
            makePlans(planner, stroke > 0, wanted);
            if (planner.interrupted()) {
                result.stopped = true;
                return result;
            }
            // Each ball's putt depends only on its own hand and plan: the balls roll on the
            // planner's threads at once, with the same results in any order.
            std::vector<std::pair<TrialBall*, SolvedPutt>> rolling;
            for (TrialBall& ball : balls) {
                if (ball.score != 0) {
                    continue;
                }
                const std::optional<PuttPlanner::Cell> cell = planner.cellOf(ball.x, ball.y);
                const std::optional<SolvedPutt>* plan = cell ? planner.known(*cell) : nullptr;
                if (plan == nullptr || !*plan) {
                    ball.score = limit + 1;  // nowhere to go from here: it cannot hole out
                    continue;
                }
                rolling.emplace_back(&ball, **plan);
            }
            const int strokeCut = std::min(limit, cut);
            forEachOnThreads(rolling.size(), threadsFor(planner.threads()), [&](std::size_t i) {
                TrialBall& ball = *rolling[i].first;
                const HumanHand::Putt played =
                    ball.hand.play(rolling[i].second.speed, rolling[i].second.heading);
                const PuttOutcome end =
                    solver.simulator().putt(ball.x, ball.y, played.speed, played.heading);
                ++ball.strokes;
                ball.x = end.x;
                ball.y = end.y;
                if (end.holed) {
                    ball.score = ball.strokes;
                } else if (ball.strokes >= strokeCut) {
                    ball.score = limit + 1;
                }
            });
        }
        for (TrialBall& ball : balls) {
            const int score = ball.score != 0 ? ball.score : limit + 1;
            result.strokes.push_back(score);
            ++counts[static_cast<std::size_t>(score)];
        }
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
