#pragma once

#include "render/BlockRenderer.h"

class QPainter;

namespace trundlex {

class BrushStrip;

// Paints the strip above the level: the brush's preview, the shape and material palettes
// with their frames, the small back and front material buttons and their slope marks.
class BrushStripPainter {
public:
    void paint(QPainter& painter, const BrushStrip& strip);

private:
    BlockRenderer renderer_;
};

}  // namespace trundlex
