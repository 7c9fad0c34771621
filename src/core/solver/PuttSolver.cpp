// The putt search.
//
// The search plays the level with the ball simulation itself and knows nothing of the physics
// beyond one rule of thumb; every putt it reports was simulated.
//
// 1. A distance map (CupDistanceMap) tells, for every point, how far the ball still has to roll
//    to the cup around walls and water: a shortest-path search over a grid of quarter blocks,
//    from the cup cells outwards, through cells where the ball's centre can be.
// 2. Stroke by stroke, the search keeps a beam of the few most promising ball positions
//    (starting with the given position; 4 by default). From each one it tries headings evenly
//    spread around the circle (64 by default). For each heading it first rolls a probe putt,
//    hard enough to roll well past the cup's distance, and records its path; the point of that
//    path closest to the cup by the distance map is where a softer putt along the same heading
//    should stop. The rule of thumb: on level ground friction takes the same speed off every
//    block rolled, whatever the speed, so a putt that starts slower by the probe's speed at
//    that point comes to rest there. The search putts that speed (plus a little, to roll into
//    the cup) and corrects it twice by the path length the ball really rolled; walls, slopes
//    and sand only make the guess rougher, never the result wrong.
// 3. Around the two best headings of a position it tries headings a half and a quarter step to
//    either side in the same way.
// 4. The end positions of all putts of this stroke are ranked by the distance map; the best
//    few that lie apart from each other form the beam of the next stroke. A putt that ends in
//    water puts the ball back where it was played from (the simulation's rule), so it leads
//    nowhere and is dropped.
// A stroke that holes out ends the search, so the sequence found is also the shortest the
// search can find. The line searches of one round are independent and run on several threads.
// When several hole out, the first in the fixed order of the round wins, so the answer does not
// depend on which thread was quicker; later ones are then skipped. With `robust` every line
// search of the round runs, and of the putts that hole out the one wins that still holes out
// most often when played a little off (heading and speed), then the one whose ball rolls the
// shortest way, then the earlier: a computer player never putts exactly as planned, and people
// expect it to putt straight at the cup when it can. Probes record their path every two sub-steps and are
// cut after 25 time units.
#include "PuttSolver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <optional>

#include "level/Material.h"
#include "util/PortableMath.h"
#include "util/Threads.h"

namespace trundlex {

namespace {

constexpr double kPi = std::numbers::pi;
// Speed left over at the target point, so that a putt aimed at the cup rolls in.
constexpr double kArrivalSpeed = 1.0;
// Probe putts are cut after 25 time units of rolling (slopes can keep a ball going).
constexpr std::int32_t kProbeSubSteps = SubStepsPerTimeUnit * 25;
constexpr std::int32_t kProbeTick = 2;
constexpr std::int32_t kPuttTick = PuttSimulator::TickSubSteps;

using Clock = std::chrono::steady_clock;

// A point of a probe's path.
struct PathPoint {
    double x = 0.0;
    double y = 0.0;
    double speed = 0.0;
    double length = 0.0;  // path length rolled so far
};

struct Outcome {
    double x = 0.0;
    double y = 0.0;
    bool holed = false;
    bool wasted = false;
    double length = 0.0;
};

// A position of the beam with the putts that led there.
struct Node {
    double x = 0.0;
    double y = 0.0;
    double score = 0.0;
    std::vector<SolvedPutt> putts;
};

// A putt tried from a node: where it ended and how good that is.
struct Candidate {
    SolvedPutt putt;
    double score = 0.0;
    std::size_t node = 0;
};

// What one line search (one heading from one node) found.
struct LineResult {
    std::vector<Candidate> candidates;
    bool holed = false;
    SolvedPutt holedPutt;
    double holedLength = 0.0;  // the way the holed putt rolled
    std::int64_t putts = 0;
    std::int64_t subSteps = 0;
};

struct Task {
    std::size_t node = 0;
    double heading = 0.0;
};

class Search {
public:
    Search(const PuttSimulator& sim, const CupDistanceMap& map, const SolverOptions& options)
        : sim_(sim), map_(map), options_(options) {
        if (options_.timeLimit > 0.0) {
            deadline_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(options_.timeLimit));
        }
        threads_ = threadsFor(options_.threads);
    }

