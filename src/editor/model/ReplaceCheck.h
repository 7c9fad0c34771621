#pragma once

#include "level/Level.h"

namespace trundlex {

// What saving a level over a file would throw away of the level the file holds. A save that
// loses either is more likely a slip (the wrong level under the file's name, a cleared or
// cut-down copy) than meant, so the editor asks first and makes Cancel the default answer.
struct ReplacementLoss {
    // The file's level has a cup and the level being saved has none.
    bool cup = false;
    // The level being saved has fewer than half as many cells (width x height) as the file's.
    // Trimming a border or a few rows stays well above half; falling below it means most of
    // the file's level would be gone.
    bool size = false;

    bool any() const { return cup || size; }
};

// What writing `replacement` over a file that holds `stored` would lose.
ReplacementLoss checkReplacement(const Level& stored, const Level& replacement);

}  // namespace trundlex
