#include <QApplication>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "EditorShellFixture.h"
#include "model/EditorTool.h"
#include "render/MaterialStyle.h"

namespace trundlex::testing {
namespace {

using Rows = std::vector<std::string>;

class EditorViewTest : public EditorShellTest {
protected:
    void SetUp() override {
        ASSERT_EQ(view.layout().cellSize(), Cell);
        pickBack(Wall);
    }
};

TEST_F(EditorViewTest, PlotStrokeIsOneUndoStep) {
    ASSERT_EQ(view.tool(), ToolPlot) << "the first tool is Plot";
    // The first move already lies in the next cell: the cell under the press still counts.
    stroke({at(1, 1), at(2, 1), at(3, 1), at(3, 2), at(3, 2, 39, 39)});
    EXPECT_EQ(rows()[1] + rows()[2], ".###.........#......");
    EXPECT_TRUE(document.IsModified());

    stroke({at(6, 6)});
    EXPECT_EQ(code(6, 6), "S0T8") << "a click without moving plots on release";

    view.undo();
    EXPECT_EQ(code(6, 6), "$");
    EXPECT_EQ(code(3, 2), "S0T8");
    view.undo();
    EXPECT_EQ(rows(), Rows(10, "..........")) << "the whole stroke is one step";
    EXPECT_FALSE(document.IsModified()) << "back at the state the level started in";
}

// Plot painted only the cells where mouse events arrived, so a quick stroke left gaps.
TEST_F(EditorViewTest, AQuickPlotStrokePaintsEveryCellThePointerPasses) {
    const QPoint from = at(1, 1, 10, 30);
    const QPoint to = at(8, 6, 25, 5);
    stroke({from, to});  // the pointer jumps seven cells across and five down at once
    int walls = 0;
    for (const std::string& row : rows()) {
        walls += static_cast<int>(std::count(row.begin(), row.end(), '#'));
    }
    EXPECT_EQ(walls, 7 + 5 + 1) << "a cell joined to the next by a side, along the way only";
    for (int s = 0; s <= 1000; ++s) {
        const double x = from.x() + s / 1000.0 * (to.x() - from.x());
        const double y = from.y() + s / 1000.0 * (to.y() - from.y());
        const int cx = static_cast<int>(std::floor((x - 5) / Cell));
        const int cy = static_cast<int>(std::floor((y - Top) / Cell));
        ASSERT_EQ(code(cx, cy), "S0T8") << "a gap at (" << cx << ", " << cy << ")";
    }
    view.undo();
    EXPECT_EQ(rows(), Rows(10, "..........")) << "the stroke is still one step";

    // A release away from the last move reported: the line to it is painted too.
    QTest::mousePress(&view, Qt::LeftButton, {}, at(0, 9));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(9, 9));
    EXPECT_EQ(rows()[9], "##########");
}

TEST_F(EditorViewTest, EachToolDrawsWhatTheStrokeSpans) {
    // The shapes themselves are the editing model's; the view hands each tool the cells from
    // the press to the release.
    view.setTool(ToolRectangle);
    stroke({at(1, 1), at(2, 2), at(3, 2)});
    view.setTool(ToolFrame);
    stroke({at(9, 9), at(7, 7), at(6, 5)});
    view.setTool(ToolLine);
    stroke({at(0, 9), at(2, 7), at(4, 5)});
    pickBack(Water);
    view.setTool(ToolFill);
    stroke({at(7, 7)});
    EXPECT_EQ(rows(), (Rows{
                          "..........",
                          ".###......",
                          ".###......",
                          "..........",
                          "..........",
                          "....#.####",
                          "...#..#~~#",
                          "..#...#~~#",
                          ".#....#~~#",
                          "#.....####",
                      }));
}

TEST_F(EditorViewTest, SetBallPlacesTheStartAndShiftSnapsToHalfBlocks) {
    view.setTool(ToolSetBall);
    stroke({at(2, 3, 10, 30)});
    EXPECT_EQ(std::pair(level().startX(), level().startY()), std::pair(2.25, 3.75));

    stroke({at(6, 1, 13, 35)}, Qt::ShiftModifier);
    EXPECT_EQ(std::pair(level().startX(), level().startY()), std::pair(6.5, 2.0));
}

TEST_F(EditorViewTest, RightClickPicksUpABlockAndCtrlRightClickTurnsIt) {
    level().block(4, 4).fromText("P1I3S8");
    QTest::mouseClick(&view, Qt::RightButton, {}, at(4, 4));
    EXPECT_EQ(view.brushStrip().brush().toText(), "P1I3S8");
    EXPECT_TRUE(view.brushStrip().shapeButtons()[0].selected) << "the palette keeps its choice";

    QTest::mouseClick(&view, Qt::RightButton, Qt::ControlModifier, at(4, 4));
    EXPECT_EQ(code(4, 4), "P2I3S8");
    QTest::mouseClick(&view, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier, at(4, 4));
    EXPECT_EQ(code(4, 4), "P3I1S8") << "with Shift the slope turns along";

    view.undo();
    EXPECT_EQ(code(4, 4), "P2I3S8") << "each turn is an undo step";
}

// A square block read from a file carries an unseen front sloping to the right; picking it
// up and then choosing a shape painted that slope, which nobody had chosen.
TEST_F(EditorViewTest, APickedUpSquareBringsNoSlopeToTheShapesPaintedAfterIt) {
    level().block(2, 2).fromText("S0S8");
    QTest::mouseClick(&view, Qt::RightButton, {}, at(2, 2));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(70 + 3 * 50 + 20, 25));  // Triangle
    stroke({at(5, 5)});
    const Block& painted = level().block(5, 5);
    EXPECT_EQ(painted.shape(), Triangle);
    EXPECT_EQ(painted.back(), Material(Sand, Flat));
    EXPECT_EQ(painted.front().slope(), Flat) << painted.toText();
}

