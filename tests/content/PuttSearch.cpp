// The putt search that proves a level playable.
//
// The search plays the level with the ball simulation itself (Ball::PuttNow on the calling
// thread) and knows nothing of the physics beyond one rule of thumb; every putt it reports
// was simulated, and a level counts as playable only when a simulated putt ends with the ball
// sinking into the cup.
//
// 1. A distance map (CupDistanceMap) tells, for every point, how far the ball still has to roll
//    to the cup around walls and water: a shortest-path search over a grid of quarter blocks,
//    from the cup cells outwards, through cells where the ball's centre can be.
// 2. Stroke by stroke, the search keeps a beam of the few most promising ball positions
//    (starting with the level's start; 4 by default). From each one it tries headings evenly
//    spread around the circle (64 by default). For each heading it first rolls a probe putt,
//    hard enough to roll well past the cup's distance, and records its path; the
//    point of that path closest to the cup by the distance map is where a softer putt along
//    the same heading should stop. The rule of thumb: on level ground friction takes the same
//    speed off every block rolled, whatever the speed, so a putt that starts slower by the
//    probe's speed at that point comes to rest there. The search putts that speed (plus a
//    little, to roll into the cup) and corrects it twice by the path length the ball really
//    rolled; walls, slopes and sand only make the guess rougher, never the result wrong.
// 3. Around the two best headings of a position it tries headings a half and a quarter step
//    to either side in the same way.
// 4. The end positions of all putts of this stroke are ranked by the distance map; the best
//    few that lie apart from each other form the beam of the next stroke. A putt that ends in
//    water puts the ball back where it was played from (the simulation's rule), so it leads
//    nowhere and is dropped.
// The first putt that sinks ends the search, so the sequence found is also the shortest the
// search can find. Probes roll with the short ticks of Normal mode so that their paths are
// sampled finely and are cut after 25 time units; the putts that count run in Fastest mode.
// Both modes run the same sub-steps, so they end in the same place.
#include "PuttSearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <queue>

#include "ball/Ball.h"

namespace trundlex::testing {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMinSpeed = 0.3;
constexpr double kMaxSpeed = 80.0;
// Friction of grass per block rolled: the speed a putt loses per block of level ground.
constexpr double kGrassFriction = 0.602;
// Speed left over at the target point, so that a putt aimed at the cup rolls in.
constexpr double kArrivalSpeed = 1.0;
// Probe putts are cut after 25 time units of rolling (slopes can keep a ball going).
constexpr std::int32_t kProbeSubSteps = 200 * 25;

// A point of a probe's path.
struct PathPoint {
    double x = 0.0;
    double y = 0.0;
    double speed = 0.0;
    double length = 0.0;  // path length rolled so far
};

// Owns the ball and runs putts on the calling thread, recording the path rolled.
class Putter : public BallOwner {
public:
    explicit Putter(const Level& level) : level_(level) { ball_.SetSoundOn(false); }

    struct Outcome {
        double x = 0.0;
        double y = 0.0;
        bool holed = false;
        // Ended where it was played from: the ball went into water or never moved.
        bool wasted = false;
        double length = 0.0;
    };

    // One putt from (x, y). keepPath records the path (ticks of Normal mode, finely spaced);
    // otherwise the putt runs in Fastest mode. cutAfter > 0 ends the roll after that many
    // sub-steps (probes only).
    Outcome putt(double x, double y, double speed, double heading, bool keepPath,
                 std::int32_t cutAfter) {
        ball_.SetLevel(level_);
        ball_.SetX(x);
        ball_.SetY(y);
        keepPath_ = keepPath;
        cutAfter_ = cutAfter;
        path_.clear();
        lastX_ = x;
        lastY_ = y;
        length_ = 0.0;
        Outcome out;
        if (!ball_.PuttNow(speed, heading, this, keepPath ? Normal : Fastest)) {
            out.x = x;
            out.y = y;
            out.wasted = true;
            return out;
        }
        ++putts;
        subSteps += ball_.GetSubStepCount();
        out.x = ball_.GetX();
        out.y = ball_.GetY();
        out.holed = ball_.IsSinking();
        out.wasted = !out.holed && out.x == x && out.y == y;
        out.length = length_;
        return out;
    }

    const std::vector<PathPoint>& path() const { return path_; }

    void onBallNotification(std::int32_t, BallNotification code) override {
        if (code != BallMoved) {
            return;
        }
        const double x = ball_.GetX();
        const double y = ball_.GetY();
        length_ += std::hypot(x - lastX_, y - lastY_);
        lastX_ = x;
        lastY_ = y;
        if (keepPath_) {
            path_.push_back({x, y, ball_.GetSpeed(), length_});
        }
        if (cutAfter_ > 0 && ball_.GetSubStepCount() >= cutAfter_) {
            ball_.Stop();
        }
    }

