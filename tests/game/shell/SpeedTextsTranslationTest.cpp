// The speed commands' texts live in the platform library but are translated with each
// program's own catalogue: the context they are looked up in at run time must be the one
// lupdate files them under, or the menus stay English in a Swedish game.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "Language.h"
#include "platform/SpeedModeTexts.h"

namespace trundlex {
namespace {

TEST(SpeedTextsTranslation, SwedishGameShowsSwedishSpeedCommands) {
    ASSERT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    EXPECT_EQ(speedModeDescription(Pause), QStringLiteral("Stoppa bollen"));
    EXPECT_EQ(speedModeDescription(NextPosition),
              QStringLiteral("Flytta bollen direkt dit den stannar"));
}

}  // namespace
}  // namespace trundlex