    SolverResult run(double x, double y) {
        SolverResult result;
        std::vector<Node> beam{{x, y, map_.at(x, y), {}}};
        Node best = beam.front();
        const double step = 2 * kPi / std::max(options_.headings, 1);
        for (int stroke = 1; stroke <= options_.maxStrokes && !beam.empty(); ++stroke) {
            std::vector<Task> tasks;
            for (std::size_t n = 0; n < beam.size(); ++n) {
                for (int i = 0; i < options_.headings; ++i) {
                    tasks.push_back({n, i * step});
                }
            }
            std::vector<LineResult> found = runRound(beam, tasks);
            if (!holed_ && !timedOut_) {
                std::vector<Task> refine = refinements(beam, tasks, found, step);
                std::vector<LineResult> more = runRound(beam, refine);
                found.insert(found.end(), std::make_move_iterator(more.begin()),
                             std::make_move_iterator(more.end()));
            }
            if (holed_ || timedOut_) {
                // Keep what this round found when time ran out.
                if (timedOut_ && !holed_) {
                    keepBest(beam, found, best);
                }
                break;
            }
            std::vector<Candidate> candidates;
            for (LineResult& r : found) {
                candidates.insert(candidates.end(), r.candidates.begin(), r.candidates.end());
            }
            beam = nextBeam(beam, candidates);
            for (const Node& node : beam) {
                if (node.score < best.score) {
                    best = node;
                }
            }
        }
        result.holed = holed_;
        result.timedOut = timedOut_;
        result.putts = holed_ ? holedPutts_ : best.putts;
        result.distanceLeft = holed_ ? 0.0 : best.score;
        result.simulatedPutts = putts_;
        result.subSteps = subSteps_;
        return result;
    }

    // The putt along one heading from (x, y) that holes out, with how many of six putts a
    // little off it still do; nothing when none along the heading holes out.
    std::optional<std::pair<SolvedPutt, int>> along(double x, double y, double heading) {
        const Node node{x, y, map_.at(x, y), {}};
        if (node.score == CupDistanceMap::Unreachable) {
            return std::nullopt;
        }
        const LineResult line = lineSearch(node, 0, heading);
        if (!line.holed) {
            return std::nullopt;
        }
        return std::pair{line.holedPutt, robustness(line.holedPutt)};
    }

private:
    // Runs the line searches of one round on the threads. When any holes out, the first in the
    // task list or the most direct decides (see the top of the file).
    std::vector<LineResult> runRound(const std::vector<Node>& beam, const std::vector<Task>& tasks) {
        std::vector<LineResult> results(tasks.size());
        std::atomic<std::size_t> next{0};
        std::atomic<std::size_t> firstHoled{tasks.size()};
        std::atomic<bool> outOfTime{false};
        auto work = [&] {
            for (;;) {
                const std::size_t i = next.fetch_add(1);
                if (i >= tasks.size()) {
                    return;
                }
                if (!options_.robust && i > firstHoled.load()) {
                    continue;
                }
                if ((options_.stop != nullptr && options_.stop->load()) ||
                    (deadline_ && Clock::now() >= *deadline_)) {
                    outOfTime.store(true);
                    return;
                }
                results[i] = lineSearch(beam[tasks[i].node], tasks[i].node, tasks[i].heading);
                if (results[i].holed) {
                    std::size_t seen = firstHoled.load();
                    while (i < seen && !firstHoled.compare_exchange_weak(seen, i)) {
                    }
                }
            }
        };
        runOnThreads(std::min<int>(threads_ - 1, static_cast<int>(tasks.size()) - 1), work);
        for (const LineResult& r : results) {
            putts_ += r.putts;
            subSteps_ += r.subSteps;
        }
        std::size_t holedAt = firstHoled.load();
        if (options_.robust && holedAt < tasks.size()) {
            int best = -1;
            for (std::size_t i = holedAt; i < results.size(); ++i) {
                if (!results[i].holed) {
                    continue;
                }
                const int score = robustness(results[i].holedPutt);
                if (score > best ||
                    (score == best && results[i].holedLength < results[holedAt].holedLength)) {
                    best = score;
                    holedAt = i;
                }
            }
        }
        if (holedAt < tasks.size()) {
            holed_ = true;
            holedPutts_ = beam[tasks[holedAt].node].putts;
            holedPutts_.push_back(results[holedAt].holedPutt);
        } else if (outOfTime.load()) {
            timedOut_ = true;
        }
        return results;
    }

