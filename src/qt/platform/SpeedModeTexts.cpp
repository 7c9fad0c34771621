#include "SpeedModeTexts.h"

#include <QCoreApplication>
#include <iterator>

namespace trundlex {

namespace {

// In the order of AllSpeedModes.
const char* const kDescriptions[] = {
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Stop ball"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Half speed"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Normal speed"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Double speed"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Triple speed"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Quadruple speed"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Move the ball as fast as possible"),
    QT_TRANSLATE_NOOP("SpeedModeTexts", "Jump to where the ball stops"),
};
static_assert(std::size(kDescriptions) == std::size(AllSpeedModes));

// The mode's place among the speed commands; -1 for a value that is no speed mode.
int commandIndex(SpeedMode mode) {
    return mode >= Pause && mode <= NextPosition ? mode - Pause : -1;
}

}  // namespace

QString speedModeDescription(SpeedMode mode) {
    const int index = commandIndex(mode);
    return index < 0 ? QString()
                     : QCoreApplication::translate("SpeedModeTexts", kDescriptions[index]);
}

QKeySequence speedModeShortcut(SpeedMode mode) {
    const int index = commandIndex(mode);
    return index < 0 ? QKeySequence()
                     : QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + index));
}

}  // namespace trundlex
