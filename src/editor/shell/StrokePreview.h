#pragma once

#include "level/Level.h"
#include "model/EditorLayout.h"
#include "model/EditorTool.h"
#include "render/BlockRenderer.h"

class QPainter;

namespace trundlex {

// What a Line, Rectangle or Frame drag would place, drawn see-through over the level while
// the button is still down: the level itself changes only on release.
class StrokePreview {
public:
    // The blocks a drag from `anchor` to `current` would change, over a copy of `level`, and
    // a thin outline around the cells it spans.
    void paint(QPainter& painter, const Level& level, const EditorLayout& layout,
               EditorTool tool, PixelPoint anchor, PixelPoint current, const Block& brush);

private:
    BlockRenderer renderer_;
    Level scratch_;
};

}  // namespace trundlex
