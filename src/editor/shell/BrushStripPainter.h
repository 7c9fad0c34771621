#pragma once

#include <QCoreApplication>
#include <QRect>
#include <QString>

#include "model/EditorLayout.h"
#include "render/BlockRenderer.h"

class QPainter;

namespace trundlex {

class BrushStrip;

// Paints the strip above the level: the brush's preview, the shape and material palettes
// with their frames, the small back and front material buttons and their slope marks, a name
// under every swatch and a line saying what the mouse buttons do. In test mode the palettes
// are greyed and the line says how to putt instead.
class BrushStripPainter {
    Q_DECLARE_TR_FUNCTIONS(BrushStripPainter)

public:
    void paint(QPainter& painter, const BrushStrip& strip, bool testMode, int width);

    // The line under the palettes.
    static QString mouseRule(bool testMode);
    // Where the line of mouse rules is written on a strip `width` pixels wide.
    static QRect ruleRect(int width);
    // The tool tip of the swatch or button under `p`; empty elsewhere.
    static QString toolTipAt(const BrushStrip& strip, PixelPoint p);

private:
    BlockRenderer renderer_;
};

}  // namespace trundlex
