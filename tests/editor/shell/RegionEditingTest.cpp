// The Select tool, the region commands and their keys on a real view: what each does to the
// level and that each is one step of the history.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>

#include "EditorShellFixture.h"
#include "EditorStatusBar.h"
#include "model/EditorTool.h"

namespace trundlex::testing {
namespace {

using Rows = std::vector<std::string>;

class RegionEditingTest : public EditorShellTest {
protected:
    RegionEditingTest() {
        level() = asciiLevel({"..........", ".#i.......", ".s~.......", "..........",
                              "..........", "..........", "..........", "..........",
                              "..........", ".........."});
        document.history().clear();
        view.onInitialUpdate();
        // The clipboard outlives each test: blocks copied in one must not paste in the next.
        QGuiApplication::clipboard()->clear();
        // The keys reach the actions only in the active window.
        view.activateWindow();
        active = QTest::qWaitForWindowActive(&view);
    }

    // Selects the cells from (x1, y1) to (x2, y2) with the Select tool.
    void selectCells(int x1, int y1, int x2, int y2) {
        view.setTool(ToolSelect);
        stroke({at(x1, y1), at(x2, y2)});
    }
    // The steps of the history that are done (not undone).
    int steps() { return document.history().index(); }
    // Undoes one step; the level's rows after it.
    Rows undoOnce() {
        view.undo();
        return rows();
    }

