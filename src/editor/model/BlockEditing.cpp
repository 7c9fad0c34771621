#include "model/BlockEditing.h"

namespace trundlex {

void setBlockValues(Block& block, std::int32_t shape, std::int32_t rotation, std::int32_t backKind,
                    std::int32_t backSlope, std::int32_t frontKind, std::int32_t frontSlope) {
    // The setters keep the old value for anything out of range.
    block.setShape(shape);
    block.setRotation(rotation);
    block.back().setKind(backKind);
    block.back().setSlope(backSlope);
    block.front().setKind(frontKind);
    block.front().setSlope(frontSlope);
}

bool blockEquals(const Block& a, const Block& b) {
    if (a.shape() != b.shape() || a.rotation() != b.rotation() || !(a.back() == b.back())) {
        return false;
    }
    if (a.isPlain()) {
        return true;
    }
    return a.front() == b.front();
}

void swapMaterials(Block& block) {
    const Material back = block.back();
    block.back() = block.front();
    block.front() = back;
}

namespace {

void turnSlopeQuarter(Material& material) {
    if (material.slope() != Flat) {
        material.setSlope((material.slope() + 6) % 8);
    }
}

}  // namespace

void rotateBlock(Block& block, bool withMaterials) {
    block.setRotation((block.rotation() + 1) % 4);
    if (withMaterials) {
        turnSlopeQuarter(block.back());
        turnSlopeQuarter(block.front());
    }
}

std::int32_t nextSlopeClockwise(std::int32_t slope) {
    if (slope < 0 || slope > Flat) {
        return Flat;
    }
    return (slope + 8) % 9;
}

}  // namespace trundlex
