#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "level/Level.h"

namespace trundlex::testing {

// One character per block:
//   .  grass     #  wall      i  ice      s  sand     ~  water
//   O  cup (whole block)      o  cup in the middle of grass (circle)
//   >  <  ^  v   grass sloping right, left, up, down
inline constexpr std::pair<char, std::string_view> kAsciiBlocks[] = {
    {'.', "$"},      {'#', "S0T8"}, {'i', "S0I8"}, {'s', "S0S8"}, {'~', "S0W8"}, {'O', "S0H8"},
    {'o', "C0G8H8"}, {'>', "S0G0"}, {'<', "S0G4"}, {'^', "S0G2"}, {'v', "S0G6"}};

// Builds a level from rows of characters. The start is put at the middle of the level.
inline Level asciiLevel(const std::vector<std::string_view>& rows) {
    const auto height = static_cast<std::int32_t>(rows.size());
    const auto width = static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size());
    Level level(width, height, "ascii", "tests");
    for (std::int32_t r = 0; r < height; ++r) {
        for (std::int32_t c = 0; c < width && c < static_cast<std::int32_t>(rows[r].size()); ++c) {
            for (const auto& [symbol, code] : kAsciiBlocks) {
                if (symbol == rows[r][c]) {
                    level.block(c, r).fromText(code);
                }
            }
        }
    }
    level.setModified(false);
    return level;
}

// The level's blocks as rows of the same characters, "?" for a block they cannot show: for
// comparing whole grids at a glance.
inline std::vector<std::string> asciiRows(const Level& level) {
    std::vector<std::string> rows(static_cast<std::size_t>(level.height()));
    for (std::int32_t r = 0; r < level.height(); ++r) {
        for (std::int32_t c = 0; c < level.width(); ++c) {
            char shown = '?';
            for (const auto& [symbol, code] : kAsciiBlocks) {
                shown = level.block(c, r).toText() == code ? symbol : shown;
            }
            rows[static_cast<std::size_t>(r)] += shown;
        }
    }
    return rows;
}

}  // namespace trundlex::testing
