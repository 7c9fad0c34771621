#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace trundlex {

class Match;

// The ball colours offered to new players (0x00BBGGRR, as players store them): vivid, and away
// from the greens, browns, greys and blues of the grounds in either look; no white, which
// fades on modern ice, and no black, which looks like the cup.
inline constexpr std::array<std::uint32_t, 8> ReadyMadeBallColours = {
    0x00E1FF, 0x2828F0, 0xFFE600, 0xDC50FF, 0x3CFFBE, 0xFF6EB4, 0x783CFF, 0xC82882,
};

// The first ready-made colour that no player of `match` has; none when all are taken.
std::optional<std::uint32_t> firstFreeBallColour(const Match& match);

// `wanted` when no player of `match` has that colour yet; otherwise the first ready-made
// colour that none has, so that no two balls on the green look alike (players who all keep
// the first colour offered, each on their own computer, would otherwise meet with the same
// ball). `wanted` again when every ready-made colour is taken.
std::uint32_t freeBallColour(const Match& match, std::uint32_t wanted);

}  // namespace trundlex
