#include "RegionEditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include "CEditorDoc.h"
#include "model/RegionText.h"

namespace trundlex {

namespace {

// How often the selection's dashes move on, in milliseconds.
constexpr int MarchInterval = 150;
constexpr int DashLength = 6;

QRect pixelsOf(const EditorLayout& layout, CellRect rect) {
    const PixelRect r = layout.cellsRect(rect.first(), rect.last());
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A black and white dashed outline, so that it shows on light grass and dark walls alike.
void drawDashedOutline(QPainter& painter, const QRect& pixels, int offset) {
    const QRect r = pixels.adjusted(0, 0, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(r);
    QPen dashes(Qt::black, 2, Qt::CustomDashLine);
    dashes.setDashPattern({DashLength / 2.0, DashLength / 2.0});
    dashes.setDashOffset(offset / 2.0);
    painter.setPen(dashes);
    painter.drawRect(r);
}

}  // namespace

RegionEditor::RegionEditor(CEditorDoc& document, std::function<void()> redraw,
                           std::function<void(const QRegion&)> repaint, QObject* parent)
    : QObject(parent),
      document_(document),
      redraw_(std::move(redraw)),
      repaint_(std::move(repaint)) {
    // Paste can be offered as soon as another window or program copies something.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &RegionEditor::stateChanged);
    marchTimer_.setInterval(MarchInterval);
    connect(&marchTimer_, &QTimer::timeout, this, &RegionEditor::march);
    // Undo, a turn of the whole level or new properties may leave the level smaller.
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            [this] { setSelection(selection_); });
    // Blocks lifted for a move go back before the level is replaced, not into the next one.
    connect(&document_, &CEditorDoc::aboutToReplaceLevel, this, &RegionEditor::cancelDrag);
}

Level& RegionEditor::level() {
    return document_.level();
}

void RegionEditor::setSelection(CellRect rect) {
    const CellRect old = selection_;
    selection_ = clipToLevel(level(), rect);
    if (selection_.isEmpty()) {
        marchTimer_.stop();
    } else if (!marchTimer_.isActive()) {
        marchTimer_.start();
    }
    if (!(old == selection_)) {
        repaint_(outlineRegion(old) + outlineRegion(selection_));
        emit stateChanged();
    }
}

void RegionEditor::select(CellRect rect) {
    setSelection(rect);
}

void RegionEditor::selectAll() {
    setSelection(wholeLevel(level()));
}

CellRect RegionEditor::stampRect() const {
    if (!stamp_) {
        return {};
    }
    return {stampAt_.x, stampAt_.y, stamp_->width(), stamp_->height()};
}

void RegionEditor::recordSince(const Level& before) {
    document_.recordEdit(before);
    redraw_();
}

bool RegionEditor::copy() {
    if (!hasSelection()) {
        return false;
    }
    copied_ = copyRegion(level(), selection_);
    const QByteArray text = QByteArray::fromStdString(regionText(*copied_));
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(BlocksMimeType), text);
    data->setText(QString::fromUtf8(text));
    QGuiApplication::clipboard()->setMimeData(data);
    emit stateChanged();
    return true;
}

bool RegionEditor::canPaste() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return copied_ || (data && (data->hasFormat(QString::fromLatin1(BlocksMimeType)) ||
                                data->hasText()));
}

std::optional<Level> RegionEditor::blocksToPaste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QByteArray text;
    if (data && data->hasFormat(QString::fromLatin1(BlocksMimeType))) {
        text = data->data(QString::fromLatin1(BlocksMimeType));
    } else if (data && data->hasText()) {
        text = data->text().toUtf8();
    } else if (data && !data->formats().isEmpty()) {
        emit refused(tr("The clipboard holds no blocks to paste. Copy a part of a level in the "
                        "editor first."));
        return std::nullopt;
    } else {
        // No clipboard to speak of: the blocks copied in this window.
        return copied_;
    }
    Level blocks;
    switch (readRegionText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                           blocks)) {
        case RegionTextResult::Read:
            return blocks;
        case RegionTextResult::NotBlocks:
            emit refused(tr("The clipboard holds other text, not blocks of a level. Copy a part "
                            "of a level in the editor first."));
            break;
        case RegionTextResult::Damaged:
            emit refused(tr("The blocks on the clipboard are damaged or cut short, and cannot be "
                            "pasted."));
            break;
        case RegionTextResult::TooLarge:
            emit refused(tr("The blocks on the clipboard are more than %1 blocks wide or high, "
                            "the most a level can have.")
                             .arg(Level::MaxEditorSide));
            break;
    }
    return std::nullopt;
}

