#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace trundlex {

// Number conversions for the file and wire formats. They use "." as the decimal point
// whatever locale the program runs in, and give the same text and the same doubles on every
// build: they rely on no floating-point conversion of the standard library, which some builds
// lack (the WebAssembly build's std::to_chars and std::from_chars take integers only).

// Like C's atoi: skips leading white space, takes an optional sign and the digits that
// follow, and gives 0 when there are none. Values beyond 32 bits saturate.
std::int32_t parseLeadingInt(std::string_view text);

// Like C's atof: skips leading white space and reads the longest decimal fraction at the
// front (optional sign, digits, point, exponent), 0.0 when there is none. Values that are
// not finite (nan, inf, or beyond the range of a double) read as 0.0, since no field of the
// formats can use them.
double parseLeadingDouble(std::string_view text);

// Reads a double as std::from_chars(first, last, value) does with chars_format::general:
// an optional '-', then digits with an optional point and exponent, or "inf", "infinity",
// "nan" or "nan(...)" in any case; no white space, no '+'. Rounds to the nearest double, ties
// to even. On success `ptr` is past the number and `ec` is std::errc(). Nothing readable at
// `first`: ptr = first and ec = invalid_argument. A number beyond the range of a double (or
// above zero but below half the smallest one): ptr past it and ec = result_out_of_range.
// `value` is left alone on any failure.
std::from_chars_result readDouble(const char* first, const char* last, double& value);

// Like printf's "%.Nf" in the C locale with N = `fraction` (0 to 400): rounded half to even
// from the exact value; "inf", "-inf", "nan" or "-nan" for what is not finite.
std::string formatFixed(double value, int fraction);

// Like printf's "%.Ng" in the C locale with N = `significant` (0 counts as 1, at most 400):
// the shorter of the fixed and exponent forms, without trailing zeros.
std::string formatGeneral(double value, int significant);

// Like printf's "%f": six digits after the point.
std::string formatFixed6(double value);

// Like printf's "%.17g": enough digits to give back the same double.
std::string formatExact(double value);

}  // namespace trundlex
