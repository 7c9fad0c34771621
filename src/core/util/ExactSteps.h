#pragma once
// The exact steps the portable functions are built from: each gives the rounded result of one
// IEEE operation together with its exact error, which only holds when the compiler evaluates
// every expression in the written order without fusing (the build and the pragma below see to
// that).
#include <cstdint>

#include "util/BitCast.h"

#if defined(__clang__)
#pragma clang fp contract(off)
#endif

namespace trundlex::pmath::exact {

// A value carried as an unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct Pair {
    double hi = 0.0;
    double lo = 0.0;
};

// hi + lo is exactly a + b, hi the rounded sum.
inline Pair twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

// The same, when |a| >= |b| or a is zero.
inline Pair fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Halves of 26 bits whose sum is a, so that products of halves are exact.
inline Pair split(double a) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// hi + lo is exactly a * b, as long as nothing overflows or falls below the normal range.
inline Pair twoProduct(double a, double b) {
    const double p = a * b;
    const Pair as = split(a);
    const Pair bs = split(b);
    const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, err};
}

// 2^e for e in the normal range, built from its bits.
inline double powerOfTwo(int e) {
    return bitCast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

}  // namespace trundlex::pmath::exact
