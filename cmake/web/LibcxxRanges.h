#pragma once
// Put before every file of the WebAssembly build (cmake/WebBuild.cmake). The libc++ of
// Debian's emscripten (3.1.6, libc++ 13) has none of the range algorithms yet, which the
// other builds' standard libraries have; this gives the ones the code uses, with the standard's
// meaning, for as long as that libc++ lacks them. A newer emscripten makes it do nothing.
#include <version>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
#include <algorithm>
#include <iterator>

namespace trundlex_libcxx_compat {

struct RangesFind {
    template <class Range, class Value>
    constexpr auto operator()(Range&& range, const Value& value) const {
        return std::find(std::begin(range), std::end(range), value);
    }
};

}  // namespace trundlex_libcxx_compat

namespace std::ranges {
inline constexpr trundlex_libcxx_compat::RangesFind find{};
}  // namespace std::ranges
#endif
