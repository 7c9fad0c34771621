// What the level does to the ball in one sub-step: the cup, the walls, hazards, slopes and
// friction. The order of operations and every constant here decide where a putt ends, and
// all computers of a network game must reach the same place to the last bit: change nothing
// without changing it everywhere.
//
// The sub-step exists once, as a template over the probing: Probe<false> asks the level at
// every probe point, Probe<true> first asks the OpenCells map whether a probe could find a
// wall or the cup at all, and reads the material under the ball once instead of once per
// property. Both run the same arithmetic in the same order.
#include "BallPhysics.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>

#include "BallTrig.h"
#include "BallTypes.h"
#include "level/Level.h"
#include "util/PortableMath.h"

namespace trundlex {

namespace {

using balltrig::kPi;
using balltrig::RayAngles;
using balltrig::rayAngles;
using balltrig::cupRays;
using balltrig::trig;
using balltrig::TrigMemo;
using balltrig::Turn;

// A ball at rest is one whose speed stayed at or below this for more than kRestCount
// sub-steps in a row.
constexpr double kRestSpeed = 0.47;
constexpr std::int32_t kRestCount = (SubStepsPerTimeUnit * 3) / 3;
constexpr std::int32_t kMaxSubSteps = SubStepsPerTimeUnit * MaxRollTimeUnits;

// Whether a direction lies in one of the sectors.
bool inAnySector(double angle, const OpenCells::Sector* sectors, int count) {
    for (int i = 0; i < count; ++i) {
        double t = angle - sectors[i].from;
        t -= 2 * kPi * std::floor(t / (2 * kPi));
        if (t <= sectors[i].width) {
            return true;
        }
    }
    return false;
}

// The rays that may point into one of the sectors (a ray more on each side of every sector
// against rounding; inAnySector still decides), as runs of ray numbers in increasing order
// that do not overlap, so that the other rays cost nothing. With sectorCount < 0 every ray is
// looked at anyway.
struct RayRuns {
    struct Run {
        int lo;
        int hi;
    };
    std::array<Run, OpenCells::MaxSectors * 3> run{};
    int count = 0;
};

void markRays(double heading, const OpenCells::Sector* sectors, int sectorCount, RayRuns& runs) {
    const RayAngles& rays = rayAngles();
    runs.count = 0;
    if (sectorCount < 0) {
        runs.run[0] = {0, rays.count - 1};
        runs.count = 1;
        return;
    }
    const double step = kPi / 200;
    for (int k = 0; k < sectorCount; ++k) {
        const double from = std::remainder(sectors[k].from - heading, 2 * kPi);
        for (const double turn : {-2 * kPi, 0.0, 2 * kPi}) {
            const double first = std::floor((from + turn + kPi / 2) / step) - 1;
            const double last = std::ceil((from + turn + sectors[k].width + kPi / 2) / step) + 1;
            if (!(last >= 0.0 && first < rays.count)) {
                continue;
            }
            const int lo = static_cast<int>(std::max(first, 0.0));
            const int hi = static_cast<int>(std::min<double>(last, rays.count - 1));
            // Kept sorted by their first ray as they come.
            int at = runs.count++;
            for (; at > 0 && runs.run[static_cast<std::size_t>(at - 1)].lo > lo; --at) {
                runs.run[static_cast<std::size_t>(at)] = runs.run[static_cast<std::size_t>(at - 1)];
            }
            runs.run[static_cast<std::size_t>(at)] = {lo, hi};
        }
    }
}

template <bool Fast>
class Stepper {
public:
    Stepper(BallMotion& m, const Level& level, const OpenCells* open, BallSounds* sounds)
        : m_(m), level_(level), open_(open), sounds_(sounds), trig_(trig()) {}

