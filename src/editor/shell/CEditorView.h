#pragma once

#include <QWidget>

#include "BrushStripPainter.h"
#include "LevelCommands.h"
#include "LevelPicture.h"
#include "RegionEditor.h"
#include "SlopePicker.h"
#include "StrokePreview.h"
#include "TestBall.h"
#include "ViewNavigator.h"
#include "ball/Ball.h"
#include "level/Level.h"
#include "model/BrushStrip.h"
#include "model/EditorLayout.h"
#include "model/EditorSettings.h"
#include "model/EditorTool.h"
#include "model/ParPutts.h"
#include "model/TestRound.h"

namespace trundlex {

class CEditorDoc;
class EditorPrompts;
class SettingsStore;

// The editor's window content: the brush strip on top and the level below it, edited with
// the mouse. A left press inside the level starts a stroke of the current tool (one undo
// step however many cells it paints), the release finishes it; a right click on a cell picks
// its block up as the brush, Ctrl + right click turns the block. While a stroke lasts the pointer counts as inside the level:
// positions beyond its edge are taken at the edge.
//
// In test mode the view shows only the level and the test ball: a left click putts the ball
// toward the pointer, and no other mouse action works. Shifting the level, Undo, Properties and
// Make fit still change the level, also under a rolling ball; the other whole-level commands
// do nothing until test mode ends.
class CEditorView : public QWidget {
    Q_OBJECT

public:
    // Loads the editor's settings from `store`; the destructor saves them. The document,
    // prompts and store must outlive the view.
    CEditorView(CEditorDoc& document, EditorPrompts& prompts, SettingsStore& store,
                QWidget* parent = nullptr);
    ~CEditorView() override;

    CEditorDoc& document() { return document_; }
    const BrushStrip& brushStrip() const { return strip_; }
    // The 8-way pickers of the slopes of the brush's back and front, side by side in the strip
    // right of the materials. The front one rests while the brush is a square, which shows no
    // front, and both rest, hidden, in test mode.
    SlopePicker& slopePicker(BlockPart part) {
        return part == BlockPart::Back ? *backSlopePicker_ : *frontSlopePicker_;
    }
    static constexpr int SlopePickerLeft = 636;
    static constexpr int SlopePickerGap = 8;
    const EditorLayout& layout() const { return layout_; }
    // The level as the screen shows it; drawn first when a change left that to the next paint.
    const LevelPicture& picture();
    const EditorSettings& settings() const { return settings_; }
    // The ball that marks the start position and rolls in test mode.
    Ball& ball() { return testBall_.ball(); }

    EditorTool tool() const { return tool_; }
    // Chooses the tool for the next stroke; values outside the tools are ignored. Choosing a
    // tool other than Select drops the selection.
    void setTool(EditorTool tool);

    // The selection, the copied blocks and the stamp (see RegionEditor). The commands below
    // do nothing in test mode; each change of the level is one undo step.
    RegionEditor& regions() { return regions_; }
    const RegionEditor& regions() const { return regions_; }
    void copyRegion() {
        if (!isTestMode()) {
            regions_.copy();
        }
    }
    void cutRegion() {
        if (!isTestMode()) {
            regions_.cut();
        }
    }
    void deleteRegion() {
        if (!isTestMode()) {
            regions_.deleteSelection();
        }
    }
    void turnRegion(RegionTurn turn) {
        if (!isTestMode()) {
            regions_.turn(turn);
        }
    }
    void selectAll();
    // Shows the copied blocks as a stamp under the pointer; a click puts them down, after
    // which they are selected with the Select tool.
    void pasteRegion();
    // Asks which material is to become which, in the selection or the whole level, and
    // replaces it.
    void replaceMaterial();
    // The rectangle of cells being dragged out by Select, Rectangle, Frame or Line (a line's
    // bounding box); nullopt when none is.
    std::optional<CellRect> draggedRect() const;

    // Commands. The brush commands change only the brush and repaint it.
    void rotateBackMaterial() { strip_.rotateBackSlope(), repaintBrush(); }
    void resetBackRotation() { strip_.resetBackSlope(), repaintBrush(); }
    void rotateFrontMaterial() { strip_.rotateFrontSlope(), repaintBrush(); }
    void resetFrontRotation() { strip_.resetFrontSlope(), repaintBrush(); }
    void resetBothRotations() { strip_.resetBothSlopes(), repaintBrush(); }
    void rotateBrush(bool withMaterials) { strip_.rotateBrush(withMaterials), repaintBrush(); }
    void swapMaterials() { strip_.swapBrushMaterials(), repaintBrush(); }
    void setBackSlope(std::int32_t slope) { strip_.setBackSlope(slope), repaintBrush(); }
    void setFrontSlope(std::int32_t slope) { strip_.setFrontSlope(slope), repaintBrush(); }
    // Steps back or forward through the strokes, block turns, shifts, transformations and
    // property changes. A stroke in progress is dropped first.
    void undo();
    void redo();
    // Drops the stroke in progress: the level is as it was before the button went down.
    void cancelStroke();
    // Ends what the mouse is doing before the level is saved or tested: a Plot stroke keeps
    // the cells it painted as one undo step; a stroke that paints only on release (Line,
    // Rectangle, Frame, Fill, the start) and a move of selected blocks are dropped. The button
    // still down then does nothing more.
    void settleStroke();
    // The Level Properties dialog on the level; OK resizes and renames it (no undo step).
    void editProperties();
    void toggleGrid();
    // The game's modern look instead of the classic one, for the level and the ball in both
    // editing and test mode; kept in the settings. Grid, selection, stamp and tool previews
    // are drawn over either.
    void setModernLook(bool on);
    void toggleModernLook() { setModernLook(!settings_.modernLook()); }
    bool isModernLook() const { return settings_.modernLook(); }
    // The test ball's sound, kept in the settings.
    void toggleSound();
    bool isSoundOn() const { return testBall_.ball().IsSoundOn(); }
    // Where the test ball's sounds go; null plays none. Not owned.
    void setSoundPlayer(SoundPlayer* player) { testBall_.ball().SetSoundPlayer(player); }

