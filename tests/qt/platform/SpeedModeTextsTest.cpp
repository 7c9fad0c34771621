// The speed commands' texts and keys that the game and the editor share.
#include <gtest/gtest.h>

#include <QSet>

#include "platform/SpeedModeTexts.h"

namespace trundlex {
namespace {

TEST(SpeedModeTexts, EveryModeHasItsOwnTextAndCtrlDigitInCommandOrder) {
    // The speed keys run Ctrl+0 (pause) to Ctrl+7 (next resting place), as the manual says.
    const int keys[] = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3,
                        Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7};
    QSet<QString> texts;
    int i = 0;
    for (SpeedMode mode : AllSpeedModes) {
        EXPECT_EQ(speedModeShortcut(mode), QKeySequence(Qt::CTRL | keys[i])) << "mode " << mode;
        const QString text = speedModeDescription(mode);
        EXPECT_FALSE(text.isEmpty()) << "mode " << mode;
        texts.insert(text);
        ++i;
    }
    EXPECT_EQ(texts.size(), i) << "no two modes share a text";
    for (const int value : {-3, 6, 1000}) {
        const auto mode = static_cast<SpeedMode>(value);
        EXPECT_TRUE(speedModeDescription(mode).isEmpty() && speedModeShortcut(mode).isEmpty())
            << "no such mode: " << value;
    }
}

}  // namespace
}  // namespace trundlex
