#pragma once

#include <cstdint>
#include <random>

namespace trundlex {

// How far off a putt goes when a hand plays it. All spreads are one standard deviation.
//
// The figures of person() come from what the game's own controls allow:
// - Aim: the player points the mouse at a line they judge by eye; 1.5 degrees covers that
//   judgement (pointing itself is finer: one pixel at 40 pixels a block is under half a degree
//   at two blocks).
// - Tremble: while the button is held, every 10 ms tick moves the aim by (q^2/2)(pi/20)(F/80)^2
//   radians either way (q uniform, no move one tick in 20). Summed over the ticks the meter
//   needs to reach force F, that random walk has a spread of 0.09 degrees at F = 10, 0.46 at
//   20, 2.3 at 40 and 10.9 at full force, which tremble * (F/80)^2.3 follows within 20 %.
// - Speed: the meter grows by 0.1 F^0.4 a tick, a relative 0.1 F^-0.6. A release that is off
//   by timing ticks (15 ms: watching a bar and letting go when it looks right) costs
//   timing * 0.1 F^-0.6; judging the distance costs 5 % on top. Together about 6 % for the
//   usual putts of 5 to 30 (8 % for short taps, 5 % for long drives).
struct HandSpread {
    double aimDegrees = 1.5;
    double trembleDegrees = 10.9;  // at full force
    double judgement = 0.05;       // relative speed
    double timingTicks = 1.5;

    // The hand the par is worked out for: an attentive person.
    static HandSpread person() { return {}; }
    // Every figure times factor: a steadier (< 1) or shakier (> 1) hand.
    HandSpread scaled(double factor) const {
        return {aimDegrees * factor, trembleDegrees * factor, judgement * factor,
                timingTicks * factor};
    }

    // The spread of the heading (radians) and of the relative speed error of a putt of this
    // speed.
    double headingSigma(double speed) const;
    double speedSigma(double speed) const;
};

// Plays putts as a hand with the given spread would: each putt off by independent normal
// errors in heading and speed. The same seed gives the same putts on every computer: the
// draws come straight from the Mersenne Twister's bits and the normal is made from them by
// plain arithmetic (no library distribution, whose output differs between standard libraries).
class HumanHand {
public:
    HumanHand(const HandSpread& spread, std::uint32_t seed) : spread_(spread), engine_(seed) {}

    struct Putt {
        double speed = 0.0;
        double heading = 0.0;
    };
    // The putt as played when (speed, heading) was meant; the speed stays within what a
    // player can putt.
    Putt play(double speed, double heading);

    // A standard normal draw: the sum of twelve uniform draws less six (mean 0, spread 1,
    // never beyond 6).
    double normal();

private:
    HandSpread spread_;
    std::mt19937 engine_;
};

}  // namespace trundlex
