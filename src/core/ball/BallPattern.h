#pragma once

#include <array>

namespace trundlex {

struct SurfacePoint {
    double x;
    double y;
    double z;
};

// The dots on a ball's surface that show it rolling: 192 points on a sphere, laid out as one
// of six spirals (patterns 0-5) or sets of circles (6 and above; 8 is the plain ball, whose
// points exist but are never drawn). The points turn with the roll angles each time the ball
// is drawn.
class BallPattern {
public:
    static constexpr int PointCount = 192;

    // Lays the points out for `pattern` on a sphere of `radius`.
    void build(int pattern, double radius);
    // Turns every point by the rotation of roll angles (a, b).
    void rotate(double a, double b);
    const std::array<SurfacePoint, PointCount>& points() const { return points_; }

private:
    std::array<SurfacePoint, PointCount> points_{};
};

// The rotation R(a, b, c) applied to a point.
SurfacePoint rotated(const SurfacePoint& p, double a, double b, double c);

}  // namespace trundlex
