#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trundlex {

// Number conversions for the file and wire formats. They use "." as the decimal point
// whatever locale the program runs in.

// Like C's atoi: skips leading white space, takes an optional sign and the digits that
// follow, and gives 0 when there are none. Values beyond 32 bits saturate.
std::int32_t parseLeadingInt(std::string_view text);

// Like C's atof: skips leading white space and reads the longest decimal fraction at the
// front (optional sign, digits, point, exponent), 0.0 when there is none. Values that are
// not finite (nan, inf, or beyond the range of a double) read as 0.0, since no field of the
// formats can use them.
double parseLeadingDouble(std::string_view text);

// Like printf's "%f": six digits after the point.
std::string formatFixed6(double value);

// Like printf's "%.17g": enough digits to give back the same double.
std::string formatExact(double value);

}  // namespace trundlex
