#pragma once

#include <QObject>
#include <QRegion>
#include <QTimer>
#include <functional>
#include <optional>

#include "level/Level.h"
#include "model/EditorLayout.h"
#include "model/LevelRegion.h"
#include "render/BlockRenderer.h"

class QPainter;

namespace trundlex {

class CEditorDoc;

// The selected rectangle of the level and what the editor does with it: copy, cut, paste,
// delete, turn, mirror, move and replace a material. Each change of the level is one step of
// the document's history. A paste does not change the level at once: it makes a stamp, the
// copied blocks shown over the level following the pointer, that a click puts down (and Esc
// or a right click drops). Turning or mirroring while a stamp is shown turns the stamp.
//
// The view hands over the mouse in cells; this class keeps the selection, the stamp and the
// copied blocks (kept while other levels are opened, so that blocks go from one level to
// another) and paints them over the level: the selection with a moving dashed outline.
//
// Copied blocks go to the system clipboard too, as BlocksMimeType and as their level text
// (see RegionText.h), so that another window of the editor, also in another editor program,
// pastes them. A paste takes the clipboard's blocks, or its text read as a level text; text
// that holds no blocks, or damaged ones, is refused with the reason. Only while the clipboard
// is empty (or the system has none) does a paste fall back to the blocks copied here.
class RegionEditor : public QObject {
    Q_OBJECT

public:
    // `redraw` is called after the level's blocks changed, `repaint` when only what this class
    // paints changed (the pixels to paint again). The document must outlive this object.
    RegionEditor(CEditorDoc& document, std::function<void()> redraw,
                 std::function<void(const QRegion&)> repaint, QObject* parent = nullptr);

    // The selected cells; empty when nothing is selected.
    CellRect selection() const { return selection_; }
    bool hasSelection() const { return !selection_.isEmpty(); }
    // Selects `rect` clipped to the level (empty: nothing).
    void select(CellRect rect);
    void selectAll();
    bool isStamping() const { return stamp_.has_value(); }
    // The stamp's cells, also off the level; empty without a stamp.
    CellRect stampRect() const;
    static constexpr const char* BlocksMimeType = "application/x-trundlex-blocks";
    bool hasCopy() const { return copied_.has_value(); }
    // Whether Paste has something to try: blocks copied here, or anything on the clipboard
    // that could be them (text included, which a paste then reads or refuses).
    bool canPaste() const;
    // The blocks copied here last.
    const Level* copied() const { return copied_ ? &*copied_ : nullptr; }

    // Keeps the selection's blocks for pasting. False (nothing kept) without a selection.
    bool copy();
    // Copies, then makes the selection grass (one undo step).
    bool cut();
    // Shows the clipboard's blocks (see above) as a stamp, centred on `pointer` (the level's
    // top-left corner when the pointer is not over it). False when there are none, or the
    // clipboard's text cannot be read (said through `refused`).
    bool paste(std::optional<Cell> pointer);
    // Makes the selection grass (one undo step).
    bool deleteSelection();
    // Turns or mirrors the stamp when there is one, else the selection where it lies (one undo
    // step; the selection follows the blocks). A turned selection that does not fit the level
    // is refused and said through `refused`.
    bool turn(RegionTurn turn);
    // Gives every material of kind `from` the kind `to` (see replaceMaterial) in the selection,
    // or in the whole level when `inSelection` is false or nothing is selected (one undo
    // step). Returns how many blocks changed.
    int replaceMaterial(std::int32_t from, std::int32_t to, bool inSelection);

    // The mouse over the level, in cells (clamped to the level by the caller while the button
    // is down). A press puts a shown stamp down; else, inside the selection it lifts the
    // selection's blocks to move them, elsewhere it starts selecting a rectangle.
    void press(Cell cell);
    void drag(Cell cell);
    void release(Cell cell);
    // The pointer over the level: a stamp follows it.
    void hover(Cell cell);
    // Whether the button is down on a selection or a move.
    bool isDragging() const { return selecting_ || moving_.has_value(); }
    // Whether the button is down on the selection's blocks, moving them.
    bool isMoving() const { return moving_.has_value(); }
    // The rectangle being dragged out, while a selection is.
    std::optional<CellRect> draggedRect() const;

    // Esc: drops a stamp, else a move or selection in progress (the level as before it), else
    // the selection. False when there was nothing to drop.
    bool cancel();
    // Drops what the mouse was doing (a move goes back), keeping the selection and the stamp.
    void cancelDrag();
    // Another level is shown (New, Open): the selection and the stamp go, the copy stays. After
    // any step of the history the selection keeps to what is left of it on the level.
    void levelReplaced();

    // Paints the selection's outline, the blocks being moved and the stamp over the level.
    void paint(QPainter& painter, const EditorLayout& layout);

signals:
    // The selection, the stamp or the copied blocks came or went.
    void stateChanged();
    // The dragged rectangle changed or went.
    void dragChanged();
    // A command could not be done, with the reason for the status bar.
    void refused(const QString& reason);

private:
    Level& level();
    // Records the change since `before` as one step and redraws.
    void recordSince(const Level& before);
    // The blocks a paste puts down; nullopt, with the reason said through `refused`, when
    // the clipboard holds none that can be read.
    std::optional<Level> blocksToPaste();
    // Puts the stamp's middle on `cell`.
    void centreStamp(Cell cell);
    // Paints the outline's dashes a step further along.
    void march();
    void setSelection(CellRect rect);
    // Paints the cells of `rect` and their outline again.
    void repaintAround(CellRect rect);
    // The pixels a moving outline around `rect` covers.
    QRegion outlineRegion(CellRect rect) const;

    CEditorDoc& document_;
    std::function<void()> redraw_;
    std::function<void(const QRegion&)> repaint_;
    CellRect selection_;
    std::optional<Level> copied_;
    std::optional<Level> stamp_;
    Cell stampAt_;
    bool selecting_ = false;
    Cell anchor_;
    // A move: the blocks lifted, the cell they were grabbed at and where the pointer is.
    struct Move {
        Level blocks;
        Level before;
        Cell grabbed;
        Cell pointer;
    };
    std::optional<Move> moving_;
    QTimer marchTimer_;
    int dashOffset_ = 0;
    // The layout as last painted, for repainting the outline between paints.
    EditorLayout lastLayout_;
    BlockRenderer renderer_;
};

}  // namespace trundlex
