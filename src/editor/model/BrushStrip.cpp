#include "model/BrushStrip.h"

#include <algorithm>
#include <cmath>

#include "model/BlockEditing.h"

namespace trundlex {

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    if (a.isEmpty()) {
        return b;
    }
    if (b.isEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

bool contains(const PixelRect& rect, PixelPoint p) {
    return p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom;
}

BrushStrip::BrushStrip() {
    brush_.setShape(Square);
    brush_.back() = Material(Grass, Flat);
    brush_.front() = Material(Wall, Flat);

    for (int i = 0; i < BlockShapeCount; ++i) {
        ToolButton button;
        const int left = 70 + 50 * i;
        button.rect = {left, 5, left + 40, 45};
        button.block.setShape(PaletteShapes[static_cast<std::size_t>(i)]);
        button.block.back() = Material(Grass, Flat);
        button.block.front() = Material(Wall, Flat);
        button.selected = button.block.shape() == brush_.shape();
        shapeButtons_.push_back(button);
    }
    for (int kind = 0; kind < MaterialKindCount; ++kind) {
        ToolButton button;
        const int left = 330 + 50 * kind;
        button.rect = {left, 5, left + 40, 45};
        button.block.back() = Material(kind, Flat);
        button.block.front() = Material(Grass, Flat);
        // The material palette has no single selection: every button carries the frame.
        button.selected = true;
        materialButtons_.push_back(button);
    }
}

PixelRect BrushStrip::brushRect() {
    PixelRect r = unite(unite(PreviewRect, BackButtonRect), FrontButtonRect);
    r.right += 1;
    r.bottom += 1;
    return r;
}

PixelRect BrushStrip::shapePaletteRect() const {
    PixelRect r = PreviewRect;
    for (const ToolButton& button : shapeButtons_) {
        r = unite(r, button.rect);
    }
    return r;
}

void BrushStrip::pickUp(const Block& block) {
    const Material ownFront = brush_.front();
    brush_ = block;
    if (block.shape() == Square) {
        brush_.front() = ownFront;
    }
}

bool BrushStrip::pickShapeAt(PixelPoint p) {
    const auto hit = std::find_if(shapeButtons_.begin(), shapeButtons_.end(),
                                  [p](const ToolButton& b) { return contains(b.rect, p); });
    if (hit == shapeButtons_.end()) {
        return false;
    }
    brush_.setShape(hit->block.shape());
    for (ToolButton& button : shapeButtons_) {
        button.selected = &button == &*hit;
    }
    return true;
}

bool BrushStrip::pickBackKindAt(PixelPoint p) {
    bool hit = false;
    for (const ToolButton& button : materialButtons_) {
        if (contains(button.rect, p)) {
            brush_.back() = Material(button.block.back().kind(), Flat);
            hit = true;
        }
    }
    return hit;
}

bool BrushStrip::pickFrontKindAt(PixelPoint p) {
    bool hit = false;
    for (const ToolButton& button : materialButtons_) {
        if (contains(button.rect, p)) {
            brush_.front() = Material(button.block.back().kind(), Flat);
            hit = true;
        }
    }
    return hit;
}

void BrushStrip::rotateBackSlope() {
    brush_.back().setSlope(nextSlopeClockwise(brush_.back().slope()));
}

void BrushStrip::rotateFrontSlope() {
    brush_.front().setSlope(nextSlopeClockwise(brush_.front().slope()));
}

void BrushStrip::resetBackSlope() {
    brush_.back().setSlope(Flat);
}

void BrushStrip::resetFrontSlope() {
    brush_.front().setSlope(Flat);
}

void BrushStrip::setBackSlope(std::int32_t slope) {
    brush_.back().setSlope(slope);
}

void BrushStrip::setFrontSlope(std::int32_t slope) {
    brush_.front().setSlope(slope);
}

void BrushStrip::resetBothSlopes() {
    resetBackSlope();
    resetFrontSlope();
}

void BrushStrip::rotateBrush(bool withMaterials) {
    rotateBlock(brush_, withMaterials);
}

void BrushStrip::swapBrushMaterials() {
    swapMaterials(brush_);
}

std::vector<PixelPoint> BrushStrip::slopeMark(const PixelRect& rect, std::int32_t slope) {
    if (slope < 0 || slope >= Flat) {
        return {};
    }
    const double pi = std::acos(-1.0);
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    const double radius = (rect.right - rect.left) / 2.2;
    // Screen y grows downward, so the downhill angle is measured the other way round.
    const double tip = (8 - slope) * pi / 4.0;
    std::vector<PixelPoint> points;
    for (const double a : {tip - 3.0 * pi / 4.0, tip, tip + 3.0 * pi / 4.0}) {
        // The offsets are truncated toward zero, so the mark is symmetric about the centre.
        points.push_back({cx + static_cast<int>(radius * std::cos(a)),
                          cy + static_cast<int>(radius * std::sin(a))});
    }
    return points;
}

}  // namespace trundlex
