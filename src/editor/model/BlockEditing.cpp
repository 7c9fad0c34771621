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

namespace {

// Downhill directions count counter-clockwise from right in eighths: a left-right mirror
// maps d to 4 - d (modulo 8), a top-bottom mirror maps d to 8 - d.
void mirrorSlopeHorizontal(Material& material) {
    const std::int32_t d = material.slope();
    if (d != Flat) {
        material.setSlope(d > 4 ? 12 - d : 4 - d);
    }
}

void mirrorSlopeVertical(Material& material) {
    const std::int32_t d = material.slope();
    if (d > 0 && d < Flat) {
        material.setSlope(8 - d);
    }
}

}  // namespace

void flipBlockHorizontal(Block& block) {
    const std::int32_t r = block.rotation();
    switch (block.shape()) {
        case Triangle:
        case QuarterDisc:
            // Top-right <-> top-left, bottom-right <-> bottom-left.
            block.setRotation(3 - r);
            break;
        case HalfDisc:
            // Leaning on the right edge <-> on the left edge; top and bottom stay.
            if (r == 0 || r == 2) {
                block.setRotation(2 - r);
            }
            break;
        default:
            break;
    }
    mirrorSlopeHorizontal(block.back());
    mirrorSlopeHorizontal(block.front());
}

void flipBlockVertical(Block& block) {
    const std::int32_t r = block.rotation();
    switch (block.shape()) {
        case Triangle:
        case QuarterDisc:
            // 0 <-> 1 and 2 <-> 3: top halves and corners swap with the bottom ones.
            block.setRotation(r >= 2 ? 5 - r : 1 - r);
            break;
        case HalfDisc:
            // Leaning on the bottom edge <-> on the top edge; left and right stay.
            if (r == 1 || r == 3) {
                block.setRotation(4 - r);
            }
            break;
        default:
            break;
    }
    mirrorSlopeVertical(block.back());
    mirrorSlopeVertical(block.front());
}

std::int32_t nextSlopeClockwise(std::int32_t slope) {
    if (slope < 0 || slope > Flat) {
        return Flat;
    }
    return (slope + 8) % 9;
}

}  // namespace trundlex
