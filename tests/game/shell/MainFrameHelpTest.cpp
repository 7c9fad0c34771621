// Help in the main window: F1 finds the manual on a computer without a browser, About and the
// files shipped with the game name the one project version, and the status bar fits the start
// screen.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>

#include "GameShellFixture.h"
#include "MainFrame.h"
#include "ManualWindow.h"

namespace trundlex::testing {
namespace {

const QString ProjectVersion = QStringLiteral(TRUNDLEX_PROJECT_VERSION);

class MainFrameHelpTest : public GameShellTest {
protected:
    void TearDown() override { ManualWindow::setBrowser(nullptr); }

    static QAction* actionNamed(const MainFrame& frame, const QString& text) {
        for (QAction* action : frame.findChildren<QAction*>()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
    static QString sourceFile(const char* path) {
        QFile file(QStringLiteral(TRUNDLEX_SOURCE_DIR "/") + QString::fromLatin1(path));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

// F1 used to hand the manual to xdg-open, which on a desktop without a browser showed nothing.
TEST_F(MainFrameHelpTest, F1WithoutABrowserShowsTheManualInAWindowOfTheGame) {
    QList<QUrl> asked;
    ManualWindow::setBrowser([&asked](const QUrl& url) {
        asked << url;
        return false;
    });
    MainFrame frame(context_);
    frame.show();
    QAction* help = frame.view()->action(GameCommand::Help);
    ASSERT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    ASSERT_EQ(asked.size(), 1) << "a browser is tried first";
    auto* window = frame.findChild<ManualWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->browser()->source(), asked.front());
    EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("Starting a game")))
        << "the shipped manual, not an empty page";

    // A second F1 brings the same window forward rather than opening another.
    help->trigger();
    EXPECT_EQ(frame.findChildren<ManualWindow*>().size(), 1);

    // The link to the other language is followed inside the window.
    window->browser()->setSource(
        window->browser()->source().resolved(QUrl(QStringLiteral("index-se.html"))));
    EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("Trundlex")));
    EXPECT_TRUE(window->browser()->isBackwardAvailable());
}

TEST_F(MainFrameHelpTest, F1WithABrowserLeavesTheManualToIt) {
    int opened = 0;
    ManualWindow::setBrowser([&opened](const QUrl& url) {
        opened += url.isLocalFile() && url.fileName().startsWith(QStringLiteral("index"));
        return true;
    });
    MainFrame frame(context_);
    frame.view()->action(GameCommand::Help)->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(frame.findChild<ManualWindow*>(), nullptr);
}

TEST_F(MainFrameHelpTest, AMissingManualIsToldNotShownEmpty) {
    bool asked = false;
    ManualWindow::setBrowser([&asked](const QUrl&) { return asked = true; });
    QWidget parent;
    QString told;
    QTimer::singleShot(0, [&told] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            for (const QLabel* label : box->findChildren<QLabel*>()) {
                told += label->text();
            }
            box->close();
        }
    });
    const QUrl gone = QUrl::fromLocalFile(QStringLiteral("/nonexistent/Manual/index.html"));
    EXPECT_EQ(ManualWindow::show(gone, &parent), nullptr);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(told.contains(QStringLiteral("index.html"))) << told.toStdString();
}

TEST_F(MainFrameHelpTest, AboutShowsTheProjectVersion) {
    MainFrame frame(context_);
    frame.show();
    QAction* about = actionNamed(frame, QStringLiteral("&About Trundlex..."));
    ASSERT_NE(about, nullptr);
    QString heading;
    QTimer::singleShot(0, [&heading] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            for (const QLabel* label : box->findChildren<QLabel*>()) {
                if (label->text().startsWith(QStringLiteral("<h2>"))) {
                    heading = label->text();
                }
            }
            box->close();
        }
    });
    about->trigger();
    EXPECT_EQ(heading, QStringLiteral("<h2>Trundlex %1</h2>").arg(ProjectVersion));
}

// The package takes the project's version from CMake; the AppStream releases and the README
// are written by hand and must follow it.
TEST_F(MainFrameHelpTest, ShippedDescriptionsNameTheProjectVersion) {
    const QRegularExpression release(QStringLiteral("<release version=\"([^\"]+)\""));
    for (const char* path : {"packaging/org.brackwater.Trundlex.metainfo.xml",
                             "packaging/org.brackwater.TrundlexEditor.metainfo.xml"}) {
        const QRegularExpressionMatch newest = release.match(sourceFile(path));
        ASSERT_TRUE(newest.hasMatch()) << path;
        EXPECT_EQ(newest.captured(1), ProjectVersion) << path << ": the newest release comes first";
    }
    const QRegularExpression readme(QStringLiteral("^This is Trundlex ([0-9.]+)\\."),
                                    QRegularExpression::MultilineOption);
    const QRegularExpressionMatch line = readme.match(sourceFile("README.md"));
    ASSERT_TRUE(line.hasMatch());
    EXPECT_EQ(line.captured(1), ProjectVersion);
}

TEST_F(MainFrameHelpTest, TheStatusBarOfTheStartScreenDoesNotSendPlayersToF2) {
    MainFrame frame(context_);
    frame.show();
    const QLabel* status = frame.statusBar()->findChild<QLabel*>();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(frame.view()->startScreen()->isVisible());
    EXPECT_FALSE(status->text().contains(QStringLiteral("F2")));
    EXPECT_TRUE(
        status->text().contains(frame.view()->action(GameCommand::Help)->shortcut().toString()));
}

}  // namespace
}  // namespace trundlex::testing