    // Returns the roll angles of this sub-step through rollA/rollB.
    void subStep(double& rollA, double& rollB) {
        const double dt = 1.0 / SubStepsPerTimeUnit;
        ++m_.subSteps;

        // The probes reach at most a radius from the centre; below one block they stay
        // within the neighbours of the centre's cell. Along a wall the cup probes are still
        // skipped when no cup is near, and around the cup the wall rays when no wall is.
        const bool small = Fast && m_.radius < 0.99;
        const bool clear = small && open_->isOpenAt(m_.x, m_.y);
        cupInteraction(clear || (small && open_->isCupFreeAt(m_.x, m_.y)));
        wallCollision(clear);

        const Turn& turn = trig_.ofHeading(m_.heading);
        const double vx = m_.speed * turn.cos;
        const double vy = m_.speed * turn.sin;
        if (m_.sinking) {
            m_.radius = m_.radius - 2 * dt;
            if (m_.radius < 0) {
                m_.rolling = false;
                return;
            }
        } else {
            m_.x = m_.x + vx * dt;
            m_.y = m_.y + vy * dt;
        }

        rollA = rollA - (vx * dt) / m_.radius;
        rollB = rollB - (vy * dt) / m_.radius;

        if constexpr (Fast) {
            const Material* ground = level_.materialAt(m_.x, m_.y);
            if (ground == nullptr || ground->kind() == Water) {
                backToStart();
                return;
            }
            groundResponse(vx, vy, ground->friction(), ground->slopeX(), ground->slopeY());
        } else {
            if (level_.materialKindAt(m_.x, m_.y) == Water || !level_.containsPoint(m_.x, m_.y)) {
                backToStart();
                return;
            }
            groundResponse(vx, vy, level_.frictionAt(m_.x, m_.y), level_.slopeXAt(m_.x, m_.y),
                           level_.slopeYAt(m_.x, m_.y));
        }
    }

private:
    void sound(std::string_view file, bool mutedInNextPosition) {
        if (sounds_ != nullptr) {
            sounds_->sound(file, mutedInNextPosition);
        }
    }

    // Water, or over the edge: back to where this putt began.
    void backToStart() {
        // Asked only here, after the step that lost the ball, so no putt computes anything new.
        m_.loss = level_.containsPoint(m_.x, m_.y) ? BallLoss::Water : BallLoss::OutOfBounds;
        m_.x = m_.startX;
        m_.y = m_.startY;
        m_.rolling = false;
        sound(SoundWater, false);
    }

    void cupInteraction(bool clear) {
        const double x = m_.x;
        const double y = m_.y;
        const double k = 0.58 * m_.radius;
        const double pull = 60.0 / SubStepsPerTimeUnit;
        const std::int32_t pullLimit = SubStepsPerTimeUnit / 5;
        const std::int32_t dropLimit = SubStepsPerTimeUnit * 6 / 100;
        constexpr double fastSpeed = 2.0;

        bool overCup = false;
        if (!m_.sinking && !clear) {
            overCup =
                level_.materialKindAt(x, y) == Cup || level_.materialKindAt(x + k, y + k) == Cup ||
                level_.materialKindAt(x + k, y - k) == Cup ||
                level_.materialKindAt(x - k, y + k) == Cup ||
                level_.materialKindAt(x - k, y - k) == Cup;
        }

        if (overCup) {
            m_.touchedCup = true;
            bool any = false;
            bool all = true;
            double sumX = 0.0;
            double sumY = 0.0;
            for (const Turn& ray : cupRays().ray) {
                const double c = ray.cos;
                const double s = ray.sin;
                if (level_.materialKindAt(x + k * c, y + k * s) == Cup) {
                    any = true;
                    sumX += c;
                    sumY += s;
                } else {
                    all = false;
                }
            }
            if (any) {
                const double dir = pmath::atan2(sumY, sumX);
                ++m_.cupCount;
                if (m_.speed >= fastSpeed && m_.cupCount < pullLimit) {
                    const double vx = m_.speed * pmath::cos(m_.heading) + pull * pmath::cos(dir);
                    const double vy = m_.speed * pmath::sin(m_.heading) + pull * pmath::sin(dir);
                    m_.heading = pmath::atan2(vy, vx);
                    m_.speed = std::sqrt(vx * vx + vy * vy);
                } else {
                    m_.heading = dir;
                    m_.speed = m_.speed + pull;
                }
            }
            if (all && (m_.speed < fastSpeed || m_.cupCount >= dropLimit)) {
                m_.sinking = true;
                sound(SoundInCup, false);
            }
            return;
        }

        // Not over the cup (or sinking): a ball that passed over it loses all it gained there.
        if (m_.cupCount > 0) {
            m_.speed = m_.speed - m_.cupCount * pull;
            m_.cupCount = 0;
        }
        if (m_.touchedCup && !m_.sinking) {
            sound(SoundCrowd, true);
            m_.touchedCup = false;
        }
    }

