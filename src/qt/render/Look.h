#pragma once

#include <optional>
#include <string_view>

namespace trundlex {

// How the playfield is drawn. Only the picture changes with the look, never what the ball
// feels. Stored in the settings by value: never renumber.
enum class Look : int {
    Classic = 0,  // flat colours and hatched slopes, pixel for pixel as the first versions drew
    Modern = 1,   // shaded, textured, anti-aliased
};

// "classic" or "modern"; nothing for any other name.
inline std::optional<Look> lookFromName(std::string_view name) {
    if (name == "classic") {
        return Look::Classic;
    }
    if (name == "modern") {
        return Look::Modern;
    }
    return std::nullopt;
}

}  // namespace trundlex