    EditorActions actions{view};
    bool active = false;
};

TEST_F(RegionEditingTest, ADragWithSelectSelectsItsCellsAndChangesNothing) {
    selectCells(2, 2, 1, 1);
    EXPECT_EQ(view.regions().selection(), (CellRect{1, 1, 2, 2}));
    EXPECT_EQ(steps(), 0);
    EXPECT_TRUE(actions.action(EditorCommand::Copy)->isEnabled());
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(view.regions().hasSelection());
    EXPECT_FALSE(actions.action(EditorCommand::Copy)->isEnabled()) << "nothing to copy";
}

TEST_F(RegionEditingTest, CopyThenPasteMakesAStampThatAClickPutsDownAsOneStep) {
    ASSERT_TRUE(active);
    const Rows before = rows();
    selectCells(1, 1, 2, 2);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(view.regions().isStamping());
    EXPECT_EQ(rows(), before) << "a stamp changes nothing until it is put down";
    // The stamp follows the pointer, its middle (rounded toward its corner) under it.
    QTest::mouseMove(&view, at(6, 5));
    EXPECT_EQ(view.regions().stampRect(), (CellRect{6, 5, 2, 2}));
    QTest::mouseClick(&view, Qt::LeftButton, {}, at(6, 5));
    EXPECT_FALSE(view.regions().isStamping());
    EXPECT_EQ(rows()[5].substr(6, 2) + rows()[6].substr(6, 2), "#is~");
    EXPECT_EQ(rows()[1] + rows()[2], before[1] + before[2]) << "the copy stays";
    EXPECT_EQ(view.regions().selection(), (CellRect{6, 5, 2, 2})) << "what was put down";
    EXPECT_EQ(view.tool(), ToolSelect);
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(undoOnce(), before);
}

TEST_F(RegionEditingTest, AStampTurnsAboutTheCellUnderThePointerAndTurnsItsBlocks) {
    selectCells(1, 1, 3, 1);
    view.copyRegion();
    QTest::mouseMove(&view, at(5, 5));
    view.pasteRegion();
    EXPECT_EQ(view.regions().stampRect(), (CellRect{4, 5, 3, 1}));
    view.turnRegion(RegionTurn::Clockwise);
    EXPECT_EQ(view.regions().stampRect(), (CellRect{5, 4, 1, 3}));
    view.turnRegion(RegionTurn::CounterClockwise);
    EXPECT_EQ(view.regions().stampRect(), (CellRect{4, 5, 3, 1}));
    view.turnRegion(RegionTurn::MirrorLeftRight);
    EXPECT_EQ(steps(), 0) << "a stamp turns without touching the level";
    QTest::mouseClick(&view, Qt::LeftButton, {}, at(5, 5));
    EXPECT_EQ(rows()[5].substr(4, 3), ".i#");
}

TEST_F(RegionEditingTest, EscapeOrARightClickDropsAStampWithoutAStep) {
    selectCells(1, 1, 2, 2);
    view.copyRegion();
    view.pasteRegion();
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(view.regions().isStamping());
    view.pasteRegion();
    QTest::mouseClick(&view, Qt::RightButton, {}, at(7, 7));
    EXPECT_FALSE(view.regions().isStamping());
    EXPECT_EQ(steps(), 0);
    EXPECT_EQ(code(7, 7), "$");
}

TEST_F(RegionEditingTest, CutAndDeleteLeaveGrassAndEachUndoesInOneStep) {
    ASSERT_TRUE(active);
    const Rows before = rows();
    selectCells(1, 1, 2, 2);
    QTest::keyClick(&view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(rows(), Rows(10, ".........."));
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(undoOnce(), before);
    ASSERT_NE(view.regions().copied(), nullptr);
    EXPECT_EQ(asciiRows(*view.regions().copied()), (Rows{"#i", "s~"}));

    QTest::keyClick(&view, Qt::Key_Escape);  // else the drag would move the selection
    selectCells(2, 1, 2, 2);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(rows()[1] + rows()[2], ".#.........s........");
    EXPECT_EQ(undoOnce(), before);
}

TEST_F(RegionEditingTest, TurningTheSelectionTurnsItsBlocksAndTheSelectionInOneStep) {
    ASSERT_TRUE(active);
    const Rows before = rows();
    selectCells(1, 1, 2, 2);
    QTest::keyClick(&view, Qt::Key_T);
    // Clockwise: the left column (wall over sand) becomes the top row, sand on the left.
    EXPECT_EQ(view.document().level().block(1, 1).back().kind(), Sand);
    EXPECT_EQ(view.document().level().block(2, 1).back().kind(), Wall);
    EXPECT_EQ(view.document().level().block(1, 2).back().kind(), Water);
    EXPECT_EQ(steps(), 1);
    QTest::keyClick(&view, Qt::Key_T, Qt::ShiftModifier);
    EXPECT_EQ(rows(), before) << "counter-clockwise turns it back";
    QTest::keyClick(&view, Qt::Key_H);
    EXPECT_EQ(rows()[1] + rows()[2], ".i#........~s.......");
    QTest::keyClick(&view, Qt::Key_V);
    EXPECT_EQ(rows()[1] + rows()[2], ".~s........i#.......");
    EXPECT_EQ(steps(), 4);
    view.undo();
    view.undo();
    view.undo();
    EXPECT_EQ(undoOnce(), before) << "back before the first turn";
}

TEST_F(RegionEditingTest, DraggingInsideTheSelectionMovesItsBlocksInOneStep) {
    const Rows before = rows();
    selectCells(1, 1, 2, 2);
    stroke({at(1, 1), at(3, 2), at(5, 4)});
    EXPECT_EQ(rows()[1] + rows()[2], "....................");
    EXPECT_EQ(rows()[4].substr(5, 2) + rows()[5].substr(5, 2), "#is~");
    EXPECT_EQ(view.regions().selection(), (CellRect{5, 4, 2, 2}));
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(undoOnce(), before);
}

TEST_F(RegionEditingTest, EscapeDuringAMovePutsTheBlocksBack) {
    const Rows before = rows();
    selectCells(1, 1, 2, 2);
    QTest::mousePress(&view, Qt::LeftButton, {}, at(2, 2));
    QTest::mouseMove(&view, at(6, 6));
    EXPECT_NE(rows(), before) << "the blocks are lifted while they move";
    QTest::keyClick(&view, Qt::Key_Escape);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(6, 6));
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(steps(), 0);
}

// Test mode switched on during a move left the blocks lifted for good: the release never came.
TEST_F(RegionEditingTest, TestModeDuringAMovePutsTheBlocksBack) {
    const Rows before = rows();
    selectCells(1, 1, 2, 2);
    QTest::mousePress(&view, Qt::LeftButton, {}, at(2, 2));
    QTest::mouseMove(&view, at(6, 6));
    view.toggleTestMode();
    EXPECT_EQ(rows(), before);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(6, 6));
    view.toggleTestMode();
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(view.regions().isDragging());
    EXPECT_EQ(steps(), 0);
}

TEST_F(RegionEditingTest, ReplaceMaterialChangesOnlyTheSelectionWhenAskedInOneStep) {
    ASSERT_TRUE(active);
    level().block(8, 8).fromText("S0T8");
    selectCells(1, 1, 2, 2);
    prompts.materialChoice = MaterialReplacement{Wall, Ice, true};
    QTest::keyClick(&view, Qt::Key_H, Qt::ControlModifier);
    ASSERT_EQ(prompts.materialQuestions, std::vector<bool>{true});
    EXPECT_EQ(code(1, 1), "S0I8");
    EXPECT_EQ(code(8, 8), "S0T8") << "outside the selection";
    EXPECT_EQ(steps(), 1);

    prompts.materialChoice = MaterialReplacement{Ice, Sand, false};
    view.replaceMaterial();
    EXPECT_EQ(rows()[1] + rows()[2], ".ss........s~.......") << "the whole level";
    EXPECT_EQ(steps(), 2);
    view.undo();
    EXPECT_EQ(code(1, 1), "S0I8");

    prompts.materialChoice.reset();
    view.replaceMaterial();
    EXPECT_EQ(steps(), 1) << "cancelled: no step";
}

TEST_F(RegionEditingTest, TheSelectionKeepsToALevelMadeSmaller) {
    level().block(7, 6).fromText("S0T8");
    selectCells(6, 6, 9, 9);
    prompts.propertiesAnswer = [](LevelProperties& values) {
        values.width = 8;
        values.height = 7;
        return true;
    };
    view.editProperties();
    EXPECT_EQ(view.regions().selection(), (CellRect{6, 6, 2, 1}));
    view.deleteRegion();
    EXPECT_EQ(code(7, 6), "$") << "the cut-down selection still works";
    EXPECT_EQ(steps(), 2);
}

TEST_F(RegionEditingTest, TheStatusBarShowsTheSizeOfTheRectangleBeingDragged) {
    EditorStatusBar bar{view, actions};
    view.setTool(ToolRectangle);
    QTest::mousePress(&view, Qt::LeftButton, {}, at(1, 1));
    QTest::mouseMove(&view, at(5, 3));
    EXPECT_EQ(bar.sizeText(), QStringLiteral("5 × 3"));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(5, 3));
    EXPECT_EQ(bar.sizeText(), QString()) << "only while dragging";