TEST_F(EditorViewTest, PaletteClicksChangeTheBrush) {
    // Left on a material: back kind; right: front kind; left on a shape: the shape.
    pickBack(Sand);
    pickFront(Water);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(70 + 3 * 50 + 20, 25));
    const Block& brush = view.brushStrip().brush();
    EXPECT_EQ(brush.shape(), Triangle);
    EXPECT_EQ(brush.back().kind(), Sand);
    EXPECT_EQ(brush.front().kind(), Water);

    // The small buttons turn the slopes (left) and flatten them (right); the preview turns
    // the block, with Shift its materials too. What each command does is the strip's.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(15, 30));
    EXPECT_EQ(std::pair(brush.back().slope(), brush.front().slope()), std::pair(7, 7));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(45, 25));
    EXPECT_EQ(brush.rotation(), 1);
    EXPECT_EQ(brush.back().slope(), 5);
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(15, 15));
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(15, 30));
    EXPECT_TRUE(brush.back().slope() == Flat && brush.front().slope() == Flat);
    EXPECT_EQ(code(0, 0), "$") << "clicks in the strip never touch the level";
}

TEST_F(EditorViewTest, PictureShowsTheLevelWithGridAndRedrawsEdits) {
    const QImage& before = view.picture().image();
    ASSERT_EQ(before.size(), QSize(10 * Cell + 1, 10 * Cell + 1));
    EXPECT_EQ(before.pixelColor(Cell, 20), QColor(Qt::black)) << "grid line";
    EXPECT_EQ(before.pixelColor(20, 20), kindColour(Grass));

    stroke({at(1, 0)});
    EXPECT_EQ(view.picture().image().pixelColor(Cell + 20, 20), kindColour(Wall));

    view.toggleGrid();
    EXPECT_FALSE(view.settings().showGrid());
    EXPECT_EQ(view.picture().image().pixelColor(3 * Cell, 20), kindColour(Grass));
    EXPECT_EQ(view.picture().image().pixelColor(0, 20), QColor(Qt::black)) << "left edge line";
}

TEST_F(EditorViewTest, ScreenShowsBrushSlopeMarksAndRubberBand) {
    pickBack(Water);
    view.rotateBackMaterial();  // slope 7: the mark points down-right
    view.setTool(ToolRectangle);
    QTest::mousePress(&view, Qt::LeftButton, {}, at(1, 1));
    QTest::mouseMove(&view, at(3, 2));
    const QImage screen = view.grab().toImage();
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(3, 2));

    const MaterialStyle sloped = styleOf(Material(Water, 7));
    const QColor preview = screen.pixelColor(45, 25);
    EXPECT_TRUE(preview == sloped.colour || preview == sloped.lineColour) << "preview: water";
    EXPECT_EQ(screen.pixelColor(350 + 50 * Water, 25), kindColour(Water));
    EXPECT_EQ(screen.pixelColor(330, 5), QColor(Qt::black)) << "material buttons are framed";
    auto blackIn = [&screen](const PixelRect& r) {
        const QImage part = screen.copy(r.left, r.top, r.right - r.left, r.bottom - r.top);
        int count = 0;
        for (int i = 0; i < part.width() * part.height(); ++i) {
            count += part.pixelColor(i % part.width(), i / part.width()) == QColor(Qt::black);
        }
        return count;
    };
    EXPECT_GE(blackIn(BrushStrip::BackButtonRect), 8) << "the sloped back carries a mark";
    EXPECT_EQ(blackIn(BrushStrip::FrontButtonRect), 0) << "the flat front carries none";
}

