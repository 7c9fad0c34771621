#include "CEditorView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include "CEditorDoc.h"
#include "model/DragTools.h"
#include "model/LevelEditing.h"
#include "render/BallRenderer.h"
#include "render/ModernBall.h"

namespace trundlex {

namespace {

PixelPoint pixelOf(QPoint p) {
    return {p.x(), p.y()};
}

PixelPoint pixelOf(const QMouseEvent* event) {
    return pixelOf(event->position().toPoint());
}

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

CEditorView::CEditorView(CEditorDoc& document, EditorPrompts& prompts, SettingsStore& store,
                         QWidget* parent)
    : QWidget(parent),
      document_(document),
      prompts_(prompts),
      settings_(store),
      testBall_(this,
                {[this](const PixelRect& r) { repaintPixels(r); },
                 [this] {
                     roundEnded(true, BallLoss::None);
                     leaveTestMode();
                 },
                 [this](bool running) { emit ballRunningChanged(running); },
                 [this] {
                     round_.putted();
                     update();  // the aim goes while the ball rolls
                     emit testRoundChanged();
                 },
                 [this](BallLoss loss) { roundEnded(false, loss); }}),
      commands_(document, prompts, testBall_, [this] { relayout(); }),
      navigator_(new ViewNavigator(*this, layout_, [this](bool zoomed) { navigated(zoomed); })),
      backSlopePicker_(new SlopePicker(BlockPart::Back, this)),
      frontSlopePicker_(new SlopePicker(BlockPart::Front, this)),
      regions_(
          document, [this] { redrawLevel(); }, [this](const QRegion& r) { update(r); }, this) {
    settings_.Load();
    ball().SetSoundOn(settings_.sound());
    picture_.setLook(settings_.modernLook() ? Look::Modern : Look::Classic);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(SlopePickerLeft + 6 * SlopePicker::ButtonSize + SlopePickerGap + 5, 200);
    connect(&document_, &CEditorDoc::documentReplaced, this, &CEditorView::onInitialUpdate);
    // The test ball's worker reads the level: it must rest before the level is replaced.
    connect(&document_, &CEditorDoc::aboutToReplaceLevel, this, &CEditorView::stopBall);
    connect(&document_, &CEditorDoc::aboutToSave, this, &CEditorView::settleStroke);
    layout_.update(width(), height(), level().width(), level().height());
    connect(&regions_, &RegionEditor::dragChanged, this, &CEditorView::dragChanged);
    // Above the line of mouse rules, which keeps the strip's whole width.
    backSlopePicker_->move(SlopePickerLeft, 1);
    frontSlopePicker_->move(SlopePickerLeft + 3 * SlopePicker::ButtonSize + SlopePickerGap, 1);
    connect(backSlopePicker_, &SlopePicker::slopePicked, this, &CEditorView::setBackSlope);
    connect(frontSlopePicker_, &SlopePicker::slopePicked, this, &CEditorView::setFrontSlope);
    connect(this, &CEditorView::testModeChanged, this, &CEditorView::updateSlopePickers);
    updateSlopePickers();
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
    if (tool < ToolLine || tool > ToolSelect) {
        return;
    }
    if (tool != ToolSelect) {
        regions_.select({});
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

bool CEditorView::gridShown() const {
    // Lines over cells of a few pixels would hide the blocks.
    return settings_.showGrid() && layout_.cellSize() >= MinGridCell;
}

void CEditorView::toggleGrid() {
    settings_.setShowGrid(!settings_.showGrid());
    redrawLevel();
    emit gridChanged(settings_.showGrid());
}

void CEditorView::setModernLook(bool on) {
    if (on == settings_.modernLook()) {
        return;
    }
    settings_.setModernLook(on);
    picture_.setLook(on ? Look::Modern : Look::Classic);
    redrawLevel();
    update();  // the ball changes its look too
    emit lookChanged(on);
}

void CEditorView::paintBall(QPainter& painter) {
    // The modern ball's shadow reaches past the classic ball: a rolling ball's repaints must
    // cover it, or it leaves a trail.
    testBall_.look().setMargin(settings_.modernLook() ? modernBallMargin(layout_.cellSize()) : 0);
    if (settings_.modernLook()) {
        painter.save();
        drawModernBall(painter, ball(), testBall_.look(), false);
        painter.restore();
    } else {
        drawBall(painter, ball(), testBall_.look(), false);
    }
}

void CEditorView::toggleSound() {
    ball().SetSoundOn(!ball().IsSoundOn());
    settings_.setSound(ball().IsSoundOn());
    emit soundChanged(ball().IsSoundOn());
}

void CEditorView::onInitialUpdate() {
    drawing_ = false;
    regions_.levelReplaced();
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
    if (settings_.modernLook()) {
        // The modern look draws the whole level at once, and that takes a while on a large
        // one: the cells a stroke paints between two paints share one drawing, at the paint.
        // A changed cell also changes the blending of its neighbours and where a cup's flag
        // stands, so the whole level is repainted.
        picture_.clear();
        redrawLevelArea();
        return;
    }
    picture_.redrawCells(level(), a.x, a.y, b.x, b.y, layout_.cellSize(), gridShown());
    repaintPixels(layout_.cellsRect(a, b));
}

const LevelPicture& CEditorView::picture() {
    if (picture_.isNull()) {
        picture_.rebuild(level(), layout_.cellSize(), gridShown());
    }
    return picture_;
}

void CEditorView::redrawLevel() {
    picture_.rebuild(level(), layout_.cellSize(), gridShown());
    redrawLevelArea();
}

void CEditorView::redrawLevelArea() {
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
    updateSlopePickers();
    repaintPixels(BrushStrip::brushRect());
}

void CEditorView::updateSlopePickers() {
    backSlopePicker_->showSlope(strip_.brush().back().slope());
    frontSlopePicker_->showSlope(strip_.brush().front().slope());
    backSlopePicker_->setEnabled(!isTestMode());
    frontSlopePicker_->setEnabled(!isTestMode() && strip_.showsFront());
    // Test mode's line of mouse rules is longer than the editing one and runs under the
    // pickers' lower row: they give way while the brush is not used anyway.
    backSlopePicker_->setVisible(!isTestMode());
    frontSlopePicker_->setVisible(!isTestMode());
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
    picture();  // drawn now if a change left it to this paint
    // A scrolled level passes under the brush strip, which stays in place.
    painter.setClipRect(0, EditorLayout::OriginY, width(), height() - EditorLayout::OriginY);
    painter.drawImage(layout_.originX(), layout_.originY(), picture_.image());
    if (isTestMode()) {
        paintTestBall(painter);
        painter.setClipping(false);
        stripPainter_.paint(painter, strip_, true, width());
        return;
    }
    painter.setClipping(false);
    stripPainter_.paint(painter, strip_, false, width());
    painter.setClipRect(0, EditorLayout::OriginY, width(), height() - EditorLayout::OriginY);

    // The start marker is the test ball, put at the start.
    testBall_.setGeometry(layout_.cellSize(), layout_.originX(), layout_.originY());
    ball().SetX(level().startX());
    ball().SetY(level().startY());
    paintBall(painter);

    if (drawing_ && isDragTool(tool_)) {
        preview_.paint(painter, level(), layout_, tool_, anchor_, current_, strip_.brush());
    }
    regions_.paint(painter, layout_);
    paintShownPutts(painter);
    // Two colours, so that the frame shows on light grass and on dark walls alike.
    for (const Cell& cell : highlighted_) {
        const QRect r = toQRect(layout_.cellsRect(cell, cell)).adjusted(-2, -2, 1, 1);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 4));
        painter.drawRect(r);
        painter.setPen(QPen(QColor(255, 40, 200), 2));
        painter.drawRect(r);
    }
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
    if (regionPress(p)) {
        return;
    }
    if (layout_.inLevel(p)) {
        beforeStroke_ = level();
        drawing_ = true;
        // The stroke starts where the button went down, even when the first move reported
        // is already cells away.
        anchor_ = p;
        current_ = p;
        if (tool_ == ToolPlot) {
            plotAlong(p, p);
        }
        emit dragChanged();
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
            updateSlopePickers();
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
    hover(p);
    if (isTestMode()) {
        aim_ = p;
        aiming_ = true;
        update();
    }
    if (regionMove(p, event->buttons())) {
        return;
    }
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
            emit dragChanged();
            break;
        case ToolPlot:
            // Mouse events arrive only now and then: every cell passed in between counts.
            plotAlong(previous, current_);
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
    if (regionRelease(p, event->button())) {
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
    const PixelPoint previous = current_;
    current_ = layout_.clampToLevel(p);
    drawing_ = false;
    if (tool_ == ToolPlot) {
        plotAlong(previous, current_);  // the release may come without a move to its place
    }
    finishStroke(current_, event->modifiers());
    document_.recordEdit(beforeStroke_);
    if (isDragTool(tool_)) {
        repaintPixels(oldBand);
    }
    emit dragChanged();
}

void CEditorView::hover(PixelPoint p) {
    Cell cell;
    const bool over = layout_.cellAt(p, cell);
    if (over != hovering_ || !(cell == hovered_)) {
        hovering_ = over;
        hovered_ = cell;
        if (over) {
            regions_.hover(cell);
        }
        emit hoveredCellChanged();
    }
}

bool CEditorView::hoveredCell(Cell& cell) const {
    cell = hovered_;
    return hovering_ && document_.level().containsCell(cell.x, cell.y);
}

void CEditorView::leaveEvent(QEvent* event) {
    hover({-1, -1});
    aiming_ = false;
    update();
    QWidget::leaveEvent(event);
}

bool CEditorView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = isTestMode() ? QString()
                                     : BrushStripPainter::toolTipAt(strip_, pixelOf(help->pos()));
    QToolTip::showText(help->globalPos(), tip, this);  // an empty text hides the tip
    return true;
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
        strip_.pickUp(level().block(cell.x, cell.y));
        repaintBrush();
    }
}

void CEditorView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && drawing_) {
        cancelStroke();
        return;
    }
    if (event->key() == Qt::Key_Escape && regions_.cancel()) {
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace trundlex
