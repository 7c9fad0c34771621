#include "CEditorView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "CEditorDoc.h"
#include "model/BlockEditing.h"
#include "model/LevelEditing.h"
#include "render/BallRenderer.h"

namespace trundlex {

namespace {

PixelPoint pixelOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Half-block steps for placing the start with Shift held.
double snapToHalf(double value) {
    return std::floor(2.0 * value + 0.5) / 2.0;
}

}  // namespace

CEditorView::CEditorView(CEditorDoc& document, EditorPrompts& prompts, SettingsStore& store,
                         QWidget* parent)
    : QWidget(parent),
      document_(document),
      settings_(store),
      testBall_(this,
                {[this](const PixelRect& r) { repaintPixels(r); }, [this] { leaveTestMode(); },
                 [this](bool running) { emit ballRunningChanged(running); }}),
      commands_(document, prompts, testBall_, [this] { relayout(); }),
      navigator_(new ViewNavigator(*this, layout_, [this](bool zoomed) { navigated(zoomed); })) {
    settings_.Load();
    ball().SetSoundOn(settings_.sound());
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(640, 200);
    connect(&document_, &CEditorDoc::documentReplaced, this, &CEditorView::onInitialUpdate);
    // The test ball's worker reads the level: it must rest before the level is replaced.
    connect(&document_, &CEditorDoc::aboutToReplaceLevel, this, &CEditorView::stopBall);
    layout_.update(width(), height(), level().width(), level().height());
}

CEditorView::~CEditorView() {
    ball().StopIfRunning();
    settings_.setSound(ball().IsSoundOn());
    settings_.Save();
}

Level& CEditorView::level() {
    return document_.level();
}

void CEditorView::setTool(EditorTool tool) {
    if (tool < ToolLine || tool > ToolSetBall) {
        return;
    }
    tool_ = tool;
    emit toolChanged(tool_);
}

// --- Level commands ---

void CEditorView::undo() {
    cancelStroke();
    commands_.undo();
}

void CEditorView::redo() {
    cancelStroke();
    commands_.redo();
}

void CEditorView::editProperties() {
    commands_.editProperties();
}

// --- Test mode ---

void CEditorView::toggleTestMode() {
    if (isTestMode()) {
        leaveTestMode();
        return;
    }
    drawing_ = false;
    testBall_.switchOn(level(), layout_.cellSize(), layout_.originX(), layout_.originY());
    picture_.rebuild(level(), layout_.cellSize(), gridShown());
    update();
    emit testModeChanged(true);
}

void CEditorView::leaveTestMode() {
    if (!isTestMode()) {
        return;
    }
    testBall_.switchOff();
    update();
    emit testModeChanged(false);
}

void CEditorView::stopBall() {
    testBall_.stop();
}

void CEditorView::setSpeedMode(SpeedMode mode) {
    if (mode == testBall_.speedMode() || mode < Pause || mode > NextPosition) {
        return;
    }
    testBall_.setSpeedMode(mode);
    emit speedModeChanged(mode);
}

bool CEditorView::gridShown() const {
    // Lines over cells of a few pixels would hide the blocks.
    return settings_.showGrid() && layout_.cellSize() >= MinGridCell;
}

void CEditorView::toggleGrid() {
    settings_.setShowGrid(!settings_.showGrid());
    redrawLevel();
    emit gridChanged(settings_.showGrid());
}

void CEditorView::toggleSound() {
    ball().SetSoundOn(!ball().IsSoundOn());
    settings_.setSound(ball().IsSoundOn());
    emit soundChanged(ball().IsSoundOn());
}

void CEditorView::onInitialUpdate() {
    drawing_ = false;
    leaveTestMode();
    layout_.fit();
    relayout();
}

QPoint CEditorView::zoomAnchor() const {
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    if (rect().contains(pointer) && pointer.y() >= EditorLayout::OriginY) {
        return pointer;
    }
    return QPoint(width() / 2, (height() + EditorLayout::OriginY) / 2);
}

void CEditorView::navigated(bool zoomed) {
    document_.setCellSize(layout_.cellSize());
    testBall_.setGeometry(layout_.cellSize(), layout_.originX(), layout_.originY());
    if (zoomed) {
        picture_.rebuild(level(), layout_.cellSize(), gridShown());
    }
    update();
    emit viewChanged();
}

void CEditorView::wheelEvent(QWheelEvent* event) {
    navigator_->wheel(event);
}

// --- Drawing ---

void CEditorView::relayout() {
    navigator_->layOut(level().width(), level().height());
    navigated(true);
}

void CEditorView::redrawCells(Cell a, Cell b) {
    picture_.redrawCells(level(), a.x, a.y, b.x, b.y, layout_.cellSize(), gridShown());
    repaintPixels(layout_.cellsRect(a, b));
}

void CEditorView::redrawLevel() {
    picture_.rebuild(level(), layout_.cellSize(), gridShown());
    PixelRect r = layout_.levelRect();
    // The picture's extra pixel and the start marker's shadow reach just past the level.
    r.right += 2;
    r.bottom += 2;
    repaintPixels(r);
}

void CEditorView::repaintPixels(const PixelRect& rect) {
    update(toQRect(rect));
}

void CEditorView::repaintBrush() {
    repaintPixels(BrushStrip::brushRect());
}

PixelRect CEditorView::bandRect(PixelPoint anchor, PixelPoint current) const {
    if (tool_ == ToolLine) {
        return layout_.cellsRect(layout_.clampedCell(anchor), layout_.clampedCell(current));
    }
    Cell first;
    Cell last;
    layout_.dragCells(anchor, current, first, last);
    return layout_.cellsRect(first, last);
}

void CEditorView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (picture_.isNull()) {
        picture_.rebuild(level(), layout_.cellSize(), gridShown());
    }
    // A scrolled level passes under the brush strip, which stays in place.
    painter.setClipRect(0, EditorLayout::OriginY, width(), height() - EditorLayout::OriginY);
    painter.drawImage(layout_.originX(), layout_.originY(), picture_.image());
    if (isTestMode()) {
        drawBall(painter, ball(), testBall_.look(), false);
        return;
    }
    painter.setClipping(false);
    stripPainter_.paint(painter, strip_);
    painter.setClipRect(0, EditorLayout::OriginY, width(), height() - EditorLayout::OriginY);

