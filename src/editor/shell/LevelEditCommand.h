#pragma once

#include <QUndoCommand>
#include <optional>
#include <string>
#include <vector>

#include "level/Level.h"

namespace trundlex {

// One step of the editor's history: the level before and after an edit that has already
// been made. Undo and redo exchange the document's level with the state kept here, so a step
// costs one copy of what changed: the changed cells when the size stayed, else the whole
// other level. Large levels would otherwise hold a full copy per brush stroke.
class LevelEditCommand : public QUndoCommand {
public:
    // `level` is the document's level as it is after the edit; it must outlive the command.
    LevelEditCommand(Level& level, const Level& before);

    // Nothing differs between before and after (a stroke over equal blocks).
    bool isEmpty() const { return cells_.empty() && !whole_ && !headerDiffers_; }

    void undo() override { exchange(); }
    void redo() override;

private:
    struct CellState {
        std::int32_t column;
        std::int32_t row;
        Block block;
    };
    void exchange();

    Level& level_;
    bool applied_ = true;
    std::optional<Level> whole_;
    std::vector<CellState> cells_;
    bool headerDiffers_ = false;
    std::string name_;
    std::string creator_;
    double startX_ = 0.0;
    double startY_ = 0.0;
};

}  // namespace trundlex
