#include "model/LevelRegion.h"

#include <algorithm>

#include "model/LevelTransform.h"

namespace trundlex {

CellRect CellRect::spanning(Cell a, Cell b) {
    const std::int32_t left = std::min(a.x, b.x);
    const std::int32_t top = std::min(a.y, b.y);
    return {left, top, std::max(a.x, b.x) - left + 1, std::max(a.y, b.y) - top + 1};
}

CellRect clipToLevel(const Level& level, CellRect rect) {
    if (rect.isEmpty()) {
        return {};
    }
    // In 64 bits: a rectangle far off the level must not wrap around onto it.
    const std::int64_t left = std::max<std::int64_t>(rect.x, 0);
    const std::int64_t top = std::max<std::int64_t>(rect.y, 0);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{rect.x} + rect.width, level.width());
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{rect.y} + rect.height, level.height());
    if (right <= left || bottom <= top) {
        return {};
    }
    return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
            static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

CellRect wholeLevel(const Level& level) {
    return {0, 0, level.width(), level.height()};
}

Level copyRegion(const Level& level, CellRect rect) {
    const CellRect on = clipToLevel(level, rect);
    Level region(on.width, on.height);
    for (std::int32_t x = 0; x < on.width; ++x) {
        for (std::int32_t y = 0; y < on.height; ++y) {
            region.block(x, y) = level.block(on.x + x, on.y + y);
        }
    }
    return region;
}

CellRect pasteRegion(Level& level, const Level& region, Cell at) {
    const CellRect written = clipToLevel(level, {at.x, at.y, region.width(), region.height()});
    bool changed = false;
    for (std::int32_t x = written.x; x < written.x + written.width; ++x) {
        for (std::int32_t y = written.y; y < written.y + written.height; ++y) {
            const Block& block = region.block(x - at.x, y - at.y);
            if (!(level.block(x, y) == block)) {
                level.block(x, y) = block;
                changed = true;
            }
        }
    }
    if (changed) {
        level.setModified(true);
    }
    return written;
}

void clearRegion(Level& level, CellRect rect) {
    const CellRect on = clipToLevel(level, rect);
    // A region of default blocks the size of the rectangle, pasted over it.
    pasteRegion(level, Level(on.width, on.height), on.first());
}

void turnRegion(Level& region, RegionTurn turn) {
    switch (turn) {
        case RegionTurn::Clockwise:
            rotateQuarter(region);
            break;
        case RegionTurn::CounterClockwise:
            for (int i = 0; i < 3; ++i) {
                rotateQuarter(region);
            }
            break;
        case RegionTurn::MirrorLeftRight:
            flipHorizontal(region);
            break;
        case RegionTurn::MirrorTopBottom:
            flipVertical(region);
            break;
    }
}

namespace {

// The lowest start in [0, extent - size] nearest to `start`; false when `size` exceeds
// `extent`.
bool fitInto(std::int32_t& start, std::int32_t size, std::int32_t extent) {
    if (size > extent) {
        return false;
    }
    start = std::clamp(start, 0, extent - size);
    return true;
}

}  // namespace

std::optional<CellRect> turnRegionInLevel(Level& level, CellRect rect, RegionTurn turn) {
    const CellRect on = clipToLevel(level, rect);
    if (on.isEmpty()) {
        return std::nullopt;
    }
    Level region = copyRegion(level, on);
    turnRegion(region, turn);
    // Division toward zero: the middle of a 5 x 2 region moves by (1, -1) and back by
    // (-1, 1), so two quarter turns put it where it was.
    CellRect turned{on.x + (on.width - region.width()) / 2,
                    on.y + (on.height - region.height()) / 2, region.width(), region.height()};
    if (!fitInto(turned.x, turned.width, level.width()) ||
        !fitInto(turned.y, turned.height, level.height())) {
        return std::nullopt;
    }
    clearRegion(level, on);
    pasteRegion(level, region, turned.first());
    return turned;
}

CellRect moveRegion(Level& level, CellRect rect, std::int32_t dx, std::int32_t dy) {
    const CellRect on = clipToLevel(level, rect);
    if (on.isEmpty()) {
        return {};
    }
    const Level region = copyRegion(level, on);
    clearRegion(level, on);
    return pasteRegion(level, region, {on.x + dx, on.y + dy});
}

int replaceMaterial(Level& level, CellRect rect, std::int32_t from, std::int32_t to) {
    if (from < 0 || from >= MaterialKindCount || to < 0 || to >= MaterialKindCount ||
        from == to) {
        return 0;
    }
    const CellRect on = clipToLevel(level, rect);
    int changed = 0;
    for (std::int32_t x = on.x; x < on.x + on.width; ++x) {
        for (std::int32_t y = on.y; y < on.y + on.height; ++y) {
            Block& block = level.block(x, y);
            bool replaced = false;
            // A square's front never shows; changing it would only hide a difference.
            for (Material* layer : {&block.front(), &block.back()}) {
                if (layer->kind() != from || (layer == &block.front() && block.shape() == Square)) {
                    continue;
                }
                layer->setKind(to);
                // No ball rolls on a wall: a slope there would only show, as hatching.
                if (to == Wall) {
                    layer->setSlope(Flat);
                }
                replaced = true;
            }
            changed += replaced ? 1 : 0;
        }
    }
    if (changed > 0) {
        level.setModified(true);
    }
    return changed;
}

}  // namespace trundlex