    // The start marker is the test ball, put at the start.
    testBall_.setGeometry(layout_.cellSize(), layout_.originX(), layout_.originY());
    ball().SetX(level().startX());
    ball().SetY(level().startY());
    drawBall(painter, ball(), testBall_.look(), false);

    if (drawing_) {
        paintRubberBand(painter);
    }
}

void CEditorView::paintRubberBand(QPainter& painter) {
    if (tool_ != ToolLine && tool_ != ToolRectangle && tool_ != ToolFrame) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(255, 0, 0), 0));
    painter.setBrush(Qt::NoBrush);
    if (tool_ == ToolLine) {
        painter.drawLine(anchor_.x, anchor_.y, current_.x, current_.y);
        return;
    }
    const QRect band = toQRect(bandRect(anchor_, current_));
    painter.drawRect(band.adjusted(0, 0, -1, -1));
}

void CEditorView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

// --- Mouse and keys ---

void CEditorView::mousePressEvent(QMouseEvent* event) {
    if (navigator_->press(event)) {
        return;
    }
    if (event->button() != Qt::LeftButton || drawing_ || isTestMode()) {
        return;
    }
    const PixelPoint p = pixelOf(event);
    if (layout_.inLevel(p)) {
        beforeStroke_ = level();
        drawing_ = true;
        // The stroke starts where the button went down, even when the first move reported
        // is already cells away.
        anchor_ = p;
        current_ = p;
        if (tool_ == ToolPlot) {
            plotAt(p);
        }
        return;
    }
    if (contains(BrushStrip::BackButtonRect, p)) {
        rotateBackMaterial();
    } else if (contains(BrushStrip::FrontButtonRect, p)) {
        rotateFrontMaterial();
    } else if (contains(BrushStrip::PreviewRect, p)) {
        rotateBrush(event->modifiers().testFlag(Qt::ShiftModifier));
    } else {
        if (strip_.pickShapeAt(p)) {
            repaintPixels(strip_.shapePaletteRect());
        }
        if (strip_.pickBackKindAt(p)) {
            repaintBrush();
        }
    }
}

void CEditorView::mouseMoveEvent(QMouseEvent* event) {
    if (navigator_->move(event)) {
        return;
    }
    const PixelPoint p = pixelOf(event);
    setCursor(layout_.inLevel(p) ? Qt::CrossCursor : Qt::ArrowCursor);
    if (!event->buttons().testFlag(Qt::LeftButton) || !drawing_) {
        return;
    }
    // The stroke keeps to the level: a pointer beyond its edge counts as at the edge.
    const PixelPoint previous = current_;
    current_ = layout_.clampToLevel(p);
    switch (tool_) {
        case ToolLine:
        case ToolRectangle:
        case ToolFrame:
            repaintPixels(unite(bandRect(anchor_, previous), bandRect(anchor_, current_)));
            break;
        case ToolPlot:
            plotAt(current_);
            break;
        default:
            break;
    }
}