    void wallCollision(bool clear) {
        if (clear) {
            m_.wallContact = false;
            return;
        }
        const double x = m_.x;
        const double y = m_.y;
        const double r = m_.radius;
        const double h = m_.heading;

        // Where a ray's end could meet a wall at all; the other rays cannot find one and are
        // skipped (the fast path only).
        OpenCells::Sector sectors[OpenCells::MaxSectors];
        int sectorCount = -1;
        if constexpr (Fast) {
            sectorCount = open_->wallSectors(x, y, r, sectors);
        }
        const RayAngles& rays = rayAngles();
        RayRuns runs;
        markRays(h, sectors, sectorCount, runs);

        double best = 100.0;
        double bestAngle = -10.0;
        double loss = 0.0;
        // Rays across the front half of the ball, relative to its heading, in the order of
        // their angles (the nearest wall point first found wins, and the loss is the last
        // one met).
        const auto probe = [&](int i) {
            if (sectorCount >= 0 && !inAnySector(rays.angle[i] + h, sectors, sectorCount)) {
                return;
            }
            const double a = rays.angle[i];
            const Turn& turn = trig_.ofRay(i, h);
            const double c = turn.cos;
            const double s = turn.sin;
            if (!level_.isWallAt(x + r * c, y + r * s)) {
                return;
            }
            const double glance = rays.glance[i];
            double lo = 0.0;
            double hi = r;
            for (int step = 0; step < 20 && lo < best; ++step) {
                const double mid = (lo + hi) / 2;
                const double px = x + mid * c;
                const double py = y + mid * s;
                if (level_.isWallAt(px, py)) {
                    hi = mid;
                    loss = glance * level_.bounceLossAt(px, py);
                } else {
                    lo = mid;
                }
            }
            const double depth = (hi + lo) / 2;
            if (depth < best) {
                best = depth;
                bestAngle = a;
            }
        };
        int next = 0;  // rays before this one were looked at already
        for (int k = 0; k < runs.count; ++k) {
            const RayRuns::Run& run = runs.run[static_cast<std::size_t>(k)];
            for (int i = std::max(run.lo, next); i <= run.hi; ++i) {
                probe(i);
            }
            next = std::max(next, run.hi + 1);
        }

        if (best < 100.0) {
            // Mirror the direction of motion at the nearest wall point.
            m_.heading = m_.heading + 2 * bestAngle - kPi;
            if (!m_.wallContact) {
                m_.speed = m_.speed * (1 - loss);
                sound(SoundHitWall, true);
            }
            m_.wallContact = true;
        } else {
            m_.wallContact = false;
        }
    }

    // motionX and motionY: the speed times the cosine and sine of the heading, which the
    // sub-step has already worked out (heading and speed have not changed since).
    void groundResponse(double motionX, double motionY, double friction, double slopeX,
                        double slopeY) {
        const double dt = 1.0 / SubStepsPerTimeUnit;
        const double f = friction * dt;
        const double vx = motionX + slopeX * dt;
        const double vy = motionY + slopeY * dt;
        m_.heading = pmath::atan2(vy, vx);
        m_.speed = std::sqrt(vx * vx + vy * vy);
        m_.speed = m_.speed * (1 - f);
    }

    BallMotion& m_;
    const Level& level_;
    const OpenCells* open_;
    BallSounds* sounds_;
    TrigMemo& trig_;
};

template <bool Fast>
void run(BallMotion& m, const Level& level, const OpenCells* open, std::int32_t count,
         const std::atomic<bool>* stop, BallSounds* sounds, double* rollA, double* rollB) {
    Stepper<Fast> stepper(m, level, open, sounds);
    double a = 0.0;
    double b = 0.0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!m.rolling || (stop != nullptr && stop->load(std::memory_order_relaxed))) {
            break;
        }
        stepper.subStep(a, b);
        if (!m.sinking) {
            if (m.speed <= kRestSpeed) {
                if (m.slowCount > kRestCount) {
                    m.rolling = false;
                } else {
                    ++m.slowCount;
                }
            } else {
                m.slowCount = 0;
            }
            if (m.subSteps >= kMaxSubSteps) {
                m.rolling = false;
            }
        }
    }
    if (rollA != nullptr) {
        *rollA += a;
    }
    if (rollB != nullptr) {
        *rollB += b;
    }
}

}  // namespace

void BallMotion::begin(double newSpeed, double newHeading) {
    startX = x;
    startY = y;
    cupCount = 0;
    subSteps = 0;
    heading = newHeading;
    speed = newSpeed;
    wallContact = false;
    loss = BallLoss::None;
    rolling = true;
}