    std::int64_t putts = 0;
    std::int64_t subSteps = 0;

private:
    const Level& level_;
    Ball ball_;
    bool keepPath_ = false;
    std::int32_t cutAfter_ = 0;
    std::vector<PathPoint> path_;
    double lastX_ = 0.0;
    double lastY_ = 0.0;
    double length_ = 0.0;
};

// A position of the beam with the putts that led there.
struct Node {
    double x = 0.0;
    double y = 0.0;
    double score = 0.0;
    std::vector<SearchedPutt> putts;
};

// A putt tried from a node: where it ended and how good that is.
struct Candidate {
    SearchedPutt putt;
    double score = 0.0;
    const Node* from = nullptr;
};

class Search {
public:
    Search(const Level& level, const PuttSearchOptions& options)
        : level_(level), options_(options), map_(level), putter_(level) {}

    PuttSearchResult run() {
        PuttSearchResult result;
        std::vector<Node> beam{
            {level_.startX(), level_.startY(), map_.at(level_.startX(), level_.startY()), {}}};
        Node best = beam.front();
        for (int stroke = 1; stroke <= options_.maxStrokes && !beam.empty() && !holed_; ++stroke) {
            std::vector<Candidate> candidates;
            for (const Node& node : beam) {
                tryPosition(node, candidates);
                if (holed_) {
                    break;
                }
            }
            if (holed_) {
                break;
            }
            beam = nextBeam(candidates);
            for (const Node& node : beam) {
                if (node.score < best.score) {
                    best = node;
                }
            }
        }
        result.holed = holed_;
        result.putts = holed_ ? holedPutts_ : best.putts;
        result.simulatedPutts = putter_.putts;
        result.subSteps = putter_.subSteps;
        return result;
    }

private:
    // Every heading from one position, then finer headings around the best ones.
    void tryPosition(const Node& node, std::vector<Candidate>& candidates) {
        const std::size_t first = candidates.size();
        const double step = 2 * kPi / options_.headings;
        for (int i = 0; i < options_.headings && !holed_; ++i) {
            lineSearch(node, i * step, candidates);
        }
        if (holed_) {
            return;
        }
        // The two best headings from this position (by the best end of each), refined.
        std::vector<Candidate> own(candidates.begin() + static_cast<std::ptrdiff_t>(first),
                                   candidates.end());
        std::sort(own.begin(), own.end(),
                  [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
        std::vector<double> refined;
        for (const Candidate& c : own) {
            if (refined.size() >= 2 || c.score == CupDistanceMap::Unreachable) {
                break;
            }
            const bool near = std::any_of(refined.begin(), refined.end(), [&](double h) {
                return std::abs(std::remainder(h - c.putt.heading, 2 * kPi)) < step * 0.75;
            });
            if (near) {
                continue;
            }
            refined.push_back(c.putt.heading);
            for (const double offset : {-0.5, 0.5, -0.25, 0.25}) {
                if (holed_) {
                    return;
                }
                lineSearch(node, c.putt.heading + offset * step, candidates);
            }
        }
    }

    // Putts along one heading at speeds chosen from a probe's path (see the top of the file).
    void lineSearch(const Node& node, double heading, std::vector<Candidate>& candidates) {
        const double probeSpeed = probeSpeedFrom(node);
        const Putter::Outcome probe =
            putter_.putt(node.x, node.y, probeSpeed, heading, true, kProbeSubSteps);
        if (probe.holed) {
            evaluate(node, probeSpeed, heading, candidates);
            return;
        }
        const std::vector<PathPoint>& path = putter_.path();
        if (path.empty()) {
            return;
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
            return;
        }
        const double targetLength = path[target].length;
        const double lost = std::max(probeSpeed - path[target].speed, 0.0);
        // Speed lost per block rolled on the way to the target.
        const double perBlock =
            targetLength > 0.1 ? std::max(lost / targetLength, 0.2) : kGrassFriction;
        double speed = std::clamp(lost + kArrivalSpeed, kMinSpeed, kMaxSpeed);
        for (int attempt = 0; attempt < 3; ++attempt) {
            const Putter::Outcome out = evaluate(node, speed, heading, candidates);
            if (holed_) {
                return;
            }
            const double error = targetLength - out.length;
            if (!out.wasted && std::abs(error) < 0.3) {
                return;
            }
            if (out.wasted && out.length == 0.0) {
                return;
            }
            const double next = std::clamp(speed + perBlock * error, kMinSpeed, kMaxSpeed);
            if (std::abs(next - speed) < 0.05) {
                return;
            }
            speed = next;
        }
    }

    // A putt that counts: run in Fastest mode, ranked, and the end of the search if it sinks.
    Putter::Outcome evaluate(const Node& node, double speed, double heading,
                             std::vector<Candidate>& candidates) {
        const Putter::Outcome out = putter_.putt(node.x, node.y, speed, heading, false, 0);
        SearchedPutt putt{node.x, node.y, speed, heading, out.x, out.y, out.holed};
        if (out.holed) {
            holed_ = true;
            holedPutts_ = node.putts;
            holedPutts_.push_back(putt);
            return out;
        }
        if (!out.wasted) {
            candidates.push_back({putt, map_.at(out.x, out.y), &node});
        }
        return out;
    }

    // Fast enough to roll well past the cup along the way around walls and water.
    double probeSpeedFrom(const Node& node) const {
        const double d = std::isfinite(node.score) ? node.score : level_.width() + level_.height();
        return std::clamp(kGrassFriction * (1.6 * d + 8.0), 8.0, kMaxSpeed);
    }

    // The best end positions that lie apart from each other.
    std::vector<Node> nextBeam(std::vector<Candidate>& candidates) const {
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
        std::vector<Node> beam;
        for (const Candidate& c : candidates) {
            if (static_cast<int>(beam.size()) >= options_.beamWidth ||
                c.score == CupDistanceMap::Unreachable) {
                break;
            }
            const bool close = std::any_of(beam.begin(), beam.end(), [&](const Node& n) {
                return std::hypot(n.x - c.putt.toX, n.y - c.putt.toY) < 0.75;
            });
            if (close) {
                continue;
            }
            Node next{c.putt.toX, c.putt.toY, c.score, c.from->putts};
            next.putts.push_back(c.putt);
            beam.push_back(std::move(next));
        }
        return beam;
    }

    const Level& level_;
    const PuttSearchOptions options_;
    const CupDistanceMap map_;
    Putter putter_;
    bool holed_ = false;
    std::vector<SearchedPutt> holedPutts_;
};

}  // namespace

CupDistanceMap::CupDistanceMap(const Level& level, int cellsPerBlock)
    : cellsPerBlock_(cellsPerBlock),
      width_(level.width() * cellsPerBlock),
      height_(level.height() * cellsPerBlock),
      distance_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Unreachable) {
    const double cell = 1.0 / cellsPerBlock_;
    // A cell is open when the ball's centre may be there: no water under it and no wall
    // within a little less than a ball radius. Cup cells are always open.
    std::vector<char> open(distance_.size(), 0);
    std::vector<char> cup(distance_.size(), 0);
    const double reach = 0.85 * Ball::DefaultRadius;
    for (int cy = 0; cy < height_; ++cy) {
        for (int cx = 0; cx < width_; ++cx) {
            const double x = (cx + 0.5) * cell;
            const double y = (cy + 0.5) * cell;
            const std::int32_t kind = level.materialKindAt(x, y);
            if (kind == Cup) {
                cup[index(cx, cy)] = 1;
                open[index(cx, cy)] = 1;
                continue;
            }
            bool free = kind != Wall && kind != Water;
            for (int k = 0; k < 8 && free; ++k) {
                const double a = k * kPi / 4;
                free = !level.isWallAt(x + reach * std::cos(a), y + reach * std::sin(a));
            }
            open[index(cx, cy)] = free ? 1 : 0;
        }
    }
    // Shortest paths from the cup over open cells, with diagonal steps that cut no corner.
    using Entry = std::pair<double, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (std::size_t i = 0; i < cup.size(); ++i) {
        if (cup[i] != 0) {
            distance_[i] = 0.0;
            queue.push({0.0, i});
        }
    }
    while (!queue.empty()) {
        const auto [d, i] = queue.top();
        queue.pop();
        if (d > distance_[i]) {
            continue;
        }
        const int cx = static_cast<int>(i % static_cast<std::size_t>(width_));
        const int cy = static_cast<int>(i / static_cast<std::size_t>(width_));
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = cx + dx;
                const int ny = cy + dy;
                if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= width_ || ny >= height_ ||
                    open[index(nx, ny)] == 0) {
                    continue;
                }
                if (dx != 0 && dy != 0 &&
                    (open[index(cx + dx, cy)] == 0 || open[index(cx, cy + dy)] == 0)) {
                    continue;
                }
                const double nd = d + cell * ((dx != 0 && dy != 0) ? std::numbers::sqrt2 : 1.0);
                if (nd < distance_[index(nx, ny)]) {
                    distance_[index(nx, ny)] = nd;
                    queue.push({nd, index(nx, ny)});
                }
            }
        }
    }
}

double CupDistanceMap::at(double x, double y) const {
    if (!(x >= 0.0 && y >= 0.0)) {
        return Unreachable;
    }
    const int cx = static_cast<int>(x * cellsPerBlock_);
    const int cy = static_cast<int>(y * cellsPerBlock_);
    if (cx >= width_ || cy >= height_) {
        return Unreachable;
    }
    if (distance_[index(cx, cy)] != Unreachable) {
        return distance_[index(cx, cy)];
    }
    // A ball at rest against a wall: the nearest open cell within two cells, plus the way
    // there.
    double best = Unreachable;
    const double cell = 1.0 / cellsPerBlock_;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int nx = cx + dx;
            const int ny = cy + dy;
            if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_) {
                continue;
            }
            const double d = distance_[index(nx, ny)] + cell * std::hypot(dx, dy);
            best = std::min(best, d);
        }
    }
    return best;
}

PuttSearchResult searchHoleOut(const Level& level, const PuttSearchOptions& options) {
    return Search(level, options).run();
}

}  // namespace trundlex::testing
