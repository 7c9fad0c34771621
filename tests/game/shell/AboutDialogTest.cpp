// What the game's about box shows of the game; the box itself is tested with the platform
// library.
#include <gtest/gtest.h>

#include <QLocale>

#include "MainFrame.h"
#include "platform/AboutDialog.h"

namespace trundlex {
namespace {

TEST(GameAbout, NamesTheGameAndLinksToItsManual) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const AboutContent content = MainFrame::aboutContent();
    EXPECT_EQ(content.windowTitle, QStringLiteral("About Trundlex"));
    EXPECT_EQ(content.name, QStringLiteral("Trundlex"));
    EXPECT_EQ(content.version, QStringLiteral("1.0"));
    EXPECT_EQ(content.description,
              QStringLiteral("Minigolf for one or more players, on one computer or over the "
                             "network. Made by the Trundlex team at Brackwater Works."));
    EXPECT_FALSE(content.icon.isNull());
    EXPECT_TRUE(content.manual.toLocalFile().endsWith(QStringLiteral("Manual/index.html")));

    const AboutDialog about(content);
    ASSERT_EQ(about.links().size(), 3);
    EXPECT_EQ(about.links()[2]->url(), content.manual);
}

}  // namespace
}  // namespace trundlex
