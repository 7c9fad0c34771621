#include "BlockTexts.h"

#include <array>

namespace trundlex {

QString BlockTexts::shapeName(std::int32_t shape) {
    static constexpr std::array<const char*, BlockShapeCount> names = {
        QT_TR_NOOP("Square"), QT_TR_NOOP("Circle"), QT_TR_NOOP("Triangle"),
        QT_TR_NOOP("Quarter disc"), QT_TR_NOOP("Half disc")};
    return shape >= 0 && shape < BlockShapeCount ? tr(names[static_cast<std::size_t>(shape)])
                                                 : QString();
}

QString BlockTexts::materialName(std::int32_t kind) {
    static constexpr std::array<const char*, MaterialKindCount> names = {
        QT_TR_NOOP("Grass"), QT_TR_NOOP("Wall"), QT_TR_NOOP("Ice"),
        QT_TR_NOOP("Cup"),   QT_TR_NOOP("Sand"), QT_TR_NOOP("Water")};
    return kind >= 0 && kind < MaterialKindCount ? tr(names[static_cast<std::size_t>(kind)])
                                                 : QString();
}

QString BlockTexts::slopeName(std::int32_t slope) {
    // Counter-clockwise from the right, as SlopeDirection counts.
    static constexpr std::array<const char*, 9> names = {
        QT_TR_NOOP("downhill to the right"), QT_TR_NOOP("downhill to the upper right"),
        QT_TR_NOOP("downhill toward the top"),       QT_TR_NOOP("downhill to the upper left"),
        QT_TR_NOOP("downhill to the left"),  QT_TR_NOOP("downhill to the lower left"),
        QT_TR_NOOP("downhill toward the bottom"),     QT_TR_NOOP("downhill to the lower right"),
        QT_TR_NOOP("flat")};
    return slope >= 0 && slope <= Flat ? tr(names[static_cast<std::size_t>(slope)]) : QString();
}

QString BlockTexts::material(const Material& material) {
    const QString kind = materialName(material.kind());
    return material.slope() == Flat ? kind
                                    : tr("%1, %2").arg(kind, slopeName(material.slope()));
}

QString BlockTexts::block(const Block& block) {
    if (block.isPlain()) {
        return material(block.back());
    }
    const QString shape = block.rotation() == 0
                              ? shapeName(block.shape())
                              : tr("%1 turned %2°").arg(shapeName(block.shape()))
                                    .arg(90 * block.rotation());
    return tr("%1; back: %2; front: %3").arg(shape, material(block.back()), material(block.front()));
}

}  // namespace trundlex
