#pragma once

#include <array>

#include "level/Level.h"

namespace trundlex {

// The editor's undo history: five full copies of the level in a ring. Push overwrites the
// oldest copy once the ring is full, Pop walks back and wraps around; there is no count of
// valid entries, so popping more often than pushing brings back older copies again, and
// before five pushes the default 10 x 10 level.
class UndoRing {
public:
    static constexpr int SlotCount = 5;

    // Every slot holds the default level.
    UndoRing() = default;

    // Copies the level (blocks, size, start, strings and modified flag) into the next slot.
    void Push(const Level& level);
    // Steps back one slot and returns a copy of the level there. Never fails.
    Level Pop();

    // The slot the next Push writes, 0 ... SlotCount - 1.
    int next() const { return next_; }

private:
    std::array<Level, SlotCount> slots_;
    int next_ = 0;
};

}  // namespace trundlex
