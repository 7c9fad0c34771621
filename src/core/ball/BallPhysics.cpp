// What the level does to the ball in one sub-step: the cup, the walls, hazards, slopes and
// friction. The order of operations and every constant here decide where a putt ends, and
// all computers of a network game must reach the same place to the last bit: change nothing
// without changing it everywhere.
#include <cmath>

#include "Ball.h"
#include "level/Level.h"

namespace trundlex {

namespace {

const double kPi = std::acos(-1.0);

}  // namespace

void Ball::subStep() {
    const double dt = 1.0 / subStepsPerUnit_;
    const Level& level = *level_;
    ++sim_.subSteps;

    cupInteraction();
    wallCollision();

    const double vx = sim_.speed * std::cos(sim_.heading);
    const double vy = sim_.speed * std::sin(sim_.heading);
    if (sim_.sinking) {
        sim_.radius = sim_.radius - 2 * dt;
        if (sim_.radius < 0) {
            sim_.rolling = false;
            return;
        }
    } else {
        sim_.x = sim_.x + vx * dt;
        sim_.y = sim_.y + vy * dt;
    }

    rollA_.store(rollA_.load(std::memory_order_relaxed) - (vx * dt) / sim_.radius,
                 std::memory_order_relaxed);
    rollB_.store(rollB_.load(std::memory_order_relaxed) - (vy * dt) / sim_.radius,
                 std::memory_order_relaxed);

    if (level.materialKindAt(sim_.x, sim_.y) == Water || !level.containsPoint(sim_.x, sim_.y)) {
        // Water, or over the edge: back to where this putt began.
        sim_.x = sim_.startX;
        sim_.y = sim_.startY;
        sim_.rolling = false;
        playSound(SoundWater, false);
        return;
    }

    groundResponse();
}

void Ball::cupInteraction() {
    const Level& level = *level_;
    const double x = sim_.x;
    const double y = sim_.y;
    const double k = 0.58 * sim_.radius;
    const double pull = 60.0 / subStepsPerUnit_;
    const std::int32_t pullLimit = subStepsPerUnit_ / 5;
    const std::int32_t dropLimit = subStepsPerUnit_ * 6 / 100;
    constexpr double fastSpeed = 2.0;

    bool overCup = false;
    if (!sim_.sinking) {
        overCup = level.materialKindAt(x, y) == Cup || level.materialKindAt(x + k, y + k) == Cup ||
                  level.materialKindAt(x + k, y - k) == Cup ||
                  level.materialKindAt(x - k, y + k) == Cup ||
                  level.materialKindAt(x - k, y - k) == Cup;
    }

    if (overCup) {
        sim_.touchedCup = true;
        bool any = false;
        bool all = true;
        double sumX = 0.0;
        double sumY = 0.0;
        for (double a = kPi; a >= -kPi; a -= kPi / 15) {
            const double c = std::cos(a);
            const double s = std::sin(a);
            if (level.materialKindAt(x + k * c, y + k * s) == Cup) {
                any = true;
                sumX += c;
                sumY += s;
            } else {
                all = false;
            }
        }
        if (any) {
            const double dir = std::atan2(sumY, sumX);
            ++sim_.cupCount;
            if (sim_.speed >= fastSpeed && sim_.cupCount < pullLimit) {
                const double vx = sim_.speed * std::cos(sim_.heading) + pull * std::cos(dir);
                const double vy = sim_.speed * std::sin(sim_.heading) + pull * std::sin(dir);
                sim_.heading = std::atan2(vy, vx);
                sim_.speed = std::sqrt(vx * vx + vy * vy);
            } else {
                sim_.heading = dir;
                sim_.speed = sim_.speed + pull;
            }
        }
        if (all && (sim_.speed < fastSpeed || sim_.cupCount >= dropLimit)) {
            sim_.sinking = true;
            playSound(SoundInCup, false);
        }
        return;
    }

    // Not over the cup (or sinking): a ball that passed over it loses all it gained there.
    if (sim_.cupCount > 0) {
        sim_.speed = sim_.speed - sim_.cupCount * pull;
        sim_.cupCount = 0;
    }
    if (sim_.touchedCup && !sim_.sinking) {
        playSound(SoundCrowd, true);
        sim_.touchedCup = false;
    }
}

void Ball::wallCollision() {
    const Level& level = *level_;
    const double x = sim_.x;
    const double y = sim_.y;
    const double r = sim_.radius;
    const double h = sim_.heading;

    double best = 100.0;
    double bestAngle = -10.0;
    double loss = 0.0;
    // Rays across the front half of the ball, relative to its heading.
    for (double a = -kPi / 2; a <= kPi / 2; a += kPi / 200) {
        const double c = std::cos(a + h);
        const double s = std::sin(a + h);
        if (!level.isWallAt(x + r * c, y + r * s)) {
            continue;
        }
        double lo = 0.0;
        double hi = r;
        for (int i = 0; i < 20 && lo < best; ++i) {
            const double mid = (lo + hi) / 2;
            const double px = x + mid * c;
            const double py = y + mid * s;
            if (level.isWallAt(px, py)) {
                hi = mid;
                loss = std::sin(kPi / 2 + a) * level.bounceLossAt(px, py);
            } else {
                lo = mid;
            }
        }
        const double depth = (hi + lo) / 2;
        if (depth < best) {
            best = depth;
            bestAngle = a;
        }
    }

    if (best < 100.0) {
        // Mirror the direction of motion at the nearest wall point.
        sim_.heading = sim_.heading + 2 * bestAngle - kPi;
        if (!sim_.wallContact) {
            sim_.speed = sim_.speed * (1 - loss);
            playSound(SoundHitWall, true);
        }
        sim_.wallContact = true;
    } else {
        sim_.wallContact = false;
    }
}

void Ball::groundResponse() {
    const Level& level = *level_;
    const double dt = 1.0 / subStepsPerUnit_;
    const double f = level.frictionAt(sim_.x, sim_.y) * dt;
    const double vx = sim_.speed * std::cos(sim_.heading) + level.slopeXAt(sim_.x, sim_.y) * dt;
    const double vy = sim_.speed * std::sin(sim_.heading) + level.slopeYAt(sim_.x, sim_.y) * dt;
    sim_.heading = std::atan2(vy, vx);
    sim_.speed = std::sqrt(vx * vx + vy * vy);
    sim_.speed = sim_.speed * (1 - f);
}

}  // namespace trundlex
