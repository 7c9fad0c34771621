// The editor's two looks (the game's classic and modern drawing of a level) and the 8-way
// picker of the brush's slope.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

#include "BrushStripPainter.h"
#include "EditorShellFixture.h"
#include "SlopePicker.h"
#include "render/BlockRenderer.h"
#include "render/LevelDrawing.h"
#include "render/MaterialStyle.h"
#include "render/ModernRenderer.h"

namespace trundlex::testing {
namespace {

// The level as the game draws it outside the playfield in `look`, at `cell` pixels a block.
QImage gameDrawing(const Level& level, Look look, int cell) {
    QImage image(level.width() * cell, level.height() * cell, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    BlockRenderer classic;
    ModernRenderer modern;
    QPainter painter(&image);
    drawLevelInLook(painter, look, classic, modern, level, 0, 0, cell, 1.0);
    return image;
}

// Pixels of the view's picture that differ from `drawing`, leaving out the black lines the
// picture draws along its top and left edge.
int differingPixels(const QImage& picture, const QImage& drawing) {
    int count = 0;
    for (int y = 1; y < drawing.height(); ++y) {
        for (int x = 1; x < drawing.width(); ++x) {
            count += picture.pixel(x, y) != drawing.pixel(x, y);
        }
    }
    return count;
}

class EditorLookTest : public EditorShellTest {
protected:
    void SetUp() override {
        ASSERT_EQ(view.layout().cellSize(), Cell);
        // Slopes in four directions, a cup and walls: what the looks draw differently.
        document.level() = levelWithStart({"##########",
                                           "#........#",
                                           "#.<<>>...#",
                                           "#.^^vv.O.#",
                                           "#........#",
                                           "#........#",
                                           "#........#",
                                           "#........#",
                                           "#........#",
                                           "##########"},
                                          2.5, 4.5);
        view.onInitialUpdate();
        ASSERT_EQ(view.layout().cellSize(), Cell);
    }
    void hideGrid() {
        if (view.settings().showGrid()) {
            view.toggleGrid();
        }
    }
};

TEST_F(EditorLookTest, TheModernLookDrawsTheLevelAsTheGameDoesAndTheClassicOneStays) {
    hideGrid();
    ASSERT_FALSE(view.isModernLook()) << "the classic look until chosen";
    const QImage classic = view.picture().image();
    EXPECT_EQ(differingPixels(classic, gameDrawing(level(), Look::Classic, Cell)), 0);

    view.setModernLook(true);
    const QImage modern = view.picture().image();
    EXPECT_EQ(differingPixels(modern, gameDrawing(level(), Look::Modern, Cell)), 0)
        << "the game's own modern rendering, flags and all";
    EXPECT_GT(differingPixels(modern, classic), 10000);

    // A slope shows: its cell differs from the same grass without one.
    auto cellImage = [&modern](int x, int y) {
        return modern.copy(x * Cell + 1, y * Cell + 1, Cell - 2, Cell - 2);
    };
    EXPECT_NE(cellImage(2, 2), cellImage(2, 4)) << "downhill to the left vs. flat grass";
    EXPECT_NE(cellImage(2, 2), cellImage(4, 2)) << "left vs. right";

    view.setModernLook(false);
    EXPECT_EQ(view.picture().image(), classic);
}

TEST_F(EditorLookTest, EditsInTheModernLookAreDrawnTheGameWay) {
    hideGrid();
    view.setModernLook(true);
    pickBack(Water);
    stroke({at(7, 1), at(8, 1)});
    EXPECT_EQ(differingPixels(view.picture().image(), gameDrawing(level(), Look::Modern, Cell)),
              0);
    view.undo();
    EXPECT_EQ(differingPixels(view.picture().image(), gameDrawing(level(), Look::Modern, Cell)),
              0);
}

TEST_F(EditorLookTest, GridSelectionAndPreviewsShowOverTheModernLook) {
    view.setModernLook(true);
    ASSERT_TRUE(view.settings().showGrid());
    const QImage withGrid = view.picture().image();
    hideGrid();
    const QImage without = view.picture().image();
    // The line between cells 3 and 4 of row 4 (plain grass).
    EXPECT_NE(withGrid.pixel(4 * Cell, 4 * Cell + 20), without.pixel(4 * Cell, 4 * Cell + 20));
    EXPECT_EQ(withGrid.pixel(4 * Cell + 20, 4 * Cell + 20),
              without.pixel(4 * Cell + 20, 4 * Cell + 20))
        << "inside the cell the grid changes nothing";

    // A rectangle of sand being dragged shows over the level before it is painted.
    pickBack(Sand);
    view.setTool(ToolRectangle);
    const QImage idle = view.grab().toImage();
    QTest::mousePress(&view, Qt::LeftButton, {}, at(1, 4));
    QTest::mouseMove(&view, at(3, 4));
    const QImage dragging = view.grab().toImage();
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(3, 4));
    // The preview lies see-through over the level: nearer the sand than the grass was.
    auto distanceToSand = [](QColor c) {
        const QColor sand = kindColour(Sand);
        return std::abs(c.red() - sand.red()) + std::abs(c.green() - sand.green()) +
               std::abs(c.blue() - sand.blue());
    };
    const QPoint inside = at(1, 4, 10, 10);
    EXPECT_LT(distanceToSand(dragging.pixelColor(inside)) * 2,
              distanceToSand(idle.pixelColor(inside)));

    // The selection's outline: a white and dashed frame round the cells.
    view.setTool(ToolSelect);
    const QImage before = view.grab().toImage();
    stroke({at(5, 1), at(6, 2)});
    ASSERT_TRUE(view.regions().hasSelection());
    const QImage selected = view.grab().toImage();
    const QPoint edge = at(5, 1, 0, Cell / 2);
    EXPECT_NE(selected.pixel(edge), before.pixel(edge));
}

TEST_F(EditorLookTest, TestModeKeepsTheLookAndTheBallIsDrawnInIt) {
    hideGrid();
    const QImage classicScreen = view.grab().toImage();
    view.setModernLook(true);
    const QImage modernScreen = view.grab().toImage();
    const QPoint ball = at(2, 4);  // the start, at the middle of cell (2, 4)
    EXPECT_NE(modernScreen.pixel(ball), view.picture().image().pixel(2 * Cell + 20, 4 * Cell + 20))
        << "the start ball shows over the level";
    EXPECT_NE(modernScreen.pixel(ball), classicScreen.pixel(ball)) << "the ball in the modern look";

    view.toggleTestMode();
    ASSERT_TRUE(view.isTestMode());
    EXPECT_EQ(differingPixels(view.picture().image(), gameDrawing(level(), Look::Modern, Cell)),
              0);
    EXPECT_FALSE(view.slopePicker(BlockPart::Back).isEnabled()) << "the brush rests in test mode";
    EXPECT_FALSE(view.slopePicker(BlockPart::Back).isVisible()) << "over test mode's mouse rules";
    EXPECT_FALSE(view.slopePicker(BlockPart::Front).isVisible());
    view.toggleTestMode();
    EXPECT_TRUE(view.slopePicker(BlockPart::Back).isEnabled());
    EXPECT_TRUE(view.slopePicker(BlockPart::Back).isVisible());
    EXPECT_TRUE(view.slopePicker(BlockPart::Front).isVisible());
}

TEST_F(EditorLookTest, TheLookIsAViewMenuChoiceRememberedForTheNextStart) {
    {
        CMainFrame frame(document, prompts, store, recent);
        QAction* look = frame.actions().action(EditorCommand::ModernLook);
        ASSERT_NE(look, nullptr);
        EXPECT_TRUE(look->isCheckable());
        EXPECT_FALSE(look->isChecked());
        bool inViewMenu = false;
        for (QMenu* menu : frame.findChildren<QMenu*>()) {
            inViewMenu |= menu->objectName() == QStringLiteral("viewMenu") &&
                          menu->actions().contains(look);
        }
        EXPECT_TRUE(inViewMenu);
        look->trigger();
        EXPECT_TRUE(frame.view()->isModernLook());
        EXPECT_TRUE(look->isChecked());
    }
    CMainFrame again(document, prompts, store, recent);
    EXPECT_TRUE(again.view()->isModernLook());
    EXPECT_TRUE(again.actions().action(EditorCommand::ModernLook)->isChecked());
    again.view()->toggleModernLook();
    EXPECT_FALSE(again.actions().action(EditorCommand::ModernLook)->isChecked())
        << "the check mark follows the view";
}

// --- The slope picker ---

using EditorSlopePickerTest = EditorLookTest;

const std::pair<std::int32_t, const char*> kSlopeNames[] = {
    {SlopeRight, "Downhill to the right"},
    {SlopeUpRight, "Downhill to the upper right"},
    {SlopeUp, "Downhill toward the top"},
    {SlopeUpLeft, "Downhill to the upper left"},
    {SlopeLeft, "Downhill to the left"},
    {SlopeDownLeft, "Downhill to the lower left"},
    {SlopeDown, "Downhill toward the bottom"},
    {SlopeDownRight, "Downhill to the lower right"},
    {Flat, "Flat"},
};

TEST_F(EditorSlopePickerTest, AClickOnEachButtonSetsTheBrushsSlopeAndShowsIt) {
    SlopePicker& picker = view.slopePicker(BlockPart::Back);
    EXPECT_TRUE(picker.isVisible());
    pickBack(Ice);
    const Block& brush = view.brushStrip().brush();
    for (const auto& [slope, name] : kSlopeNames) {
        QToolButton* button = picker.button(slope);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(name));
        EXPECT_FALSE(button->toolTip().isEmpty());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(brush.back().slope(), slope) << name;
        EXPECT_EQ(brush.back().kind(), Ice) << "the material stays";
        for (const auto& [other, otherName] : kSlopeNames) {
            EXPECT_EQ(picker.button(other)->isChecked(), other == slope)
                << otherName << " after " << name;
        }
    }
}

TEST_F(EditorSlopePickerTest, ArrowsAroundTheMiddleAreWhereTheBallRolls) {
    // Each arrow button lies from the flat one in the direction of its slope.
    const QPoint middle = view.slopePicker(BlockPart::Back).button(Flat)->geometry().center();
    for (const auto& [slope, name] : kSlopeNames) {
        if (slope == Flat) {
            continue;
        }
        const QPoint offset = view.slopePicker(BlockPart::Back).button(slope)->geometry().center() - middle;
        const double angle = std::atan2(-offset.y(), offset.x());
        const double expected = slope * std::acos(-1.0) / 4.0;
        EXPECT_NEAR(std::remainder(angle - expected, 2 * std::acos(-1.0)), 0.0, 1e-9) << name;
    }
}

TEST_F(EditorSlopePickerTest, TheKeyboardWalksTheGridAndPicks) {
    SlopePicker& picker = view.slopePicker(BlockPart::Back);
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Tab);
    ASSERT_TRUE(picker.button(Flat)->hasFocus()) << "Tab enters the grid at the current slope";
    const Block& brush = view.brushStrip().brush();
    const Level before = level();
    // Round the grid clockwise from the right, picking each one.
    struct Step {
        Qt::Key move;
        Qt::Key pick;
        std::int32_t slope;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::Key_Space, SlopeRight},
        {Qt::Key_Down, Qt::Key_Return, SlopeDownRight},
        {Qt::Key_Left, Qt::Key_Space, SlopeDown},
        {Qt::Key_Left, Qt::Key_Enter, SlopeDownLeft},
        {Qt::Key_Up, Qt::Key_Space, SlopeLeft},
        {Qt::Key_Up, Qt::Key_Space, SlopeUpLeft},
        {Qt::Key_Right, Qt::Key_Space, SlopeUp},
        {Qt::Key_Right, Qt::Key_Space, SlopeUpRight},
        {Qt::Key_Right, Qt::Key_Space, SlopeUpRight},  // the edge of the grid stops it
    };
    for (const Step& step : steps) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), step.move);
        QTest::keyClick(QApplication::focusWidget(), step.pick);
        EXPECT_EQ(brush.back().slope(), step.slope);
        EXPECT_TRUE(picker.button(step.slope)->isChecked());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(brush.back().slope(), Flat);
    EXPECT_EQ(level(), before) << "the arrow keys moved in the grid, not the level";
}

