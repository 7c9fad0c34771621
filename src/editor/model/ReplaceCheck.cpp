#include "model/ReplaceCheck.h"

#include <cstdint>

#include "model/LevelCheck.h"

namespace trundlex {

namespace {

std::int64_t cellCount(const Level& level) {
    return std::int64_t{level.width()} * level.height();
}

}  // namespace

ReplacementLoss checkReplacement(const Level& stored, const Level& replacement) {
    ReplacementLoss loss;
    loss.cup = hasCup(stored) && !hasCup(replacement);
    loss.size = 2 * cellCount(replacement) < cellCount(stored);
    return loss;
}

}  // namespace trundlex
