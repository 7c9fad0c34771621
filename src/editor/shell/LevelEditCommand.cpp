#include "LevelEditCommand.h"

#include <utility>

namespace trundlex {

LevelEditCommand::LevelEditCommand(Level& level, const Level& before) : level_(level) {
    if (before.width() != level.width() || before.height() != level.height()) {
        whole_ = before;
        return;
    }
    const std::size_t cellCount =
        static_cast<std::size_t>(before.width()) * static_cast<std::size_t>(before.height());
    for (std::int32_t c = 0; c < before.width(); ++c) {
        for (std::int32_t r = 0; r < before.height(); ++r) {
            if (!(before.block(c, r) == level.block(c, r))) {
                cells_.push_back({c, r, before.block(c, r)});
            }
        }
    }
    // Past half the level a whole copy is smaller than the list of cells.
    if (cells_.size() * 2 > cellCount) {
        cells_.clear();
        whole_ = before;
        return;
    }
    name_ = before.name();
    creator_ = before.creator();
    startX_ = before.startX();
    startY_ = before.startY();
    headerDiffers_ = name_ != level.name() || creator_ != level.creator() ||
                     startX_ != level.startX() || startY_ != level.startY();
}

void LevelEditCommand::redo() {
    // The edit was made before the step was recorded.
    if (applied_) {
        applied_ = false;
        return;
    }
    exchange();
}

void LevelEditCommand::exchange() {
    if (whole_) {
        std::swap(level_, *whole_);
        return;
    }
    for (CellState& cell : cells_) {
        std::swap(level_.block(cell.column, cell.row), cell.block);
    }
    std::string name = level_.name();
    std::string creator = level_.creator();
    const double x = level_.startX();
    const double y = level_.startY();
    level_.setName(name_);
    level_.setCreator(creator_);
    level_.setStart(startX_, startY_);
    name_ = std::move(name);
    creator_ = std::move(creator);
    startX_ = x;
    startY_ = y;
}

}  // namespace trundlex
