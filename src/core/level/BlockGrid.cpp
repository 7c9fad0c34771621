#include "BlockGrid.h"

#include <algorithm>

namespace trundlex {

void BlockGrid::resize(std::int32_t width, std::int32_t height) {
    width = std::max(width, 0);
    // A grid without columns has no height either.
    height = width == 0 ? 0 : std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    std::vector<Block> blocks(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const std::int32_t keepColumns = std::min(width, width_);
    const std::int32_t keepRows = std::min(height, height_);
    for (std::int32_t c = 0; c < keepColumns; ++c) {
        const auto from = blocks_.begin() + static_cast<std::ptrdiff_t>(index(c, 0));
        const auto to = blocks.begin() + static_cast<std::ptrdiff_t>(c) * height;
        std::copy(from, from + keepRows, to);
    }
    blocks_ = std::move(blocks);
    width_ = width;
    height_ = height;
}

}  // namespace trundlex
