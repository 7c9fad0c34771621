#include "model/LevelTransform.h"

#include <algorithm>
#include <utility>

#include "model/BlockEditing.h"

namespace trundlex {

void rotateQuarter(Level& level) {
    const Level old = level;
    const std::int32_t w = old.width();
    const std::int32_t h = old.height();
    level.resize(h, w);
    for (std::int32_t x = 0; x < w; ++x) {
        for (std::int32_t y = 0; y < h; ++y) {
            Block turned = old.block(x, y);
            rotateBlock(turned, true);
            level.block(h - 1 - y, x) = turned;
        }
    }
    level.setStart(h - old.startY(), old.startX());
    level.setModified(true);
}

void flipHorizontal(Level& level) {
    const std::int32_t w = level.width();
    for (std::int32_t y = 0; y < level.height(); ++y) {
        for (std::int32_t x = 0; x < w / 2; ++x) {
            std::swap(level.block(x, y), level.block(w - 1 - x, y));
        }
        for (std::int32_t x = 0; x < w; ++x) {
            flipBlockHorizontal(level.block(x, y));
        }
    }
    level.setStart(w - level.startX(), level.startY());
    level.setModified(true);
}

void flipVertical(Level& level) {
    const std::int32_t h = level.height();
    for (std::int32_t x = 0; x < level.width(); ++x) {
        for (std::int32_t y = 0; y < h / 2; ++y) {
            std::swap(level.block(x, y), level.block(x, h - 1 - y));
        }
        for (std::int32_t y = 0; y < h; ++y) {
            flipBlockVertical(level.block(x, y));
        }
    }
    level.setStart(level.startX(), h - level.startY());
    level.setModified(true);
}

namespace {

// Widens [low, high) to at least two cells within [0, extent), toward the high end first.
void widenToTwo(std::int32_t& low, std::int32_t& high, std::int32_t extent) {
    while (high - low < 2 && high - low < extent) {
        if (high < extent) {
            ++high;
        } else {
            --low;
        }
    }
}

}  // namespace

bool makeFit(Level& level) {
    const std::int32_t w = level.width();
    const std::int32_t h = level.height();
    std::int32_t left = w;
    std::int32_t top = h;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    for (std::int32_t x = 0; x < w; ++x) {
        for (std::int32_t y = 0; y < h; ++y) {
            if (!level.block(x, y).isDefault()) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    if (right == 0) {
        return false;
    }
    // A level of one column or row could not be read back.
    widenToTwo(left, right, w);
    widenToTwo(top, bottom, h);
    if (right - left == w && bottom - top == h) {
        return false;
    }
    Level fitted(right - left, bottom - top);
    for (std::int32_t x = 0; x < fitted.width(); ++x) {
        for (std::int32_t y = 0; y < fitted.height(); ++y) {
            fitted.block(x, y) = level.block(left + x, top + y);
        }
    }
    fitted.setStart(level.startX() - left, level.startY() - top);
    fitted.clampStart();
    fitted.setCreator(level.creator());
    fitted.setName(level.name());
    fitted.setId({});
    fitted.setModified(true);
    level = std::move(fitted);
    return true;
}

}  // namespace trundlex
