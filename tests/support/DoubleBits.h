#pragma once

#include <bit>
#include <cstdint>

namespace trundlex::testing {

// A double as its IEEE bit pattern and back, for tests that compare results bit for bit.
using Bits = std::uint64_t;
inline double fromBits(Bits bits) {
    return std::bit_cast<double>(bits);
}
inline Bits bitsOf(double value) {
    return std::bit_cast<Bits>(value);
}

}  // namespace trundlex::testing
