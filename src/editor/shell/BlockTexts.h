#pragma once

#include <QCoreApplication>
#include <QString>

#include "level/Block.h"

namespace trundlex {

// The words the editor uses for what a block is made of, in the user's language: the status
// bar describes the cell under the pointer with them and the palettes label their swatches.
class BlockTexts {
    Q_DECLARE_TR_FUNCTIONS(BlockTexts)

public:
    static QString shapeName(std::int32_t shape);
    static QString materialName(std::int32_t kind);
    // "flat", or where a ball rolls: "downhill to the right" ...
    static QString slopeName(std::int32_t slope);
    // "Grass, downhill to the left" or "Wall" for a flat one.
    static QString material(const Material& material);
    // The whole block: "Triangle turned 90°, back: Grass, front: Wall"; a plain square says
    // only its one material.
    static QString block(const Block& block);
};

}  // namespace trundlex