TEST_F(EditorSlopePickerTest, ThePickedSlopeIsWhatAPaintedBlockGets) {
    for (const auto& [slope, name] : kSlopeNames) {
        pickBack(Ice);
        QTest::mouseClick(view.slopePicker(BlockPart::Back).button(slope), Qt::LeftButton);
        stroke({at(slope, 4)});
        EXPECT_EQ(level().block(slope, 4).back(), Material(Ice, slope)) << name;
    }
}

TEST_F(EditorSlopePickerTest, ThePickerFollowsTheBrushChangedElsewhere) {
    SlopePicker& picker = view.slopePicker(BlockPart::Back);
    QTest::mouseClick(picker.button(SlopeUp), Qt::LeftButton);
    view.rotateBackMaterial();  // W: on clockwise, to the upper right
    EXPECT_TRUE(picker.button(SlopeUpRight)->isChecked());
    pickBack(Sand);  // a new material starts flat
    EXPECT_TRUE(picker.button(Flat)->isChecked());
    QTest::mouseClick(&view, Qt::RightButton, {}, at(4, 2));  // picks up grass downhill right
    EXPECT_TRUE(picker.button(SlopeRight)->isChecked());
}

// The shape palette's button of `shape`.
QPoint shapeButton(const BrushStrip& strip, std::int32_t shape) {
    for (const ToolButton& button : strip.shapeButtons()) {
        if (button.block.shape() == shape) {
            return QPoint(button.rect.left + 3, button.rect.top + 3);
        }
    }
    ADD_FAILURE() << "no button for shape " << shape;
    return {};
}

