#pragma once

#include <QKeySequence>
#include <QString>

#include "ball/BallTypes.h"

namespace trundlex {

// The speed commands that the game and the editor both offer, one for each of AllSpeedModes.

// What the speed mode does ("Half speed"), translated: the game's menu text, the editor's
// status tip. Empty for a value that is no speed mode.
QString speedModeDescription(SpeedMode mode);

// The speed command's key: Ctrl+0 for Pause, then one digit up per mode, Ctrl+7 for
// NextPosition. Empty for a value that is no speed mode.
QKeySequence speedModeShortcut(SpeedMode mode);

}  // namespace trundlex