    view.setTool(ToolSelect);
    QTest::mousePress(&view, Qt::LeftButton, {}, at(3, 6));
    QTest::mouseMove(&view, at(4, 2));
    EXPECT_EQ(bar.sizeText(), QStringLiteral("2 × 5"));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(4, 2));
    EXPECT_EQ(bar.sizeText(), QString());
}

TEST_F(RegionEditingTest, RegionCommandsHaveKeysAndRestInTestMode) {
    for (EditorCommand id :
         {EditorCommand::ToolSelect, EditorCommand::Cut, EditorCommand::Copy, EditorCommand::Paste,
          EditorCommand::DeleteRegion, EditorCommand::SelectAll,
          EditorCommand::TurnRegionClockwise, EditorCommand::TurnRegionCounterClockwise,
          EditorCommand::MirrorRegionLeftRight, EditorCommand::MirrorRegionTopBottom,
          EditorCommand::ReplaceMaterial}) {
        EXPECT_FALSE(actions.action(id)->shortcut().isEmpty()) << static_cast<int>(id);
    }
    selectCells(1, 1, 2, 2);
    view.copyRegion();
    EXPECT_TRUE(actions.action(EditorCommand::Paste)->isEnabled());
    view.toggleTestMode();
    EXPECT_FALSE(actions.action(EditorCommand::Paste)->isEnabled());
    EXPECT_FALSE(actions.action(EditorCommand::DeleteRegion)->isEnabled());
    const Rows before = rows();
    view.deleteRegion();
    EXPECT_EQ(rows(), before);
    view.toggleTestMode();
    EXPECT_TRUE(actions.action(EditorCommand::DeleteRegion)->isEnabled());
}

// --- The system clipboard ---

