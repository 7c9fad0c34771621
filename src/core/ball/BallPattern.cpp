#include "BallPattern.h"

#include <cmath>

namespace trundlex {

SurfacePoint rotated(const SurfacePoint& p, double a, double b, double c) {
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    const double cb = std::cos(b);
    const double sb = std::sin(b);
    const double cc = std::cos(c);
    const double sc = std::sin(c);
    const double m00 = cc * ca;
    const double m01 = -sc * cb - cc * sa * sb;
    const double m02 = sc * sb - cc * sa * cb;
    const double m10 = sc * ca;
    const double m11 = cc * cb - sc * sa * sb;
    const double m12 = -cc * sb - sc * sa * cb;
    const double m20 = sa;
    const double m21 = ca * sb;
    const double m22 = ca * cb;
    return {m00 * p.x + m01 * p.y + m02 * p.z, m10 * p.x + m11 * p.y + m12 * p.z,
            m20 * p.x + m21 * p.y + m22 * p.z};
}

void BallPattern::build(int pattern, double radius) {
    const double pi = std::acos(-1.0);
    const SurfacePoint origin{radius, 0.0, 0.0};
    const double step = 2 * pi / 64;
    if (pattern >= 0 && pattern <= 5) {
        for (int i = 0; i < PointCount; ++i) {
            const double t = i * step;
            double a = 0.0;
            double b = 0.0;
            double c = 0.0;
            switch (pattern) {
                case 0:
                    a = t / 2 / 1.5;
                    b = t / 2 / 1.5;
                    c = t / 1.5;
                    break;
                case 1:
                    a = 2 * t / 3;
                    b = t / 3;
                    c = t / 3;
                    break;
                case 2:
                    a = t / 2 / 1.5;
                    b = 2 * t / 1.5;
                    c = 2 * t / 1.5;
                    break;
                case 3:
                    a = t;
                    b = t / 2;
                    c = t / 3;
                    break;
                case 4:
                    a = 3 * t / 2;
                    b = 3 * t / 4;
                    c = 3 * t / 8;
                    break;
                default:
                    a = t;
                    b = t / 3;
                    c = 2 * t / 3;
                    break;
            }
            points_[static_cast<std::size_t>(i)] = rotated(origin, a, b, c);
        }
        return;
    }
    for (int i = 0; i < 64; ++i) {
        const double t = i * step;
        const auto index = static_cast<std::size_t>(i);
        points_[index] = rotated(origin, t, 0.0, 0.0);        // circle in the x-z plane
        points_[64 + index] = rotated(origin, 0.0, 0.0, t);   // circle in the x-y plane
        points_[128 + index] = pattern == 6 ? rotated(origin, t, 0.0, pi / 2)  // y-z plane
                                            : rotated(origin, t, 0.0, t);      // twisted loop
    }
}

void BallPattern::rotate(double a, double b) {
    for (SurfacePoint& p : points_) {
        p = rotated(p, a, b, 0.0);
    }
}

}  // namespace trundlex
