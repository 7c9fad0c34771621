#pragma once

#include <cmath>

// Sine, cosine and arc tangent that give the same bits on every compiler, C library and
// processor: they are built only from IEEE additions, subtractions, multiplications, divisions
// and exact bit operations, each evaluated in an order the language fixes, so nothing depends
// on how a C library or a compiler rounds its own versions. Every result is within one unit in
// the last place of the true value, for every finite argument.
namespace trundlex::pmath {

struct SinCos {
    double sin = 0.0;
    double cos = 1.0;
};

// NaN gives NaN; an infinity gives NaN; sin keeps the sign of a zero.
double sin(double x);
double cos(double x);
// Both at once, for the price of one argument reduction; the same bits as sin and cos.
SinCos sincos(double x);

// The angle of (x, y) in [-pi, pi], with the C conventions for zeros and infinities:
// the sign of y carries over to the result, atan2(+-0, -0) = +-pi, atan2(+-0, +0) = +-0,
// atan2(+-inf, -inf) = +-3pi/4, atan2(+-inf, +inf) = +-pi/4; a NaN in either gives NaN.
double atan2(double y, double x);
// x to the power y for x >= 0 (a negative x or a NaN gives NaN), within one and a half ulps
// of the true value wherever the result is a normal number. pow(x, 0) = pow(1, y) = 1; a zero
// or infinite x or y gives 0 or an infinity as the limit says.
double pow(double x, double y);
// The length of (x, y): the exactly rounded square root of x*x + y*y, the same everywhere; for
// the lengths of a level, which are far from overflowing.
inline double hypot(double x, double y) {
    return std::sqrt(x * x + y * y);
}

}  // namespace trundlex::pmath
