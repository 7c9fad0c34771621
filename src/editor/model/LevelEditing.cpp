#include "model/LevelEditing.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/BlockEditing.h"

namespace trundlex {

namespace {

// Sets a cell known to be inside the grid; marks the level only when the cell changes.
void put(Level& level, std::int32_t x, std::int32_t y, const Block& block) {
    Block& cell = level.block(x, y);
    if (!(cell == block)) {
        cell = block;
        level.setModified(true);
    }
}

}  // namespace

void setBlockAt(Level& level, std::int32_t x, std::int32_t y, const Block& block) {
    if (level.containsCell(x, y)) {
        put(level, x, y, block);
    }
}

void setBlockAt(Level& level, std::int32_t x, std::int32_t y, std::int32_t shape,
                std::int32_t rotation, std::int32_t backKind, std::int32_t backSlope,
                std::int32_t frontKind, std::int32_t frontSlope) {
    if (!level.containsCell(x, y)) {
        return;
    }
    Block changed = level.block(x, y);
    setBlockValues(changed, shape, rotation, backKind, backSlope, frontKind, frontSlope);
    put(level, x, y, changed);
}

void fillRectangle(Level& level, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   const Block& block) {
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
    if (!level.containsCell(x1, y1) || !level.containsCell(x2, y2)) {
        return;
    }
    for (std::int32_t x = x1; x <= x2; ++x) {
        for (std::int32_t y = y1; y <= y2; ++y) {
            put(level, x, y, block);
        }
    }
}

void frameRectangle(Level& level, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, const Block& block) {
    fillRectangle(level, x1, y1, x1, y2, block);
    fillRectangle(level, x1, y1, x2, y1, block);
    fillRectangle(level, x2, y2, x1, y2, block);
    fillRectangle(level, x2, y2, x2, y1, block);
}

void rotateBlockAt(Level& level, std::int32_t x, std::int32_t y, bool withMaterials) {
    if (!level.containsCell(x, y)) {
        return;
    }
    Block turned = level.block(x, y);
    rotateBlock(turned, withMaterials);
    put(level, x, y, turned);
}

void clearLevel(Level& level) {
    for (std::int32_t x = 0; x < level.width(); ++x) {
        for (std::int32_t y = 0; y < level.height(); ++y) {
            level.block(x, y).reset();
        }
    }
    level.setModified(true);
}

void setStartPosition(Level& level, double x, double y) {
    level.setStart(x, y);
    level.clampStart();
    level.setModified(true);
}

void floodFill(Level& level, std::int32_t x, std::int32_t y, const Block& block) {
    if (!level.containsCell(x, y)) {
        return;
    }
    const Block target = level.block(x, y);
    if (blockEquals(target, block)) {
        return;
    }
    // The comparison is not symmetric: a plain brush of the target's shape, rotation and back
    // still matches the target after it has been painted. Remembering the cells already
    // filled keeps such a fill from going round in circles.
    const auto width = static_cast<std::size_t>(level.width());
    std::vector<bool> filled(width * static_cast<std::size_t>(level.height()), false);
    std::vector<std::pair<std::int32_t, std::int32_t>> stack{{x, y}};
    while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        if (!level.containsCell(cx, cy)) {
            continue;
        }
        const std::size_t index =
            static_cast<std::size_t>(cy) * width + static_cast<std::size_t>(cx);
        if (filled[index] || !blockEquals(level.block(cx, cy), target)) {
            continue;
        }
        filled[index] = true;
        put(level, cx, cy, block);
        stack.push_back({cx, cy + 1});
        stack.push_back({cx + 1, cy});
        stack.push_back({cx, cy - 1});
        stack.push_back({cx - 1, cy});
    }
}

void drawLine(Level& level, double x0, double y0, double x1, double y1, const Block& block) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
        return;
    }
    auto setAt = [&](double x, double y) {
        // Truncated toward zero; a point too far out for an int cannot be a cell anyway.
        if (std::fabs(x) < 2.0e9 && std::fabs(y) < 2.0e9) {
            setBlockAt(level, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), block);
        }
    };
    const double len = std::sqrt((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0));
    if (len == 0.0) {
        setAt(x0, y0);
        return;
    }
    // Steps of a quarter cell along the line; the point nearest the end lies within an eighth
    // of a cell of it, so the loop ends after about 4 * len steps.
    const double dx = (x1 - x0) / (4.0 * len);
    const double dy = (y1 - y0) / (4.0 * len);
    const double maxSteps = 4.0 * len + 2.0;
    double x = x0;
    double y = y0;
    bool done = false;
    for (double step = 0.0; !done && step <= maxSteps; step += 1.0) {
        if (std::fabs(x - x1) < 0.2 && std::fabs(y - y1) < 0.2) {
            done = true;
        }
        setAt(x, y);
        x += dx;
        y += dy;
    }
}

void shiftLevel(Level& level, std::int32_t dx, std::int32_t dy) {
    const Level copy = level;
    clearLevel(level);
    for (std::int32_t x = 0; x < copy.width(); ++x) {
        for (std::int32_t y = 0; y < copy.height(); ++y) {
            setBlockAt(level, x + dx, y + dy, copy.block(x, y));
        }
    }
}

}  // namespace trundlex
