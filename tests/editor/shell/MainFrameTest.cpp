#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

#include "CMainFrame.h"
#include "EditorActions.h"
#include "EditorShellFixture.h"
#include "platform/AboutDialog.h"

namespace trundlex::testing {
namespace {

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() {
        frame.show();
        frame.activateWindow();
        active = QTest::qWaitForWindowActive(&frame);
    }

    // The texts of a bar's entries, "|" for a separator, joined by commas.
    static QString texts(const QList<QAction*>& actions, bool toolTips) {
        QStringList texts;
        for (QAction* action : actions) {
            texts << (action->isSeparator() ? QStringLiteral("|")
                      : toolTips            ? action->toolTip()
                                            : action->text());
        }
        return texts.join(QLatin1Char(','));
    }
    QAction* command(EditorCommand id) const { return frame.actions().action(id); }

    // The frame keeps its tool bar's place in the per-user settings: use a test location.
    struct TestPaths {
        TestPaths() { QStandardPaths::setTestModeEnabled(true); }
    } testPaths;
    QTemporaryDir folder;
    MemorySettingsStore store;
    RecentFileList recent{store};
    ScriptedPrompts prompts;
    CEditorDoc document{prompts, recent, folder.path()};
    CMainFrame frame{document, prompts, store, recent};
    bool active = false;
};

TEST_F(MainFrameTest, MenusToolBarAndTitleAreThoseOfTheEditor) {
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled[*] - Trundlex Editor"));
    EXPECT_EQ(texts(frame.menuBar()->actions(), false),
              QStringLiteral("&File,&Edit,&Tools,&Ball,&View,&Help"));
    EXPECT_EQ(texts(frame.toolBar()->actions(), true),
              QStringLiteral("New,Open,Save,|,Undo,Redo,|,Properties,|,Plot,Line,Rectangle,Frame,Fill,"
                             "Set Ball,|,Rotate block,Rotate back material,Rotate front material,|,"
                             "Test mode"));
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
    EXPECT_TRUE(command(EditorCommand::TestMode)->isEnabled());
    EXPECT_FALSE(command(EditorCommand::Stop)->isEnabled()) << "no ball rolls";
    EXPECT_TRUE(command(EditorCommand::ToolPlot)->isChecked());
    EXPECT_TRUE(command(EditorCommand::ShowGrid)->isChecked());
}

TEST_F(MainFrameTest, UndoRedoKeysWalkTheHistoryAndTheTitleMarksUnsavedChanges) {
    ASSERT_TRUE(active);
    CEditorView* view = frame.view();
    EXPECT_FALSE(frame.isWindowModified());
    // Saving gives the level a new ID; the blocks are what the steps change.
    const auto blocks = [this] {
        Level level = document.level();
        level.setId("");
        return level.toText();
    };
    const std::string empty = blocks();
    QTest::keyClick(view, Qt::Key_S);  // the brush's wall front to its back
    for (auto key : {Qt::Key_L, Qt::Key_C, Qt::Key_F}) {  // Line, Rectangle, Frame: a step each
        QTest::keyClick(view, key);
        const QPoint from(30, 80);
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, from + QPoint(150, 100));
        QTest::mouseRelease(view, Qt::LeftButton, {}, from + QPoint(150, 100));
    }
    const std::string drawn = blocks();
    EXPECT_NE(drawn, empty);
    EXPECT_TRUE(frame.isWindowModified());
    prompts.savePath = folder.filePath(QStringLiteral("steps.lev"));
    ASSERT_TRUE(document.fileSave());
    EXPECT_FALSE(frame.isWindowModified()) << "saved";
    for (int i = 0; i < 3; ++i) {
        QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_Z));
    }
    EXPECT_EQ(blocks(), empty);
    EXPECT_TRUE(frame.isWindowModified()) << "away from the saved state";
    QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(blocks(), drawn);
    EXPECT_FALSE(frame.isWindowModified()) << "back at the saved state";
}