TEST_F(EditorViewTest, DragToolsPreviewTheirBlocksUntilReleaseAndEscapeDropsThem) {
    for (EditorTool tool : {ToolLine, ToolRectangle, ToolFrame}) {
        view.setTool(tool);
        QTest::mousePress(&view, Qt::LeftButton, {}, at(1, 1));
        QTest::mouseMove(&view, at(4, 1));
        const QImage shown = view.grab().toImage();
        EXPECT_NE(shown.pixelColor(at(2, 1)), kindColour(Grass)) << tool << ": previewed";
        EXPECT_EQ(shown.pixelColor(at(2, 2)), kindColour(Grass)) << tool << ": outside the drag";
        EXPECT_EQ(rows()[1], "..........") << tool << ": nothing placed before the release";
        QTest::keyClick(&view, Qt::Key_Escape);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, at(4, 1));
        EXPECT_EQ(rows()[1], "..........") << tool << ": Escape dropped the drag";
        EXPECT_EQ(view.grab().toImage().pixelColor(at(2, 1)), kindColour(Grass)) << tool;
    }
    EXPECT_EQ(document.history().count(), 0);

    stroke({at(1, 1), at(4, 1)});
    EXPECT_EQ(rows()[1], ".####.....") << "a released drag places its blocks";
    EXPECT_EQ(document.history().count(), 1) << "as one undo step";
}

TEST(EditorViewSettings, GridAndSoundSwitchesAreSavedWhenTheViewCloses) {
    MemorySettingsStore store;
    RecentFileList recent(store);
    ScriptedPrompts prompts;
    CEditorDoc document(prompts, recent, QString());
    {
        CEditorView view(document, prompts, store);
        view.toggleGrid();
        view.toggleSound();
        EXPECT_EQ(store.valueCount(), 0u) << "nothing is written before the view closes";
    }
    CEditorView reopened(document, prompts, store);
    EXPECT_FALSE(reopened.settings().showGrid());
    EXPECT_FALSE(reopened.ball().IsSoundOn());
}

TEST_F(EditorViewTest, ZoomKeepsTheCellUnderThePointerPanMovesAndFitShowsItAll) {
    const QPoint pointer = at(3, 4, 10, 30);
    auto cellUnder = [this](QPoint p) {
        trundlex::Cell cell{-1, -1};
        view.layout().cellAt({p.x(), p.y()}, cell);
        return std::pair(cell.x, cell.y);
    };
    auto wheel = [this](QPoint p, int steps) {
        QWheelEvent event(p, view.mapToGlobal(p), {}, QPoint(0, 120 * steps), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    };
    for (int step = 0; step < 3; ++step) {
        const int before = view.layout().cellSize();
        wheel(pointer, 1);
        EXPECT_GT(view.layout().cellSize(), before);
        EXPECT_EQ(cellUnder(pointer), std::pair(3, 4)) << "after zoom step " << step;
    }
    EXPECT_EQ(view.picture().image().width(), 10 * view.layout().cellSize() + 1);

    const int scrollY = view.layout().scrollY();
    QTest::mousePress(&view, Qt::MiddleButton, {}, pointer);
    QTest::mouseMove(&view, pointer + QPoint(0, -30));
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, pointer + QPoint(0, -30));
    EXPECT_EQ(view.layout().scrollY(), scrollY + 30) << "dragged up: the level moves up";

    const auto panned = cellUnder(pointer);
    wheel(pointer, -1);
    EXPECT_EQ(cellUnder(pointer), panned) << "zooming out keeps it as well";
    view.zoomToFit();
    EXPECT_EQ(view.layout().cellSize(), Cell);
    EXPECT_EQ(std::pair(view.layout().scrollX(), view.layout().scrollY()), std::pair(0, 0));
}

}  // namespace
}  // namespace trundlex::testing
