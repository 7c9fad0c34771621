#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "level/Block.h"
#include "model/EditorLayout.h"

namespace trundlex {

// One palette entry: a 40 x 40 pixel button showing a block.
struct ToolButton {
    PixelRect rect;
    Block block;
    // A selected button is drawn with a one-pixel black frame.
    bool selected = false;
};

// The strip above the level: the brush (the block the tools paint), its preview, two small
// buttons for its back and front material, and the palettes of shapes and material kinds.
// Holds the geometry and the brush; drawing is the view's. Each operation that changes the
// brush says which pixels to repaint.
class BrushStrip {
public:
    // The shapes in palette order.
    static constexpr std::array<std::int32_t, BlockShapeCount> PaletteShapes = {
        Square, Circle, QuarterDisc, Triangle, HalfDisc};

    // Brush: a square of flat grass with a flat wall front; the square is selected.
    BrushStrip();

    const Block& brush() const { return brush_; }
    // Takes a block picked up from the level as the brush, as far as the block shows: its
    // shape, rotation and back, and its front unless it is a square. A square's front is
    // never seen (one read from a file even carries a slope), so the brush keeps its own front
    // rather than bring back a material nobody chose. The shape palette keeps its selection.
    void pickUp(const Block& block);

    const std::vector<ToolButton>& shapeButtons() const { return shapeButtons_; }
    const std::vector<ToolButton>& materialButtons() const { return materialButtons_; }
    static constexpr PixelRect PreviewRect{30, 10, 60, 40};
    static constexpr PixelRect BackButtonRect{10, 10, 23, 23};
    static constexpr PixelRect FrontButtonRect{10, 26, 23, 38};
    // The preview and both small buttons, one pixel larger to the right and down.
    static PixelRect brushRect();
    // Every shape button and the preview.
    PixelRect shapePaletteRect() const;

    // Palette clicks. Each returns true when a button lies under the pixel.
    // The first shape button under `p` gives the brush its shape and becomes the only
    // selected shape button.
    bool pickShapeAt(PixelPoint p);
    // Every material button under `p` gives the brush's back that kind, flat (left click) ...
    // A slope set for the material before is not carried over to another one.
    bool pickBackKindAt(PixelPoint p);
    // ... or its front that kind, flat (right click).
    bool pickFrontKindAt(PixelPoint p);

    // Brush commands.
    void rotateBackSlope();  // next slope clockwise, passing flat once per cycle
    void rotateFrontSlope();
    void resetBackSlope();  // flat
    void resetFrontSlope();
    void resetBothSlopes();
    // The back or front material's slope, 0 ... 7 or Flat; other values are ignored. The
    // front is set also for a square, whose front does not show until the shape changes.
    void setBackSlope(std::int32_t slope);
    void setFrontSlope(std::int32_t slope);
    // Whether the brush's shape shows its front material: every shape but the square.
    bool showsFront() const { return brush_.shape() != Square; }
    void rotateBrush(bool withMaterials);
    void swapBrushMaterials();

    // The three points of the slope mark drawn on a material button of `rect` for a slope
    // 0 ... 7: an arrow head pointing downhill (0 right, 2 up, 4 left, 6 down), its tip
    // at the button's centre plus the radius width / 2.2 in that direction, whole pixels.
    // Empty for a flat material.
    static std::vector<PixelPoint> slopeMark(const PixelRect& rect, std::int32_t slope);

private:
    Block brush_;
    std::vector<ToolButton> shapeButtons_;
    std::vector<ToolButton> materialButtons_;
};

// The smallest rectangle holding both; an empty rectangle adds nothing.
PixelRect unite(const PixelRect& a, const PixelRect& b);
bool contains(const PixelRect& rect, PixelPoint p);

}  // namespace trundlex
