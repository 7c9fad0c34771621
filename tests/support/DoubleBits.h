#pragma once

#include <cstdint>

#include "util/BitCast.h"

namespace trundlex::testing {

// A double as its IEEE bit pattern and back, for tests that compare results bit for bit.
using Bits = std::uint64_t;
inline double fromBits(Bits bits) {
    return bitCast<double>(bits);
}
inline Bits bitsOf(double value) {
    return bitCast<Bits>(value);
}

}  // namespace trundlex::testing
