#pragma once

#include <string>
#include <vector>

#include "level/Level.h"

namespace trundlex::testing {

// The level's blocks as rows of characters, for comparing whole grids at a glance:
// "." default, "#" flat wall, "~" flat water, "s" flat sand, anything else "?".
inline std::vector<std::string> levelRows(const Level& level) {
    std::vector<std::string> rows;
    for (std::int32_t r = 0; r < level.height(); ++r) {
        std::string row;
        for (std::int32_t c = 0; c < level.width(); ++c) {
            const std::string code = level.block(c, r).toText();
            if (code == "$") {
                row += '.';
            } else if (code == "S0T8") {
                row += '#';
            } else if (code == "S0W8") {
                row += '~';
            } else if (code == "S0S8") {
                row += 's';
            } else {
                row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// A flat block of one material, as the brush paints it.
inline Block flatBlock(std::int32_t kind) {
    Block block;
    block.back() = Material(kind, Flat);
    return block;
}

}  // namespace trundlex::testing