void CEditorView::mouseReleaseEvent(QMouseEvent* event) {
    if (navigator_->release(event)) {
        return;
    }
    const PixelPoint p = pixelOf(event);
    if (isTestMode()) {
        if (event->button() == Qt::LeftButton) {
            testBall_.puttToward(p, layout_);
        }
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (!drawing_) {
            rightClick(p, event->modifiers());
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (!drawing_) {
        return;
    }
    const PixelRect oldBand = bandRect(anchor_, current_);
    current_ = layout_.clampToLevel(p);
    drawing_ = false;
    finishStroke(current_, event->modifiers());
    document_.recordEdit(beforeStroke_);
    if (tool_ == ToolLine || tool_ == ToolRectangle || tool_ == ToolFrame) {
        repaintPixels(oldBand);
    }
}

void CEditorView::plotAt(PixelPoint p) {
    Cell cell;
    if (layout_.cellAt(p, cell) && !blockEquals(strip_.brush(), level().block(cell.x, cell.y))) {
        setBlockAt(level(), cell.x, cell.y, strip_.brush());
        redrawCells(cell, cell);
    }
}

void CEditorView::finishStroke(PixelPoint p, Qt::KeyboardModifiers modifiers) {
    Cell cell;
    const bool onCell = layout_.cellAt(p, cell);
    const Block& brush = strip_.brush();
    switch (tool_) {
        case ToolPlot:
            if (onCell) {
                setBlockAt(level(), cell.x, cell.y, brush);
                redrawCells(cell, cell);
            }
            break;
        case ToolSetBall: {
            double x = layout_.cellX(p.x);
            double y = layout_.cellY(p.y);
            if (modifiers.testFlag(Qt::ShiftModifier)) {
                x = snapToHalf(x);
                y = snapToHalf(y);
            }
            setStartPosition(level(), x, y);
            redrawLevel();
            break;
        }
        case ToolFill:
            if (onCell) {
                floodFill(level(), cell.x, cell.y, brush);
                redrawLevel();
            }
            break;
        case ToolRectangle:
        case ToolFrame: {
            Cell first;
            Cell last;
            layout_.dragCells(anchor_, p, first, last);
            if (tool_ == ToolRectangle) {
                fillRectangle(level(), first.x, first.y, last.x, last.y, brush);
            } else {
                frameRectangle(level(), first.x, first.y, last.x, last.y, brush);
            }
            redrawCells(first, last);
            break;
        }
        case ToolLine:
            drawLine(level(), layout_.cellX(anchor_.x), layout_.cellY(anchor_.y),
                     layout_.cellX(p.x), layout_.cellY(p.y), brush);
            redrawLevel();
            break;
        default:
            break;
    }
}

void CEditorView::cancelStroke() {
    if (!drawing_) {
        return;
    }
    drawing_ = false;
    // Only Plot paints while the button is down; the other tools paint on release.
    if (tool_ == ToolPlot) {
        level() = beforeStroke_;
    }
    redrawLevel();
}

void CEditorView::rightClick(PixelPoint p, Qt::KeyboardModifiers modifiers) {
    Cell cell;
    if (contains(BrushStrip::BackButtonRect, p)) {
        resetBackRotation();
    } else if (contains(BrushStrip::FrontButtonRect, p)) {
        resetFrontRotation();
    } else if (!layout_.cellAt(p, cell)) {
        if (strip_.pickFrontKindAt(p)) {
            repaintBrush();
        }
    } else if (modifiers.testFlag(Qt::ControlModifier)) {
        const Level before = level();
        rotateBlockAt(level(), cell.x, cell.y, modifiers.testFlag(Qt::ShiftModifier));
        document_.recordEdit(before);
        redrawCells(cell, cell);
    } else {
        strip_.setBrush(level().block(cell.x, cell.y));
        repaintBrush();
    }
}

void CEditorView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && drawing_) {
        cancelStroke();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CEditorView::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            dx = -1;
            break;
        case Qt::Key_Up:
            dy = -1;
            break;
        case Qt::Key_Right:
            dx = 1;
            break;
        case Qt::Key_Down:
            dy = 1;
            break;
        default:
            QWidget::keyReleaseEvent(event);
            return;
    }
    testBall_.edit([this, dx, dy] {
        const Level before = level();
        shiftLevel(level(), dx, dy);
        document_.recordEdit(before);
        redrawLevel();
    });
}

}  // namespace trundlex
