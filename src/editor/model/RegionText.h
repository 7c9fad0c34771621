#pragma once

#include <string>
#include <string_view>

#include "level/Level.h"

namespace trundlex {

// Copied blocks as text, for the system clipboard: the level text of a level made of the
// region's blocks, so that another editor window (or a text editor) gets what a level file
// holds. A region may be a single block wide or high, which the level reader refuses, so the
// reading here is the editor's own, bounded to the sides the editor makes.

// The text of `region`, whose blocks alone count (see copyRegion).
std::string regionText(const Level& region);

enum class RegionTextResult {
    Read,
    // No level text at all: other text someone copied.
    NotBlocks,
    // A level text whose size or blocks cannot be read: cut short or changed by hand.
    Damaged,
    // A level text wider or higher than Level::MaxEditorSide.
    TooLarge,
};

// Reads the blocks of a level text (one of any size from 1 x 1 to MaxEditorSide on each
// side) into `region`, which is changed only when the result is Read. Text before the level
// text's first field is skipped, as the level reader does.
RegionTextResult readRegionText(std::string_view text, Level& region);

}  // namespace trundlex