    // How many putts a little off the given one (heading and speed) still hole out.
    int robustness(const SolvedPutt& putt) {
        int holed = 0;
        for (const double dh : {-0.02, -0.01, 0.01, 0.02}) {
            holed += sim_.putt(putt.fromX, putt.fromY, putt.speed, putt.heading + dh).holed ? 1 : 0;
        }
        for (const double f : {0.96, 1.04}) {
            const double speed = std::clamp(putt.speed * f, PuttSolver::MinSpeed, PuttSolver::MaxSpeed);
            holed += sim_.putt(putt.fromX, putt.fromY, speed, putt.heading).holed ? 1 : 0;
        }
        putts_ += 6;
        return holed;
    }

    // Headings a half and a quarter step either side of the two best headings of each node.
    std::vector<Task> refinements(const std::vector<Node>& beam, const std::vector<Task>& tasks,
                                  const std::vector<LineResult>& found, double step) const {
        std::vector<Task> refine;
        for (std::size_t n = 0; n < beam.size(); ++n) {
            std::vector<std::pair<double, double>> own;  // score, heading
            for (std::size_t i = 0; i < tasks.size(); ++i) {
                if (tasks[i].node != n) {
                    continue;
                }
                for (const Candidate& c : found[i].candidates) {
                    own.emplace_back(c.score, c.putt.heading);
                }
            }
            std::stable_sort(own.begin(), own.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            std::vector<double> chosen;
            for (const auto& [score, heading] : own) {
                if (chosen.size() >= 2 || score == CupDistanceMap::Unreachable) {
                    break;
                }
                // A copy: clang before 16 cannot capture a structured binding.
                const bool near = std::any_of(
                    chosen.begin(), chosen.end(), [&, heading = heading](double h) {
                        return std::abs(std::remainder(h - heading, 2 * kPi)) < step * 0.75;
                    });
                if (near) {
                    continue;
                }
                chosen.push_back(heading);
                for (const double offset : {-0.5, 0.5, -0.25, 0.25}) {
                    refine.push_back({n, heading + offset * step});
                }
            }
        }
        return refine;
    }

    // Plays one putt; with a path, records it every kProbeTick sub-steps and cuts the roll
    // after cutAfter sub-steps.
    Outcome play(double x, double y, double speed, double heading, std::vector<PathPoint>* path,
                 std::int32_t cutAfter, LineResult& out) const {
        double lastX = x;
        double lastY = y;
        double length = 0.0;
        const PuttOutcome end = sim_.putt(x, y, speed, heading, 0, path ? kProbeTick : kPuttTick,
                                          [&](const BallMotion& m) {
                                              length += pmath::hypot(m.x - lastX, m.y - lastY);
                                              lastX = m.x;
                                              lastY = m.y;
                                              if (path != nullptr) {
                                                  path->push_back({m.x, m.y, m.speed, length});
                                              }
                                              return cutAfter <= 0 || m.subSteps < cutAfter;
                                          });
        ++out.putts;
        out.subSteps += end.subSteps;
        return {end.x, end.y, end.holed, end.wasted, length};
    }

    // Putts along one heading at speeds chosen from a probe's path (see the top of the file).
    LineResult lineSearch(const Node& node, std::size_t nodeIndex, double heading) const {
        LineResult out;
        const double probeSpeed = probeSpeedFrom(node);
        std::vector<PathPoint> path;
        const Outcome probe =
            play(node.x, node.y, probeSpeed, heading, &path, kProbeSubSteps, out);
        if (probe.holed) {
            evaluate(node, nodeIndex, probeSpeed, heading, out);
            return out;
        }
        if (path.empty()) {
            return out;
        }
        std::size_t target = 0;
        double targetScore = CupDistanceMap::Unreachable;
        for (std::size_t i = 0; i < path.size(); ++i) {
            const double d = map_.at(path[i].x, path[i].y);
            if (d < targetScore) {
                targetScore = d;
                target = i;
            }
        }
        if (targetScore == CupDistanceMap::Unreachable) {
            return out;
        }
        const double targetLength = path[target].length;
        const double lost = std::max(probeSpeed - path[target].speed, 0.0);
        // Speed lost per block rolled on the way to the target.
        const double perBlock =
            targetLength > 0.1 ? std::max(lost / targetLength, 0.2) : Material::GrassFriction;
        double speed = std::clamp(lost + kArrivalSpeed, PuttSolver::MinSpeed, PuttSolver::MaxSpeed);
        for (int attempt = 0; attempt < 3; ++attempt) {
            const Outcome o = evaluate(node, nodeIndex, speed, heading, out);
            if (out.holed) {
                return out;
            }
            const double error = targetLength - o.length;
            if (!o.wasted && std::abs(error) < 0.3) {
                return out;
            }
            if (o.wasted && o.length == 0.0) {
                return out;
            }
            const double next =
                std::clamp(speed + perBlock * error, PuttSolver::MinSpeed, PuttSolver::MaxSpeed);
            if (std::abs(next - speed) < 0.05) {
                return out;
            }
            speed = next;
        }
        return out;
    }

    // A putt that counts: ranked, and the end of the line search if it sinks.
    Outcome evaluate(const Node& node, std::size_t nodeIndex, double speed, double heading,
                     LineResult& out) const {
        const Outcome o = play(node.x, node.y, speed, heading, nullptr, 0, out);
        const SolvedPutt putt{node.x, node.y, speed, heading, o.x, o.y, o.holed};
        if (o.holed) {
            out.holed = true;
            out.holedPutt = putt;
            out.holedLength = o.length;
        } else if (!o.wasted) {
            out.candidates.push_back({putt, map_.at(o.x, o.y), nodeIndex});
        }
        return o;
    }

    // Fast enough to roll well past the cup along the way around walls and water.
    double probeSpeedFrom(const Node& node) const {
        const Level& level = sim_.level();
        const double d = std::isfinite(node.score) ? node.score : level.width() + level.height();
        return std::clamp(Material::GrassFriction * (1.6 * d + 8.0), 8.0, PuttSolver::MaxSpeed);
    }

    // The best end positions that lie apart from each other.
    std::vector<Node> nextBeam(const std::vector<Node>& beam,
                               std::vector<Candidate>& candidates) const {
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
        std::vector<Node> next;
        for (const Candidate& c : candidates) {
            if (static_cast<int>(next.size()) >= options_.beamWidth ||
                c.score == CupDistanceMap::Unreachable) {
                break;
            }
            const bool close = std::any_of(next.begin(), next.end(), [&](const Node& n) {
                return pmath::hypot(n.x - c.putt.toX, n.y - c.putt.toY) < 0.75;
            });
            if (close) {
                continue;
            }
            Node node{c.putt.toX, c.putt.toY, c.score, beam[c.node].putts};
            node.putts.push_back(c.putt);
            next.push_back(std::move(node));
        }
        return next;
    }

    void keepBest(const std::vector<Node>& beam, std::vector<LineResult>& found, Node& best) const {
        std::vector<Candidate> candidates;
        for (LineResult& r : found) {
            candidates.insert(candidates.end(), r.candidates.begin(), r.candidates.end());
        }
        for (const Node& node : nextBeam(beam, candidates)) {
            if (node.score < best.score) {
                best = node;
            }
        }
    }

    const PuttSimulator& sim_;
    const CupDistanceMap& map_;
    const SolverOptions options_;
    std::optional<Clock::time_point> deadline_;
    int threads_ = 1;
    bool holed_ = false;
    bool timedOut_ = false;
    std::vector<SolvedPutt> holedPutts_;
    std::int64_t putts_ = 0;
    std::int64_t subSteps_ = 0;
};

}  // namespace

PuttSolver::PuttSolver(const Level& level) : level_(level), sim_(level), map_(level) {}

SolverResult PuttSolver::solveFrom(double x, double y, const SolverOptions& options) const {
    return Search(sim_, map_, options).run(x, y);
}

std::optional<SolvedPutt> PuttSolver::straightPutt(double x, double y, int forgiveness) const {
    double best = -1.0;
    double heading = 0.0;
    for (std::int32_t r = 0; r < level_.height(); ++r) {
        for (std::int32_t c = 0; c < level_.width(); ++c) {
            if (!level_.block(c, r).holds(Cup)) {
                continue;
            }
            const double distance = pmath::hypot(c + 0.5 - x, r + 0.5 - y);
            if (best < 0.0 || distance < best) {
                best = distance;
                heading = pmath::atan2(r + 0.5 - y, c + 0.5 - x);
            }
        }
    }
    if (best < 0.0) {
        return std::nullopt;
    }
    const auto found = Search(sim_, map_, {.threads = 1}).along(x, y, heading);
    if (!found || found->second < forgiveness) {
        return std::nullopt;
    }
    return found->first;
}

}  // namespace trundlex
