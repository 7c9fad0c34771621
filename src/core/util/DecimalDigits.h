#pragma once

#include <string>

namespace trundlex {

// The exact decimal value of a finite double's magnitude, and the rounding that printf's "%f",
// "%e" and "%g" apply to it. Every double is a whole number times a power of two, so its
// decimal expansion ends; holding all of it lets every rounding be done on the exact value,
// ties to even, as C's printf and std::to_chars do, with no help from the standard library
// (whose floating-point std::to_chars some builds lack) and the same on every computer.
class DecimalDigits {
public:
    // The magnitude of `value`; its sign is ignored. `value` must be finite.
    explicit DecimalDigits(double value);

    // Rounds to a whole multiple of 10^place (place -2: hundredths), half to even.
    void roundAt(int place);
    // Rounds to `count` significant digits (at least 1), half to even.
    void roundToSignificant(int count);

    bool isZero() const { return digits_.empty(); }
    // The place of the leading digit: 0 for 1 to 9.99..., -1 for 0.1 to 0.99...; 0 for zero.
    int leadingPlace() const;

    // The value written with `fraction` digits after the point (none and no point for 0),
    // without rounding: call roundAt(-fraction) first. "123.40" for 123.4 and 2.
    std::string fixed(int fraction) const;
    // The first `count` significant digits, with zeros after the value's own: "1230" for
    // 123 and 4. No point, no exponent.
    std::string significant(int count) const;

private:
    // Value = digits_ × 10^exponent_; digits_ has no leading or trailing '0' and is empty for
    // zero.
    std::string digits_;
    int exponent_ = 0;

    void trimTrailingZeros();
};

}  // namespace trundlex
