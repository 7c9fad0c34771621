#include "model/EditorLayout.h"

#include <algorithm>

namespace trundlex {

void EditorLayout::update(int clientWidth, int clientHeight, std::int32_t levelWidth,
                          std::int32_t levelHeight) {
    levelWidth_ = std::max<std::int32_t>(levelWidth, 1);
    levelHeight_ = std::max<std::int32_t>(levelHeight, 1);
    const int across = (clientWidth - OriginX) / levelWidth_;
    const int down = (clientHeight - OriginY) / levelHeight_;
    cellSize_ = std::max(1, std::min(across, down));
}

PixelRect EditorLayout::levelRect() const {
    return {OriginX, OriginY, OriginX + levelWidth_ * cellSize_,
            OriginY + levelHeight_ * cellSize_};
}

bool EditorLayout::inLevel(PixelPoint p) const {
    const PixelRect r = levelRect();
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool EditorLayout::cellAt(PixelPoint p, Cell& cell) const {
    if (!inLevel(p)) {
        return false;
    }
    cell = {(p.x - OriginX) / cellSize_, (p.y - OriginY) / cellSize_};
    return true;
}

PixelPoint EditorLayout::clampToLevel(PixelPoint p) const {
    const PixelRect r = levelRect();
    return {std::clamp(p.x, r.left, r.right - 1), std::clamp(p.y, r.top, r.bottom - 1)};
}

Cell EditorLayout::clampedCell(PixelPoint p) const {
    Cell cell;
    cellAt(clampToLevel(p), cell);
    return cell;
}

PixelRect EditorLayout::cellsRect(Cell a, Cell b) const {
    const std::int32_t left = std::min(a.x, b.x);
    const std::int32_t right = std::max(a.x, b.x);
    const std::int32_t top = std::min(a.y, b.y);
    const std::int32_t bottom = std::max(a.y, b.y);
    return {OriginX + left * cellSize_, OriginY + top * cellSize_,
            OriginX + (right + 1) * cellSize_ + 1, OriginY + (bottom + 1) * cellSize_ + 1};
}

void EditorLayout::dragCells(PixelPoint anchor, PixelPoint current, Cell& first, Cell& last) const {
    const int left = std::min(anchor.x, current.x);
    const int right = std::max(anchor.x, current.x);
    const int top = std::min(anchor.y, current.y);
    const int bottom = std::max(anchor.y, current.y);
    const Cell a = clampedCell({left, top});
    const Cell b = clampedCell({right - 1, bottom - 1});
    first = {std::min(a.x, b.x), std::min(a.y, b.y)};
    last = {std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace trundlex
