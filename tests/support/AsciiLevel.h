#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "level/Level.h"

namespace trundlex::testing {

// Builds a level from rows of characters, one per block:
//   .  grass     #  wall      i  ice      s  sand     ~  water
//   O  cup (whole block)      o  cup in the middle of grass (circle)
//   >  <  ^  v   grass sloping right, left, up, down
// The start is put at the middle of the level unless given.
inline Level asciiLevel(const std::vector<std::string_view>& rows) {
    const auto height = static_cast<std::int32_t>(rows.size());
    const auto width = static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size());
    Level level(width, height, "ascii", "tests");
    for (std::int32_t r = 0; r < height; ++r) {
        for (std::int32_t c = 0; c < width && c < static_cast<std::int32_t>(rows[r].size()); ++c) {
            const char* code = "$";
            switch (rows[r][c]) {
                case '#': code = "S0T8"; break;
                case 'i': code = "S0I8"; break;
                case 's': code = "S0S8"; break;
                case '~': code = "S0W8"; break;
                case 'O': code = "S0H8"; break;
                case 'o': code = "C0G8H8"; break;
                case '>': code = "S0G0"; break;
                case '<': code = "S0G4"; break;
                case '^': code = "S0G2"; break;
                case 'v': code = "S0G6"; break;
                default: break;
            }
            level.block(c, r).fromText(code);
        }
    }
    level.setModified(false);
    return level;
}

}  // namespace trundlex::testing