TEST_F(MainFrameTest, ShortcutKeysReachTheView) {
    ASSERT_TRUE(active);
    CEditorView* view = frame.view();
    QTest::keyClick(view, Qt::Key_C);
    EXPECT_EQ(view->tool(), ToolRectangle);
    EXPECT_TRUE(command(EditorCommand::ToolRectangle)->isChecked());
    EXPECT_FALSE(command(EditorCommand::ToolPlot)->isChecked());
    QTest::keyClick(view, Qt::Key_B);
    EXPECT_EQ(view->tool(), ToolSetBall);

    // W and E turn the back and front slopes, S swaps the materials, Shift+R turns the block
    // with its slopes (R without them), Z flattens the front, A both.
    const Block& brush = view->brushStrip().brush();
    for (auto key : {Qt::Key_W, Qt::Key_E, Qt::Key_S}) {
        QTest::keyClick(view, key);
    }
    EXPECT_EQ(brush.back(), Material(Wall, 7));
    EXPECT_EQ(brush.front(), Material(Grass, 7));
    QTest::keyClick(view, Qt::Key_R, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_R);
    EXPECT_EQ(brush.rotation(), 2);
    EXPECT_EQ(brush.back().slope(), 5);
    QTest::keyClick(view, Qt::Key_Z);
    EXPECT_EQ(brush.front().slope(), Flat);
    EXPECT_EQ(brush.back().slope(), 5);
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(brush.back().slope(), Flat);

    QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
    EXPECT_FALSE(view->settings().showGrid());
    EXPECT_FALSE(command(EditorCommand::ShowGrid)->isChecked());
}

TEST_F(MainFrameTest, ClosingAsksToSaveAChangedLevel) {
    document.level().block(0, 0).fromText("S0T8");
    document.SetModifiedFlag(true);
    prompts.answers = {EditorPrompts::Answer::Cancel};
    QCloseEvent refused;
    QApplication::sendEvent(&frame, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(prompts.saveQuestions.size(), 1);

    prompts.answers = {EditorPrompts::Answer::No};
    QCloseEvent accepted;
    QApplication::sendEvent(&frame, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenuAndTheTitleFollowsTheFile) {
    EXPECT_FALSE(frame.recentActions()[0]->isVisible());
    prompts.savePath = folder.filePath(QStringLiteral("pond.lev"));
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("pond.lev[*] - Trundlex Editor"));
    EXPECT_TRUE(frame.recentActions()[0]->isVisible());
    EXPECT_TRUE(frame.recentActions()[0]->text().endsWith(QStringLiteral("pond.lev")));
    EXPECT_FALSE(frame.recentActions()[1]->isVisible());

    document.level().resize(4, 4);
    document.SetModifiedFlag(true);
    prompts.answers = {EditorPrompts::Answer::No};
    frame.recentActions()[0]->trigger();
    EXPECT_EQ(document.level().width(), 10) << "the recent file was opened again";
}

TEST_F(MainFrameTest, TestModeSpeedAndStopKeysReachTheView) {
    ASSERT_TRUE(active);
    CEditorView* view = frame.view();
    view->ball().SetSoundOn(false);
    QTest::keyClick(view, Qt::Key_7, Qt::ControlModifier);
    EXPECT_EQ(view->speedMode(), NextPosition);
    QTest::keyClick(view, Qt::Key_9, Qt::ControlModifier);
    EXPECT_EQ(view->speedMode(), Pause) << "Ctrl+0 fits the level, Ctrl+9 stops the ball";
    QTest::keyClick(view, Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(view->isTestMode());
    // A putt in Pause rolls on the spot until stopped; Stop is enabled only meanwhile.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 300));
    ASSERT_TRUE(view->isBallRunning());
    EXPECT_TRUE(command(EditorCommand::Stop)->isEnabled());
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_FALSE(view->isBallRunning());
    EXPECT_FALSE(command(EditorCommand::Stop)->isEnabled());
    EXPECT_EQ(view->ball().GetX(), 5.0) << "paused, it never left the start";
    QTest::keyClick(view, Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(view->isTestMode());
}

TEST_F(MainFrameTest, HelpOpensTheManualAndTheAboutBoxIsTheEditors) {
    QList<QUrl> opened;
    HyperLink::setOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    ASSERT_TRUE(active);
    QTest::keyClick(frame.view(), Qt::Key_F1);
    EXPECT_EQ(opened, QList<QUrl>{manualUrl()});
    const AboutContent content = CMainFrame::aboutContent();
    EXPECT_EQ(content.windowTitle, QStringLiteral("About Trundlex Editor"));
    EXPECT_EQ(content.manual, manualUrl());
    HyperLink::setOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); });
}

}  // namespace
}  // namespace trundlex::testing