TEST_F(EditorSlopePickerTest, EachPartOfAShapedBlockGetsItsOwnPickedSlope) {
    SlopePicker& back = view.slopePicker(BlockPart::Back);
    SlopePicker& front = view.slopePicker(BlockPart::Front);
    EXPECT_TRUE(front.isVisible());
    EXPECT_NE(back.caption().text(), front.caption().text()) << "each says which part it sets";
    EXPECT_FALSE(back.geometry().intersects(front.geometry()));
    EXPECT_FALSE(front.isEnabled()) << "the square brush shows no front to slope";

    QTest::mouseClick(&view, Qt::LeftButton, {}, shapeButton(view.brushStrip(), Triangle));
    ASSERT_EQ(view.brushStrip().brush().shape(), Triangle);
    EXPECT_TRUE(front.isEnabled());
    pickBack(Ice);
    pickFront(Sand);
    QTest::mouseClick(back.button(SlopeLeft), Qt::LeftButton);
    QTest::mouseClick(front.button(SlopeDown), Qt::LeftButton);
    EXPECT_TRUE(back.button(SlopeLeft)->isChecked()) << "the front's click leaves the back";
    EXPECT_TRUE(front.button(SlopeDown)->isChecked());
    EXPECT_NE(back.button(Flat)->toolTip(), front.button(Flat)->toolTip());

    stroke({at(6, 5)});
    const Block& painted = level().block(6, 5);
    EXPECT_EQ(painted.shape(), Triangle);
    EXPECT_EQ(painted.back(), Material(Ice, SlopeLeft));
    EXPECT_EQ(painted.front(), Material(Sand, SlopeDown));

    // The front alone changes; a block painted afterwards keeps the back's slope.
    QTest::mouseClick(front.button(SlopeUpRight), Qt::LeftButton);
    stroke({at(7, 5)});
    EXPECT_EQ(level().block(7, 5).back(), Material(Ice, SlopeLeft));
    EXPECT_EQ(level().block(7, 5).front(), Material(Sand, SlopeUpRight));

    // Back to a square: the front picker rests again.
    QTest::mouseClick(&view, Qt::LeftButton, {}, shapeButton(view.brushStrip(), Square));
    EXPECT_FALSE(front.isEnabled());
    QTest::mouseClick(&view, Qt::LeftButton, {}, shapeButton(view.brushStrip(), Circle));
    EXPECT_TRUE(front.isEnabled());
    view.toggleTestMode();
    EXPECT_FALSE(front.isEnabled());
    view.toggleTestMode();
    EXPECT_TRUE(front.isEnabled()) << "test mode over, with a circle for the brush";
}