    // The whole-level commands: the quarter turn, the flips, Make fit, the random level.
    LevelCommands& levelCommands() { return commands_; }

    // Test mode: on puts the test ball on the level's start; off stops it and shows the
    // brush strip again.
    void toggleTestMode();
    bool isTestMode() const { return testBall_.isOn(); }
    // Stops the rolling test ball where it is.
    void stopBall();
    bool isBallRunning() const { return testBall_.isRunning(); }
    // The strokes of the current (or last) go in test mode and how its last putt ended.
    const TestRound& testRound() const { return round_; }
    // Speed mode of the test ball, -2 (pause) ... 5 (straight to the resting place).
    void setSpeedMode(SpeedMode mode);
    SpeedMode speedMode() const { return testBall_.speedMode(); }

    // Zoom around the pointer when it is over the view, else around the middle; fit shows
    // the whole level.
    void zoomIn() { navigator_->zoomIn(zoomAnchor()); }
    void zoomOut() { navigator_->zoomOut(zoomAnchor()); }
    void zoomToFit() { navigator_->fit(); }
    int zoomPercent() const { return navigator_->zoomPercent(); }

    // The cell under the pointer; false while the pointer is not over the level.
    bool hoveredCell(Cell& cell) const;

    // Frames these cells on the level, for a problem the designer looks up (none: no frame).
    void setHighlightedCells(const std::vector<Cell>& cells);
    const std::vector<Cell>& highlightedCells() const { return highlighted_; }
    // Draws these putts over the level, numbered from 1 where each is played (none: no
    // putts). Not in test mode, where the test ball's own putts count.
    void setShownPutts(const std::vector<PuttPath>& putts);
    const std::vector<PuttPath>& shownPutts() const { return shownPutts_; }

    // A new or opened level: lays it out, draws it and repaints everything.
    void onInitialUpdate();

signals:
    void toolChanged(EditorTool tool);
    void gridChanged(bool shown);
    void lookChanged(bool modern);
    void soundChanged(bool on);
    void testModeChanged(bool on);
    void ballRunningChanged(bool running);
    void speedModeChanged(SpeedMode mode);
    // A test putt began or ended.
    void testRoundChanged();
    // The zoom or the part of the level shown changed.
    void viewChanged();
    // The pointer moved onto another cell, or off the level.
    void hoveredCellChanged();
    // The rectangle being dragged out changed, came or went (see draggedRect).
    void dragChanged();

protected:
    bool event(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The smallest cell, in pixels, that the grid is drawn over.
    static constexpr int MinGridCell = 6;
    bool gridShown() const;
    Level& level();
    // After the level's size or contents changed as a whole: layout, picture, full repaint.
    void relayout();
    // Redraws cells of the picture and repaints them.
    void redrawCells(Cell a, Cell b);
    // Redraws the whole picture and repaints the level.
    void redrawLevel();
    // Repaints the level's pixels from the picture.
    void redrawLevelArea();
    void repaintPixels(const PixelRect& rect);
    void repaintBrush();
    // The slope pickers show the brush's slopes, the front one only for a shape with a front.
    void updateSlopePickers();
    PixelRect bandRect(PixelPoint anchor, PixelPoint current) const;
    // Paints the brush into every cell on the line from `from` to `to` (pixels inside the
    // level) that does not already match it, so that a quick stroke leaves no gaps.
    void plotAlong(PixelPoint from, PixelPoint to);
    void finishStroke(PixelPoint p, Qt::KeyboardModifiers modifiers);
    void rightClick(PixelPoint p, Qt::KeyboardModifiers modifiers);
    void hover(PixelPoint p);
    void leaveTestMode();
    void roundEnded(bool inCup, BallLoss loss);
    // The test ball and, while it rests under a pointer over the view, the aim and force.
    void paintTestBall(QPainter& painter);
    // The ball in the current look (the start marker, or the test ball).
    void paintBall(QPainter& painter);
    QPoint zoomAnchor() const;
    // After a zoom or a scroll.
    void navigated(bool zoomed);
    // The Select tool's and the stamp's share of the mouse; true when they took the event.
    bool regionPress(PixelPoint p);
    bool regionMove(PixelPoint p, Qt::MouseButtons buttons);
    bool regionRelease(PixelPoint p, Qt::MouseButton button);

    CEditorDoc& document_;
    EditorPrompts& prompts_;
    EditorSettings settings_;
    EditorLayout layout_;
    BrushStrip strip_;
    TestBall testBall_;
    LevelCommands commands_;
    LevelPicture picture_;
    BrushStripPainter stripPainter_;
    StrokePreview preview_;
    ViewNavigator* navigator_;
    SlopePicker* backSlopePicker_;
    SlopePicker* frontSlopePicker_;
    EditorTool tool_ = ToolPlot;
    PixelPoint anchor_;
    PixelPoint current_;
    bool drawing_ = false;
    Level beforeStroke_;
    Cell hovered_;
    bool hovering_ = false;
    // Test mode: the pointer the next putt aims at, while it is over the view.
    PixelPoint aim_;
    bool aiming_ = false;
    TestRound round_;
    std::vector<Cell> highlighted_;
    std::vector<PuttPath> shownPutts_;
    void paintShownPutts(QPainter& painter);
    RegionEditor regions_;
};

}  // namespace trundlex