TEST_F(RegionEditingTest, CopiedBlocksGoToTheSystemClipboardAsBlocksAndAsLevelText) {
    ASSERT_TRUE(active);
    selectCells(1, 1, 2, 2);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QString::fromLatin1(RegionEditor::BlocksMimeType)));
    Level asTheGameReads;
    ASSERT_TRUE(asTheGameReads.fromText(data->text().toStdString())) << "plain text: a level";
    EXPECT_EQ(asciiRows(asTheGameReads), (Rows{"#i", "s~"}));
    EXPECT_EQ(data->data(QString::fromLatin1(RegionEditor::BlocksMimeType)),
              data->text().toUtf8());
}

// As another editor program puts them there: only the clipboard joins the two.
TEST_F(RegionEditingTest, BlocksFromAnotherEditorOnTheClipboardArePasted) {
    ASSERT_TRUE(active);
    const Level elsewhere = asciiLevel({"#~", "#~", "##"});
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(RegionEditor::BlocksMimeType),
                  QByteArray::fromStdString(elsewhere.toText()));
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_FALSE(view.regions().hasCopy()) << "nothing copied in this window";
    EXPECT_TRUE(actions.action(EditorCommand::Paste)->isEnabled());
    QTest::mouseMove(&view, at(4, 4));  // the pointer may rest on (5, 5) since the last test
    QTest::mouseMove(&view, at(5, 5));
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(view.regions().isStamping());
    EXPECT_EQ(view.regions().stampRect(), (CellRect{5, 4, 2, 3}));
    QTest::mouseClick(&view, Qt::LeftButton, {}, at(5, 5));
    EXPECT_EQ(rows()[4].substr(5, 2) + rows()[5].substr(5, 2) + rows()[6].substr(5, 2),
              "#~#~##");
    EXPECT_EQ(steps(), 1);

    // Plain text of a single row of blocks, as a text editor would hand it over.
    selectCells(1, 2, 2, 2);
    view.copyRegion();
    const QString row = QGuiApplication::clipboard()->text();
    QGuiApplication::clipboard()->setText(row);
    ASSERT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(
        QString::fromLatin1(RegionEditor::BlocksMimeType)));
    QTest::mouseMove(&view, at(8, 8));
    view.pasteRegion();
    EXPECT_EQ(view.regions().stampRect(), (CellRect{8, 8, 2, 1}));
}

TEST_F(RegionEditingTest, ForeignOrDamagedClipboardTextIsRefusedWithItsReason) {
    ASSERT_TRUE(active);
    EditorStatusBar bar{view, actions};
    QSignalSpy refusals(&view.regions(), &RegionEditor::refused);
    const Rows before = rows();
    selectCells(0, 0, 2, 2);
    view.copyRegion();
    const QString copied = QGuiApplication::clipboard()->text();

    const QString texts[] = {
        QStringLiteral("Meet at the ninth hole at four."),
        copied.left(copied.size() / 2),                      // cut short
        QString(copied).replace(QStringLiteral("{3}{3}"), QStringLiteral("{3}{500}")),
        QString(copied).replace(QStringLiteral("{3}{3}"), QStringLiteral("{3}{-1}")),
    };
    for (const QString& text : texts) {
        QGuiApplication::clipboard()->setText(text);
        EXPECT_TRUE(actions.action(EditorCommand::Paste)->isEnabled()) << "tried, and told why";
        QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
        EXPECT_FALSE(view.regions().isStamping()) << text.toStdString();
        EXPECT_EQ(rows(), before);
        EXPECT_EQ(bar.currentMessage(), refusals.back().front().toString());
    }
    ASSERT_EQ(refusals.size(), 4);
    QStringList reasons;
    for (const QList<QVariant>& refusal : refusals) {
        reasons << refusal.front().toString();
    }
    EXPECT_NE(reasons[0], reasons[1]) << "other text is not damaged blocks";
    EXPECT_NE(reasons[1], reasons[2]) << "too large is said as such";
    EXPECT_EQ(reasons[1], reasons[3]);
    EXPECT_EQ(steps(), 0);

    // A picture on the clipboard holds no blocks either.
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(picture);
    view.pasteRegion();
    EXPECT_FALSE(view.regions().isStamping());
    EXPECT_EQ(refusals.size(), 5);

    // With the clipboard empty, the blocks copied here still paste.
    QGuiApplication::clipboard()->clear();
    view.pasteRegion();
    EXPECT_TRUE(view.regions().isStamping());
    EXPECT_EQ(view.regions().stampRect().width, 3);
}

}  // namespace
}  // namespace trundlex::testing
