#include "model/EditorLayout.h"

#include <algorithm>
#include <cmath>

namespace trundlex {

void EditorLayout::update(int clientWidth, int clientHeight, std::int32_t levelWidth,
                          std::int32_t levelHeight) {
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    levelWidth_ = std::max<std::int32_t>(levelWidth, 1);
    levelHeight_ = std::max<std::int32_t>(levelHeight, 1);
    const int across = (clientWidth - OriginX) / levelWidth_;
    const int down = (clientHeight - OriginY) / levelHeight_;
    fitCell_ = std::max(1, std::min(across, down));
    cellSize_ = fitting_ ? fitCell_ : std::clamp(cellSize_, fitCell_, maxCellSize());
    scrollTo(scrollX_, scrollY_);
}

void EditorLayout::fit() {
    fitting_ = true;
    cellSize_ = fitCell_;
    scrollX_ = 0;
    scrollY_ = 0;
}

int EditorLayout::maxCellSize() const {
    const double cells = static_cast<double>(levelWidth_) * static_cast<double>(levelHeight_);
    const int byPicture = static_cast<int>(std::sqrt(static_cast<double>(MaxPicturePixels) / cells));
    const int wanted = std::max(MaxCellSize, fitCell_ * MinZoomFactor);
    return std::max(fitCell_, std::min(wanted, byPicture));
}

void EditorLayout::zoomAt(PixelPoint p, int cellSize) {
    const double x = cellX(p.x);
    const double y = cellY(p.y);
    cellSize_ = std::clamp(cellSize, fitCell_, maxCellSize());
    fitting_ = cellSize_ == fitCell_;
    scrollTo(static_cast<int>(std::lround(OriginX + x * cellSize_ - p.x)),
             static_cast<int>(std::lround(OriginY + y * cellSize_ - p.y)));
}

int EditorLayout::zoomedIn() const {
    return std::max(cellSize_ + 1, cellSize_ * 5 / 4);
}

int EditorLayout::zoomedOut() const {
    return std::min(cellSize_ - 1, cellSize_ * 4 / 5);
}

namespace {

// How far a zoomed level may scroll on one axis: until `Keep` pixels of it are left in view,
// on either side. Zooming around a point near an edge must be able to move the level there.
constexpr int Keep = 48;

int lowestScroll(int origin, int client, int level) {
    return std::min(0, origin - (client - std::min(level, Keep)));
}

int highestScroll(int level, int client, int origin) {
    return std::max(0, std::max(level - std::min(level, Keep), level + origin + 1 - client));
}

}  // namespace

int EditorLayout::minScrollX() const {
    return fitting_ ? 0 : lowestScroll(OriginX, clientWidth_, levelWidth_ * cellSize_);
}

int EditorLayout::maxScrollX() const {
    return fitting_ ? 0 : highestScroll(levelWidth_ * cellSize_, clientWidth_, OriginX * 2);
}

int EditorLayout::minScrollY() const {
    return fitting_ ? 0 : lowestScroll(OriginY, clientHeight_, levelHeight_ * cellSize_);
}

int EditorLayout::maxScrollY() const {
    return fitting_ ? 0 : highestScroll(levelHeight_ * cellSize_, clientHeight_, OriginY + OriginX);
}

void EditorLayout::scrollTo(int x, int y) {
    scrollX_ = std::clamp(x, minScrollX(), maxScrollX());
    scrollY_ = std::clamp(y, minScrollY(), maxScrollY());
}

PixelRect EditorLayout::levelRect() const {
    return {originX(), originY(), originX() + levelWidth_ * cellSize_,
            originY() + levelHeight_ * cellSize_};
}

bool EditorLayout::inLevel(PixelPoint p) const {
    const PixelRect r = levelRect();
    return p.y >= OriginY && p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool EditorLayout::cellAt(PixelPoint p, Cell& cell) const {
    if (!inLevel(p)) {
        return false;
    }
    cell = {(p.x - originX()) / cellSize_, (p.y - originY()) / cellSize_};
    return true;
}

PixelPoint EditorLayout::clampToLevel(PixelPoint p) const {
    const PixelRect r = levelRect();
    return {std::clamp(p.x, r.left, r.right - 1), std::clamp(p.y, r.top, r.bottom - 1)};
}

Cell EditorLayout::clampedCell(PixelPoint p) const {
    // Also for a point of the level hidden under the brush strip.
    const PixelPoint q = clampToLevel(p);
    return {(q.x - originX()) / cellSize_, (q.y - originY()) / cellSize_};
}

PixelRect EditorLayout::cellsRect(Cell a, Cell b) const {
    const std::int32_t left = std::min(a.x, b.x);
    const std::int32_t right = std::max(a.x, b.x);
    const std::int32_t top = std::min(a.y, b.y);
    const std::int32_t bottom = std::max(a.y, b.y);
    return {originX() + left * cellSize_, originY() + top * cellSize_,
            originX() + (right + 1) * cellSize_ + 1, originY() + (bottom + 1) * cellSize_ + 1};
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
