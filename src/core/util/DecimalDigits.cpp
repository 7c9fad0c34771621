#include "util/DecimalDigits.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "util/BitCast.h"

namespace trundlex {

namespace {

// A whole number in base 10^9, lowest limb first: just what writing a double out needs.
class Limbs {
public:
    static constexpr std::uint32_t Base = 1000000000;

    explicit Limbs(std::uint64_t value) {
        while (value != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(value % Base));
            value /= Base;
        }
    }

    // Multiplies by `factor`, which must be below 2^32.
    void multiply(std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            // At most (10^9 - 1) * (2^32 - 1) + carry < 2^62: no overflow.
            const std::uint64_t product = limb * factor + carry;
            limb = static_cast<std::uint32_t>(product % Base);
            carry = product / Base;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry % Base));
            carry /= Base;
        }
    }

    // Multiplies by base^power, taking `step` factors of it at a time (base^step < 2^32).
    void multiplyByPower(std::uint32_t base, int power, int step) {
        std::uint64_t chunk = 1;
        for (int i = 0; i < step; ++i) {
            chunk *= base;
        }
        for (; power >= step; power -= step) {
            multiply(chunk);
        }
        std::uint64_t rest = 1;
        for (int i = 0; i < power; ++i) {
            rest *= base;
        }
        multiply(rest);
    }

    std::string decimal() const {
        std::string text;
        for (auto it = limbs_.rbegin(); it != limbs_.rend(); ++it) {
            std::string limb = std::to_string(*it);
            if (!text.empty()) {
                text.append(9 - limb.size(), '0');
            }
            text += limb;
        }
        return text;
    }

private:
    std::vector<std::uint32_t> limbs_;
};

}  // namespace

DecimalDigits::DecimalDigits(double value) {
    const auto bits = bitCast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int twos = -1074;  // the value is mantissa × 2^twos
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        twos = biased - 1075;
    }
    if (mantissa == 0) {
        return;
    }
    Limbs whole(mantissa);
    if (twos >= 0) {
        whole.multiplyByPower(2, twos, 31);
    } else {
        // m × 2^-k is m × 5^k / 10^k.
        whole.multiplyByPower(5, -twos, 13);
        exponent_ = twos;
    }
    digits_ = whole.decimal();
    trimTrailingZeros();
}

int DecimalDigits::leadingPlace() const {
    return isZero() ? 0 : exponent_ + static_cast<int>(digits_.size()) - 1;
}

void DecimalDigits::roundAt(int place) {
    if (isZero() || place <= exponent_) {
        return;
    }
    const int dropped = place - exponent_;
    const int size = static_cast<int>(digits_.size());
    if (dropped > size) {
        // Below half of 10^place: the digit at place - 1 is a zero.
        digits_.clear();
        exponent_ = 0;
        return;
    }
    const auto kept = static_cast<std::size_t>(size - dropped);
    const char first = digits_[kept];
    // No trailing zeros are kept, so anything after `first` is above zero.
    const bool more = kept + 1 < digits_.size();
    const bool odd = kept > 0 && (digits_[kept - 1] - '0') % 2 == 1;
    const bool up = first > '5' || (first == '5' && (more || odd));
    digits_.resize(kept);
    exponent_ = place;
    if (up) {
        std::size_t i = digits_.size();
        while (i > 0 && digits_[i - 1] == '9') {
            digits_[--i] = '0';
        }
        if (i == 0) {
            digits_.insert(digits_.begin(), '1');
        } else {
            ++digits_[i - 1];
        }
    }
    trimTrailingZeros();
}

void DecimalDigits::roundToSignificant(int count) {
    if (!isZero()) {
        roundAt(leadingPlace() - (std::max(count, 1) - 1));
    }
}

std::string DecimalDigits::fixed(int fraction) const {
    // All digits of the whole number value × 10^fraction, then split at the point.
    std::string all = digits_;
    if (!isZero()) {
        all.append(static_cast<std::size_t>(std::max(exponent_ + fraction, 0)), '0');
    }
    const auto after = static_cast<std::size_t>(fraction);
    const std::size_t before = all.size() > after ? all.size() - after : 0;
    std::string text = before > 0 ? all.substr(0, before) : std::string("0");
    if (after > 0) {
        text += '.';
        text.append(after - (all.size() - before), '0');
        text.append(all, before);
    }
    return text;
}

std::string DecimalDigits::significant(int count) const {
    std::string text = isZero() ? std::string("0") : digits_;
    text.resize(static_cast<std::size_t>(std::max(count, 1)), '0');
    return text;
}

void DecimalDigits::trimTrailingZeros() {
    while (!digits_.empty() && digits_.back() == '0') {
        digits_.pop_back();
        ++exponent_;
    }
}

}  // namespace trundlex
