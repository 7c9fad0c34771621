#pragma once

// The cosines and sines the ball's sub-step needs, each worked out once where the same angle
// comes again: the fixed directions of the wall and cup probes, and the last headings. Only
// the sub-step (BallPhysics.cpp) uses this.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

#include "util/BitCast.h"
#include "util/PortableMath.h"

namespace trundlex::balltrig {

inline constexpr double kPi = std::numbers::pi;

// The directions of the wall rays relative to the heading, from -pi/2 to pi/2, worked out
// once by the same repeated addition the rays have always been stepped with.
// With each, the share of the speed a wall at that angle takes (the sine of a quarter turn
// more), which only the angle decides.
struct RayAngles {
    static constexpr int Count = 202;
    std::array<double, Count> angle{};
    std::array<double, Count> glance{};
    int count = 0;
    RayAngles() {
        for (double a = -kPi / 2; a <= kPi / 2 && count < Count; a += kPi / 200) {
            glance[static_cast<std::size_t>(count)] = pmath::sin(kPi / 2 + a);
            angle[static_cast<std::size_t>(count++)] = a;
        }
    }
};

inline const RayAngles& rayAngles() {
    static const RayAngles angles;
    return angles;
}

// The cosine and sine of an angle.
struct Turn {
    double cos = 1.0;
    double sin = 0.0;
    static Turn of(double angle) {
        const pmath::SinCos t = pmath::sincos(angle);
        return {t.cos, t.sin};
    }
};

// The directions in which the cup is felt around the ball, a fifteenth of a half turn apart,
// stepped from a half turn down by the same repeated subtraction as ever.
struct CupRays {
    std::vector<Turn> ray;
    CupRays() {
        for (double a = kPi; a >= -kPi; a -= kPi / 15) {
            ray.push_back(Turn::of(a));
        }
    }
};

inline const CupRays& cupRays() {
    static const CupRays rays;
    return rays;
}

// Cosines and sines a ball on this thread asked for last. On even ground the heading keeps
// the same bits for many sub-steps, and so do the wall rays' directions along a wall: the same
// bits give the same values, so nothing a ball does changes. Bits, not ==, because -0.0 and
// 0.0 have sines of different sign. Every entry holds a true value from the start (of heading
// 0), so a look-up is right whatever the ball before asked.
class TrigMemo {
public:
    TrigMemo() {
        headings_.fill({0, Turn::of(0.0)});
        const RayAngles& rays = rayAngles();
        for (std::size_t i = 0; i < RayAngles::Count; ++i) {
            rays_[i] = {0, Turn::of(rays.angle[i] + 0.0)};
        }
    }

    const Turn& ofHeading(double heading) {
        const auto bits = bitCast<std::uint64_t>(heading);
        for (const Kept& kept : headings_) {
            if (kept.heading == bits) {
                return kept.turn;
            }
        }
        Kept& slot = headings_[next_];
        next_ ^= 1;
        slot = {bits, Turn::of(heading)};
        return slot.turn;
    }

    // The direction of ray i for a ball heading that way.
    const Turn& ofRay(int i, double heading) {
        Kept& slot = rays_[static_cast<std::size_t>(i)];
        const auto bits = bitCast<std::uint64_t>(heading);
        if (slot.heading != bits) {
            slot = {bits, Turn::of(rayAngles().angle[static_cast<std::size_t>(i)] + heading)};
        }
        return slot.turn;
    }

private:
    // A turn worked out for the heading with these bits (0.0 at first).
    struct Kept {
        std::uint64_t heading = 0;
        Turn turn;
    };
    std::array<Kept, 2> headings_{};
    std::size_t next_ = 0;
    std::array<Kept, RayAngles::Count> rays_{};
};

inline TrigMemo& trig() {
    thread_local TrigMemo memo;
    return memo;
}

}  // namespace trundlex::balltrig
