// The about box both programs show and its links: what it shows of the program it is given,
// how the links open, and what the user is told when a link cannot be opened.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/AboutDialog.h"

namespace trundlex {
namespace {

AboutContent sampleContent() {
    QPixmap square(16, 16);
    square.fill(Qt::darkGreen);
    return {QStringLiteral("About Sample"),
            QStringLiteral("Sample & Co"),
            QStringLiteral("2.5"),
            QStringLiteral("A program made for this test."),
            QUrl::fromLocalFile(QStringLiteral("/tmp/sample-manual.html")),
            QIcon(square)};
}

// Replaces the desktop as the opener of links for the test's lifetime, recording what it was
// asked to open and answering `succeed`.
class RecordingOpener {
public:
    explicit RecordingOpener(bool succeed) {
        HyperLink::setOpener([this, succeed](const QUrl& url) {
            opened << url;
            return succeed;
        });
    }
    ~RecordingOpener() {
        HyperLink::setOpener([](const QUrl&) { return false; });
    }
    RecordingOpener(const RecordingOpener&) = delete;
    RecordingOpener& operator=(const RecordingOpener&) = delete;

    QList<QUrl> opened;
};

TEST(AboutDialog, ShowsTheProgramItIsGiven) {
    const AboutDialog about(sampleContent());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Sample"));
    QStringList texts;
    bool iconShown = false;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        texts << label->text();
        iconShown = iconShown || !label->pixmap().isNull();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("<h2>Sample &amp; Co 2.5</h2>")));
    EXPECT_TRUE(texts.contains(QStringLiteral("A program made for this test.")));
    EXPECT_TRUE(iconShown);
}

TEST(AboutDialog, LinksOpenWithALeftClickOnly) {
    RecordingOpener opener(true);
    const AboutDialog about(sampleContent());
    const QList<HyperLink*> links = about.links();
    ASSERT_EQ(links.size(), 3) << "the web page, the mail address and the manual";
    EXPECT_EQ(links[2]->url(), sampleContent().manual);
    for (HyperLink* link : links) {
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(link->toolTip(), link->url().toString());
    }
    QTest::mouseClick(links[1], Qt::LeftButton);
    QTest::mouseClick(links[2], Qt::RightButton);
    EXPECT_EQ(opener.opened, QList<QUrl>{links[1]->url()});
}

TEST(AboutDialog, ALinkThatCannotBeOpenedIsToldUnderTheProgramsName) {
    RecordingOpener opener(false);
    const AboutDialog about(sampleContent());
    HyperLink* manual = about.links().value(2);
    ASSERT_NE(manual, nullptr);
    // The message box is read and closed once it is shown.
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            box->close();
        }
    });
    EXPECT_FALSE(manual->open());
    EXPECT_TRUE(opener.opened.isEmpty()) << "a missing file is not handed to the desktop";
    EXPECT_EQ(shown, QStringLiteral(
                         "Sample & Co|Can't open /tmp/sample-manual.html.\n\nThe file was not found."));
    // Addresses are named as the user knows them.
    EXPECT_TRUE(HyperLink::failureText(QUrl(QStringLiteral("mailto:team@example.org")))
                    .startsWith(QStringLiteral("Can't open team@example.org.\n\nNo program")));
    EXPECT_TRUE(HyperLink::failureText(QUrl(QStringLiteral("https://example.org/x")))
                    .startsWith(QStringLiteral("Can't open https://example.org/x.")));
}

}  // namespace
}  // namespace trundlex
