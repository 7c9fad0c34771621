#pragma once

#include <cstdint>
#include <vector>

#include "Block.h"

namespace trundlex {

// The blocks of a level, column by column. All columns always have the same height.
class BlockGrid {
public:
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    // Only for 0 <= column < width and 0 <= row < height.
    Block& at(std::int32_t column, std::int32_t row) { return blocks_[index(column, row)]; }
    const Block& at(std::int32_t column, std::int32_t row) const {
        return blocks_[index(column, row)];
    }

    // Cells that exist before and after keep their blocks; new cells get default blocks.
    // Negative sizes count as 0.
    void resize(std::int32_t width, std::int32_t height);

    friend bool operator==(const BlockGrid&, const BlockGrid&) = default;

private:
    std::size_t index(std::int32_t column, std::int32_t row) const {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(height_) +
               static_cast<std::size_t>(row);
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<Block> blocks_;
};

}  // namespace trundlex