// The pickers grew a caption and came to cover the end of the Swedish line of mouse rules.
TEST_F(EditorSlopePickerTest, ThePickersLeaveTheLineOfMouseRulesFree) {
    const QRect rule = BrushStripPainter::ruleRect(view.width());
    for (const BlockPart part : {BlockPart::Back, BlockPart::Front}) {
        const QRect picker = view.slopePicker(part).geometry();
        EXPECT_FALSE(picker.intersects(rule));
        EXPECT_GE(picker.top(), 0);
        EXPECT_LE(picker.right(), view.minimumWidth()) << "all of it in the narrowest view";
    }
}

TEST_F(EditorSlopePickerTest, APickedUpBlockShowsTheSlopeOfEachOfItsParts) {
    Block block;
    block.setShape(HalfDisc);
    block.back() = Material(Grass, SlopeUpLeft);
    block.front() = Material(Ice, SlopeRight);
    level().block(3, 6) = block;
    view.onInitialUpdate();
    QTest::mouseClick(&view, Qt::RightButton, {}, at(3, 6));
    ASSERT_EQ(view.brushStrip().brush(), block);
    EXPECT_TRUE(view.slopePicker(BlockPart::Back).button(SlopeUpLeft)->isChecked());
    EXPECT_TRUE(view.slopePicker(BlockPart::Front).button(SlopeRight)->isChecked());
    EXPECT_TRUE(view.slopePicker(BlockPart::Front).isEnabled());
}

}  // namespace
}  // namespace trundlex::testing
