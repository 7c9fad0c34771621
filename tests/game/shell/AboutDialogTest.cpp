#include <gtest/gtest.h>

#include <QLocale>

#include "AboutDialog.h"

namespace trundlex {
namespace {

TEST(AboutDialog, LinksOpenWithTheDesktopAndTheManualFollowsTheLanguage) {
    QList<QUrl> opened;
    HyperLink::setOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    AboutDialog about;
    const QList<HyperLink*> links = about.links();
    ASSERT_EQ(links.size(), 3);
    for (HyperLink* link : links) {
        EXPECT_TRUE(link->open());
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    }
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(opened[2].toLocalFile().endsWith(QStringLiteral("Manual/index.html")));

    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_TRUE(manualUrl().toLocalFile().endsWith(QStringLiteral("Manual/index-se.html")));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    HyperLink::setOpener([](const QUrl&) { return true; });
}

TEST(AboutDialog, FailureReasonNamesAMissingFile) {
    EXPECT_EQ(HyperLink::failureReason(QUrl::fromLocalFile(QStringLiteral("/no/such/file.html"))),
              QStringLiteral("The specified file was not found."));
    EXPECT_EQ(HyperLink::failureReason(QUrl(QStringLiteral("gopher://x"))),
              QStringLiteral("There is no application associated\nwith the given filename extension."));
}

}  // namespace
}  // namespace trundlex