bool RegionEditor::cut() {
    return copy() && deleteSelection();
}

bool RegionEditor::paste(std::optional<Cell> pointer) {
    std::optional<Level> blocks = blocksToPaste();
    if (!blocks) {
        return false;
    }
    cancelDrag();
    stamp_ = std::move(*blocks);
    if (pointer) {
        centreStamp(*pointer);
    } else {
        stampAt_ = {0, 0};
    }
    repaintAround(stampRect());
    emit stateChanged();
    return true;
}

bool RegionEditor::deleteSelection() {
    if (!hasSelection()) {
        return false;
    }
    const Level before = level();
    clearRegion(level(), selection_);
    recordSince(before);
    return true;
}

bool RegionEditor::turn(RegionTurn turn) {
    if (stamp_) {
        const CellRect old = stampRect();
        // The cell centreStamp put under the pointer, so that the stamp turns about it.
        const Cell middle{old.x + (old.width - 1) / 2, old.y + (old.height - 1) / 2};
        turnRegion(*stamp_, turn);
        centreStamp(middle);
        repaintAround(old);
        repaintAround(stampRect());
        return true;
    }
    if (!hasSelection()) {
        return false;
    }
    const Level before = level();
    const std::optional<CellRect> turned = turnRegionInLevel(level(), selection_, turn);
    if (!turned) {
        emit refused(tr("The turned selection would not fit on the level."));
        return false;
    }
    setSelection(*turned);
    recordSince(before);
    return true;
}

int RegionEditor::replaceMaterial(std::int32_t from, std::int32_t to, bool inSelection) {
    const Level before = level();
    const CellRect area = inSelection && hasSelection() ? selection_ : wholeLevel(level());
    const int changed = trundlex::replaceMaterial(level(), area, from, to);
    recordSince(before);
    return changed;
}

void RegionEditor::centreStamp(Cell cell) {
    stampAt_ = {cell.x - (stamp_->width() - 1) / 2, cell.y - (stamp_->height() - 1) / 2};
}

void RegionEditor::press(Cell cell) {
    if (stamp_) {
        const Level before = level();
        const CellRect placed = pasteRegion(level(), *stamp_, stampAt_);
        stamp_.reset();
        setSelection(placed);
        recordSince(before);
        emit stateChanged();
        return;
    }
    if (selection_.contains(cell)) {
        Move move{copyRegion(level(), selection_), level(), cell, cell};
        moving_ = std::move(move);
        clearRegion(level(), selection_);
        redraw_();
        return;
    }
    selecting_ = true;
    anchor_ = cell;
    setSelection(CellRect::spanning(cell, cell));
    emit dragChanged();
}

void RegionEditor::drag(Cell cell) {
    if (moving_) {
        const CellRect old{selection_.x + moving_->pointer.x - moving_->grabbed.x,
                           selection_.y + moving_->pointer.y - moving_->grabbed.y,
                           moving_->blocks.width(), moving_->blocks.height()};
        moving_->pointer = cell;
        const CellRect now{selection_.x + cell.x - moving_->grabbed.x,
                           selection_.y + cell.y - moving_->grabbed.y, old.width, old.height};
        repaintAround(old);
        repaintAround(now);
    } else if (selecting_) {
        setSelection(CellRect::spanning(anchor_, cell));
        emit dragChanged();
    }
}

