#include "model/UndoRing.h"

namespace trundlex {

void UndoRing::Push(const Level& level) {
    slots_[static_cast<std::size_t>(next_)] = level;
    next_ = (next_ + 1) % SlotCount;
}

Level UndoRing::Pop() {
    next_ = (next_ + SlotCount - 1) % SlotCount;
    return slots_[static_cast<std::size_t>(next_)];
}

}  // namespace trundlex
