#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolTip>

#include "CMainFrame.h"
#include "EditorActions.h"
#include "EditorShellFixture.h"
#include "EditorStatusBar.h"
#include "LevelCheckDialog.h"
#include "level/LevelFile.h"
#include "support/AsciiLevel.h"
#include "platform/AboutDialog.h"

namespace trundlex::testing {
namespace {

class MainFrameTest : public EditorWindowTest {
protected:

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
};

TEST_F(MainFrameTest, MenusToolBarAndTitleAreThoseOfTheEditor) {
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled[*] - Trundlex Editor"));
    EXPECT_EQ(texts(frame.menuBar()->actions(), false),
              QStringLiteral("&File,&Edit,&Tools,&Ball,&View,&Help"));
    EXPECT_EQ(texts(frame.toolBar()->actions(), true),
              QStringLiteral("New,Open,Save,|,Undo,Redo,|,Properties,|,Plot,Line,Rectangle,Frame,Fill,"
                             "Set Ball,Select,|,Rotate block,Rotate back material,Rotate front material,|,"
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
    // Saving gives a changed level a new ID; the blocks are what the steps change.
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

TEST_F(MainFrameTest, StatusBarNamesTheCellUnderThePointerTheToolAndTheZoom) {
    auto* bar = qobject_cast<EditorStatusBar*>(frame.statusBar());
    ASSERT_NE(bar, nullptr);
    CEditorView* view = frame.view();
    Block& block = document.level().block(3, 4);
    block.setShape(Triangle);
    block.setRotation(1);
    block.back() = Material(Grass, SlopeLeft);
    block.front() = Material(Wall, Flat);
    const EditorLayout& layout = view->layout();
    const int half = layout.cellSize() / 2;
    const QPoint pointer(layout.originX() + 3 * layout.cellSize() + half,
                         layout.originY() + 4 * layout.cellSize() + half);
    QTest::mouseMove(view, pointer);
    for (const char* part : {"(3, 4)", "Triangle turned 90°", "Grass, downhill to the left", "Wall"}) {
        EXPECT_TRUE(bar->cellText().contains(QString::fromUtf8(part))) << bar->cellText().toStdString();
    }
    QTest::mouseClick(view, Qt::LeftButton, {}, pointer);
    EXPECT_EQ(bar->cellText(), QStringLiteral("(3, 4) Grass")) << "a plot under a still pointer";
    QTest::mouseMove(view, QPoint(20, 20));
    EXPECT_TRUE(bar->cellText().isEmpty()) << "off the level";

    EXPECT_EQ(bar->toolText(), QStringLiteral("Tool: Plot"));
    view->setTool(ToolFrame);
    EXPECT_EQ(bar->toolText(), QStringLiteral("Tool: Frame"));
    EXPECT_EQ(bar->zoomText(), QStringLiteral("Zoom 100%"));
    view->zoomIn();
    EXPECT_NE(bar->zoomText(), QStringLiteral("Zoom 100%"));
    view->toggleTestMode();
    EXPECT_TRUE(bar->cellText().contains(QStringLiteral("harder the putt")));
    view->toggleTestMode();
}

TEST_F(MainFrameTest, PaletteSwatchesExplainThemselves) {
    CEditorView* view = frame.view();
    auto tipAt = [view](QPoint p) {
        QHelpEvent event(QEvent::ToolTip, p, view->mapToGlobal(p));
        QApplication::sendEvent(view, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_TRUE(tipAt(QPoint(350 + 50 * Water, 25)).startsWith(QStringLiteral("Water: left click")));
    EXPECT_TRUE(tipAt(QPoint(70 + 50 * 3 + 20, 25)).startsWith(QStringLiteral("Triangle:")));
    EXPECT_TRUE(tipAt(QPoint(45, 25)).contains(QStringLiteral("The brush: Grass.")));
    EXPECT_TRUE(BrushStripPainter::toolTipAt(view->brushStrip(), {20, EditorLayout::OriginY + 20})
                    .isEmpty()) << "no tip on the level";
    // Every swatch carries its name underneath: dark text pixels under each button.
    const QImage shown = view->grab().toImage();
    for (const auto* palette : {&view->brushStrip().shapeButtons(), &view->brushStrip().materialButtons()}) {
        for (const ToolButton& button : *palette) {
            int dark = 0;
            for (int y = button.rect.bottom + 1; y < EditorLayout::OriginY - 16; ++y) {
                for (int x = button.rect.left; x < button.rect.right; ++x) {
                    dark += qGray(shown.pixel(x, y)) < 100;
                }
            }
            EXPECT_GT(dark, 5) << "label under the swatch at " << button.rect.left;
        }
    }
}

TEST_F(MainFrameTest, TheProblemSelectedInCheckLevelIsMarkedOnTheLevelUntilTheDialogCloses) {
    document.level() = asciiLevel({"....", ".#..", "..O."});
    document.level().setStart(1.5, 1.5);
    frame.checkLevelAction()->trigger();
    frame.levelCheckDialog()->selectProblem(0);
    EXPECT_EQ(frame.view()->highlightedCells(), (std::vector<Cell>{{1, 1}}));
    frame.levelCheckDialog()->close();
    EXPECT_TRUE(frame.view()->highlightedCells().empty());
}

TEST_F(MainFrameTest, CheckLevelWarnsOnSaveAndTheWindowKeepsItsGeometry) {
    frame.checkLevelAction()->trigger();
    EXPECT_TRUE(frame.levelCheckDialog()->isVisible());
    EXPECT_TRUE(frame.levelCheckDialog()->text().contains(QStringLiteral("The level has no cup.")));

    prompts.savePath = QDir(folder.path()).filePath(QStringLiteral("a.lev"));
    prompts.saveWithProblems = false;
    EXPECT_FALSE(document.fileSaveAs());
    EXPECT_EQ(prompts.warnings, QStringList{QStringLiteral("The level has no cup.")});
    EXPECT_FALSE(QFile::exists(prompts.savePath)) << "the user chose not to save";
    prompts.saveWithProblems = true;
    EXPECT_TRUE(document.fileSaveAs()) << "the warning may be ignored";

    frame.resize(820, 560);
    frame.close();
    EXPECT_FALSE(frame.levelCheckDialog()->isVisible()) << "closes with the window";
    CMainFrame again(document, prompts, store, recent);
    EXPECT_EQ(again.size(), QSize(820, 560));
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

// Test mode or Ctrl+S pressed with the mouse button still down on a Plot stroke: test mode
// left the painted cells without an undo step, and the save wrote the half-done stroke while
// the level still counted as unchanged.
TEST_F(MainFrameTest, TestModeAndSaveInTheMiddleOfAPlotStrokeKeepItAsOneUndoStep) {
    ASSERT_TRUE(active);
    CEditorView* view = frame.view();
    const auto centre = [view](int x, int y) {
        const PixelRect r = view->layout().cellsRect({x, y}, {x, y});
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    const auto row = [this](int y) { return asciiRows(document.level())[y]; };
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(350 + 50 * Wall, 25));  // wall brush
    ASSERT_EQ(view->tool(), ToolPlot);
    ASSERT_EQ(row(1), "..........");

    QTest::mousePress(view, Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseMove(view, centre(3, 1));
    QTest::keyClick(view, Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(view->isTestMode());
    EXPECT_EQ(row(1), ".###......");
    EXPECT_EQ(document.history().index(), 1) << "the stroke so far is a step of its own";
    QTest::keyClick(view, Qt::Key_T, Qt::ControlModifier);
    ASSERT_FALSE(view->isTestMode());
    QTest::mouseMove(view, centre(5, 1), 0);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre(6, 1));
    EXPECT_EQ(row(1), ".###......") << "the button let go afterwards paints nothing";
    EXPECT_EQ(document.history().index(), 1);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(row(1), "..........");
    EXPECT_FALSE(document.IsModified());

    prompts.savePath = folder.filePath(QStringLiteral("stroke.lev"));
    QTest::mousePress(view, Qt::LeftButton, {}, centre(1, 5));
    QTest::mouseMove(view, centre(4, 5));
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts.saveFolders.size(), 1u) << "asked where to save";
    EXPECT_FALSE(document.IsModified()) << "what was saved is what the level holds";
    Level saved;
    ASSERT_EQ(loadLevelFile(prompts.savePath.toStdString(), saved), LevelLoadResult::Loaded);
    EXPECT_EQ(asciiRows(saved)[5], ".####.....");
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre(8, 5));
    EXPECT_EQ(row(5), ".####.....");
    EXPECT_FALSE(document.IsModified());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(row(5), "..........") << "Undo takes the saved stroke back whole";
    EXPECT_TRUE(document.IsModified());
}

// A rectangle paints only on release: test mode or a save in the middle drops it, and the
// button let go later paints nothing.
TEST_F(MainFrameTest, TestModeAndSaveInTheMiddleOfARectangleDropIt) {
    ASSERT_TRUE(active);
    CEditorView* view = frame.view();
    const auto centre = [view](int x, int y) {
        const PixelRect r = view->layout().cellsRect({x, y}, {x, y});
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(350 + 50 * Wall, 25));
    view->setTool(ToolRectangle);
    const std::vector<std::string> empty = asciiRows(document.level());

    QTest::mousePress(view, Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseMove(view, centre(4, 4));
    ASSERT_TRUE(view->draggedRect().has_value());
    QTest::keyClick(view, Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(view->isTestMode());
    EXPECT_FALSE(view->draggedRect().has_value());
    QTest::keyClick(view, Qt::Key_T, Qt::ControlModifier);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre(4, 4));
    EXPECT_EQ(asciiRows(document.level()), empty);
    EXPECT_EQ(document.history().index(), 0);

    prompts.savePath = folder.filePath(QStringLiteral("rect.lev"));
    QTest::mousePress(view, Qt::LeftButton, {}, centre(2, 2));
    QTest::mouseMove(view, centre(5, 6));
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre(5, 6));
    EXPECT_EQ(asciiRows(document.level()), empty);
    EXPECT_FALSE(document.IsModified());
}

}  // namespace
}  // namespace trundlex::testing
