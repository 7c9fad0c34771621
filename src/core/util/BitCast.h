#pragma once

#include <type_traits>

namespace trundlex {

// The bits of `from` read as a `To` of the same size, as std::bit_cast does. Built on the
// compiler's own built-in, which gcc and clang both offer, because not every standard library
// the game is built with has std::bit_cast (emscripten's libc++ lacks it).
template <typename To, typename From>
constexpr To bitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From), "bitCast needs types of one size");
    static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>,
                  "bitCast copies bits only between trivially copyable types");
    return __builtin_bit_cast(To, from);
}

}  // namespace trundlex
