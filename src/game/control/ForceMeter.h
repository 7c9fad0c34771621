#pragma once

namespace trundlex {

class RandomSource;

// How the putt force builds up while the mouse button is held, one tick every 10 ms, and
// how the aim trembles more the harder the player pushes.
namespace forcemeter {

inline constexpr double MaxForce = 80.0;
// A putt this weak or weaker is no putt: the player aims again.
inline constexpr double MinimumPutt = 0.3;
inline constexpr int TickMilliseconds = 10;

// The force after one more tick: grows slowly at first, faster later, at most MaxForce.
// From 0 it passes MinimumPutt at the 9th tick and reaches MaxForce at the 231st.
double next(double force);

// The aim after one tick's tremble at this force. Draws three numbers: whether to tremble at
// all (not when the first is divisible by 20), how much (the second) and which way (the
// third's parity).
double tremble(double aim, double force, RandomSource& random);

}  // namespace forcemeter
}  // namespace trundlex