OpenCells::OpenCells(const Level& level)
    : width_(level.width()),
      height_(level.height()),
      open_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0),
      cupFree_(open_.size(), 0),
      wallFree_(open_.size(), 0) {
    // First the cells that hold neither a wall nor the cup, then those whose whole
    // neighbourhood is such.
    std::vector<unsigned char> harmless(open_.size(), 0);
    std::vector<unsigned char> noCup(open_.size(), 0);
    for (std::int32_t r = 0; r < height_; ++r) {
        for (std::int32_t c = 0; c < width_; ++c) {
            const Block& block = level.block(c, r);
            const std::size_t i = static_cast<std::size_t>(r) * width_ + c;
            wallFree_[i] = !block.front().isWall() && !block.back().isWall() ? 1 : 0;
            noCup[i] = block.front().kind() != Cup && block.back().kind() != Cup ? 1 : 0;
            harmless[i] = wallFree_[i] != 0 && noCup[i] != 0 ? 1 : 0;
        }
    }
    const auto wholeNeighbourhood = [this](const std::vector<unsigned char>& cells,
                                           std::int32_t c, std::int32_t r) {
        for (std::int32_t dr = -1; dr <= 1; ++dr) {
            for (std::int32_t dc = -1; dc <= 1; ++dc) {
                if (cells[static_cast<std::size_t>(r + dr) * width_ + (c + dc)] == 0) {
                    return false;
                }
            }
        }
        return true;
    };
    for (std::int32_t r = 1; r + 1 < height_; ++r) {
        for (std::int32_t c = 1; c + 1 < width_; ++c) {
            const std::size_t i = static_cast<std::size_t>(r) * width_ + c;
            open_[i] = wholeNeighbourhood(harmless, c, r) ? 1 : 0;
            cupFree_[i] = wholeNeighbourhood(noCup, c, r) ? 1 : 0;
        }
    }
}

bool OpenCells::isOpenAt(double x, double y) const {
    // Compared as doubles first: converting NaN or a huge value to an integer is undefined.
    if (!(x >= 0.0 && y >= 0.0 && x < width_ && y < height_)) {
        return false;
    }
    const auto c = static_cast<std::int32_t>(x);
    const auto r = static_cast<std::int32_t>(y);
    return open_[static_cast<std::size_t>(r) * width_ + c] != 0;
}

bool OpenCells::isCupFreeAt(double x, double y) const {
    if (!(x >= 0.0 && y >= 0.0 && x < width_ && y < height_)) {
        return false;
    }
    const auto c = static_cast<std::int32_t>(x);
    const auto r = static_cast<std::int32_t>(y);
    return cupFree_[static_cast<std::size_t>(r) * width_ + c] != 0;
}

int OpenCells::wallSectors(double x, double y, double r, Sector* sectors) const {
    if (!(x >= 0.0 && y >= 0.0 && x < width_ && y < height_) || !(r >= 0.0 && r < 0.99)) {
        return -1;
    }
    const auto column = static_cast<std::int32_t>(x);
    const auto row = static_cast<std::int32_t>(y);
    if (!wallFree(column, row)) {
        return -1;
    }
    // Far more than the rounding of a ray's end point (about 1e-16), far less than the step
    // between two rays.
    constexpr double margin = 1e-7;
    const double reach = r + margin;
    int count = 0;
    for (std::int32_t dr = -1; dr <= 1; ++dr) {
        for (std::int32_t dc = -1; dc <= 1; ++dc) {
            const std::int32_t c = column + dc;
            const std::int32_t rr = row + dr;
            if ((dc == 0 && dr == 0) || wallFree(c, rr)) {
                continue;
            }
            const double left = c;
            const double top = rr;
            const double dx = std::max({left - x, 0.0, x - (left + 1.0)});
            const double dy = std::max({top - y, 0.0, y - (top + 1.0)});
            if (dx * dx + dy * dy > reach * reach) {
                continue;  // out of reach
            }
            if (dx <= margin && dy <= margin) {
                return -1;  // the cell touches the point: it may lie in any direction
            }
            // The square seen from the point spans less than a half turn: its corners'
            // directions, measured from the first corner's.
            const double corners[4][2] = {
                {left, top}, {left + 1.0, top}, {left, top + 1.0}, {left + 1.0, top + 1.0}};
            const double base = pmath::atan2(corners[0][1] - y, corners[0][0] - x);
            double low = 0.0;
            double high = 0.0;
            for (int k = 1; k < 4; ++k) {
                const double d = std::remainder(
                    pmath::atan2(corners[k][1] - y, corners[k][0] - x) - base, 2 * kPi);
                low = std::min(low, d);
                high = std::max(high, d);
            }
            sectors[count++] = {base + low - margin, high - low + 2 * margin};
        }
    }
    return count;
}

void runSubSteps(BallMotion& motion, const Level& level, const OpenCells* open, std::int32_t count,
                 const std::atomic<bool>* stop, BallSounds* sounds, double* rollA, double* rollB) {
    if (open != nullptr) {
        run<true>(motion, level, open, count, stop, sounds, rollA, rollB);
    } else {
        run<false>(motion, level, open, count, stop, sounds, rollA, rollB);
    }
}

}  // namespace trundlex