void RegionEditor::release(Cell cell) {
    drag(cell);
    if (moving_) {
        const Move move = std::move(*moving_);
        moving_.reset();
        const CellRect placed = pasteRegion(
            level(), move.blocks,
            {selection_.x + move.pointer.x - move.grabbed.x,
             selection_.y + move.pointer.y - move.grabbed.y});
        setSelection(placed);
        recordSince(move.before);
    } else if (selecting_) {
        selecting_ = false;
        emit dragChanged();
    }
}

void RegionEditor::hover(Cell cell) {
    if (!stamp_) {
        return;
    }
    const CellRect old = stampRect();
    centreStamp(cell);
    if (!(old == stampRect())) {
        repaintAround(old);
        repaintAround(stampRect());
    }
}

std::optional<CellRect> RegionEditor::draggedRect() const {
    if (selecting_) {
        return selection_;
    }
    return std::nullopt;
}

void RegionEditor::cancelDrag() {
    if (moving_) {
        level() = moving_->before;
        moving_.reset();
        redraw_();
    }
    if (selecting_) {
        selecting_ = false;
        emit dragChanged();
    }
}

bool RegionEditor::cancel() {
    if (stamp_) {
        const CellRect old = stampRect();
        stamp_.reset();
        repaintAround(old);
        emit stateChanged();
        return true;
    }
    if (isDragging()) {
        const bool wasSelecting = selecting_;
        cancelDrag();
        if (wasSelecting) {
            setSelection({});
        }
        return true;
    }
    if (hasSelection()) {
        setSelection({});
        return true;
    }
    return false;
}

void RegionEditor::levelReplaced() {
    moving_.reset();
    selecting_ = false;
    emit dragChanged();
    if (stamp_) {
        stamp_.reset();
        emit stateChanged();
    }
    setSelection({});
}

void RegionEditor::repaintAround(CellRect rect) {
    if (!rect.isEmpty()) {
        // The outline's pen reaches just past the cells.
        repaint_(QRegion(pixelsOf(lastLayout_, rect).adjusted(-2, -2, 2, 2)));
    }
}

QRegion RegionEditor::outlineRegion(CellRect rect) const {
    if (rect.isEmpty()) {
        return {};
    }
    const QRect r = pixelsOf(lastLayout_, rect).adjusted(-2, -2, 2, 2);
    return QRegion(r).subtracted(QRegion(r.adjusted(4, 4, -4, -4)));
}

void RegionEditor::march() {
    dashOffset_ = (dashOffset_ + 1) % DashLength;
    repaint_(outlineRegion(selection_));
}

void RegionEditor::paint(QPainter& painter, const EditorLayout& layout) {
    lastLayout_ = layout;
    const int size = layout.cellSize();
    auto drawBlocks = [&](const Level& blocks, Cell at, double opacity) {
        painter.setOpacity(opacity);
        for (std::int32_t x = 0; x < blocks.width(); ++x) {
            for (std::int32_t y = 0; y < blocks.height(); ++y) {
                if (level().containsCell(at.x + x, at.y + y)) {
                    renderer_.drawBlock(painter, blocks.block(x, y),
                                        layout.originX() + (at.x + x) * size,
                                        layout.originY() + (at.y + y) * size, size);
                }
            }
        }
        painter.setOpacity(1.0);
    };
    painter.save();
    if (moving_) {
        const Cell at{selection_.x + moving_->pointer.x - moving_->grabbed.x,
                      selection_.y + moving_->pointer.y - moving_->grabbed.y};
        drawBlocks(moving_->blocks, at, 1.0);
        drawDashedOutline(
            painter,
            pixelsOf(layout, {at.x, at.y, moving_->blocks.width(), moving_->blocks.height()}),
            dashOffset_);
    } else if (hasSelection()) {
        drawDashedOutline(painter, pixelsOf(layout, selection_), dashOffset_);
    }
    if (stamp_) {
        // See-through, so that what it would cover still shows.
        drawBlocks(*stamp_, stampAt_, 0.8);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 40, 200), 2, Qt::DashLine));
        painter.drawRect(pixelsOf(layout, stampRect()).adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

}  // namespace trundlex
