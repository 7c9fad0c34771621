#include "EditorStatusBar.h"

#include <QAction>
#include <QLabel>

#include "BlockTexts.h"
#include "CEditorDoc.h"
#include "CEditorView.h"
#include "EditorActions.h"
#include "TestFeedback.h"

namespace trundlex {

namespace {

EditorCommand commandOf(EditorTool tool) {
    switch (tool) {
        case ToolLine:
            return EditorCommand::ToolLine;
        case ToolRectangle:
            return EditorCommand::ToolRectangle;
        case ToolFrame:
            return EditorCommand::ToolFrame;
        case ToolFill:
            return EditorCommand::ToolFill;
        case ToolSetBall:
            return EditorCommand::ToolSetBall;
        case ToolSelect:
            return EditorCommand::ToolSelect;
        default:
            return EditorCommand::ToolPlot;
    }
}

}  // namespace

EditorStatusBar::EditorStatusBar(CEditorView& view, EditorActions& actions, QWidget* parent)
    : QStatusBar(parent),
      view_(view),
      actions_(actions),
      cell_(new QLabel(this)),
      tool_(new QLabel(this)),
      zoom_(new QLabel(this)),
      size_(new QLabel(this)) {
    size_->setObjectName(QStringLiteral("size"));
    addPermanentWidget(size_);
    cell_->setObjectName(QStringLiteral("cell"));
    tool_->setObjectName(QStringLiteral("tool"));
    zoom_->setObjectName(QStringLiteral("zoom"));
    addPermanentWidget(cell_);
    addPermanentWidget(tool_);
    addPermanentWidget(zoom_);

    // Command hints come and go on the left; between them it says "Ready".
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            showMessage(tr("Ready"));
        }
    });
    showMessage(tr("Ready"));

    connect(&view_, &CEditorView::hoveredCellChanged, this, &EditorStatusBar::showCell);
    connect(&view_, &CEditorView::testModeChanged, this, &EditorStatusBar::showCell);
    // An edit, an undo or another level may change the cell under a pointer that stands still.
    connect(&view_.document().history(), &QUndoStack::indexChanged, this,
            &EditorStatusBar::showCell);
    connect(&view_.document(), &CEditorDoc::documentReplaced, this, &EditorStatusBar::showCell);
    // The go's strokes while testing; a ball in the cup ends test mode, and its word stays.
    connect(&view_, &CEditorView::testRoundChanged, this,
            [this] { showMessage(TestFeedback::message(view_.testRound())); });
    connect(&view_, &CEditorView::testModeChanged, this, [this](bool on) {
        if (on) {
            showMessage(TestFeedback::message(view_.testRound()));
        } else if (view_.testRound().outcome() != TestOutcome::InCup) {
            clearMessage();
        }
    });
    connect(&view_, &CEditorView::toolChanged, this, &EditorStatusBar::showTool);
    connect(&view_, &CEditorView::viewChanged, this, &EditorStatusBar::showZoom);
    connect(&view_, &CEditorView::dragChanged, this, &EditorStatusBar::showSize);
    connect(&view_.regions(), &RegionEditor::refused, this,
            [this](const QString& reason) { showMessage(reason, 8000); });
    showCell();
    showTool();
    showZoom();
}

QString EditorStatusBar::cellText() const {
    return cell_->text();
}

QString EditorStatusBar::toolText() const {
    return tool_->text();
}

QString EditorStatusBar::zoomText() const {
    return zoom_->text();
}

QString EditorStatusBar::sizeText() const {
    return size_->text();
}

void EditorStatusBar::showSize() {
    const std::optional<CellRect> dragged = view_.draggedRect();
    if (dragged) {
        size_->setText(tr("%1 × %2", "columns × rows").arg(dragged->width).arg(dragged->height));
    } else {
        size_->clear();
    }
}

void EditorStatusBar::showCell() {
    Cell cell;
    if (view_.isTestMode()) {
        cell_->setText(tr("Test mode: click where the ball should go; the farther from the ball, "
                          "the harder the putt. Space stops it."));
    } else if (view_.hoveredCell(cell)) {
        cell_->setText(tr("(%1, %2) %3")
                           .arg(cell.x)
                           .arg(cell.y)
                           .arg(BlockTexts::block(view_.document().level().block(cell.x, cell.y))));
    } else {
        cell_->clear();
    }
}

void EditorStatusBar::showTool() {
    const QAction* action = actions_.action(commandOf(view_.tool()));
    tool_->setText(tr("Tool: %1").arg(action ? QString(action->text()).remove(QLatin1Char('&'))
                                             : QString()));
}

void EditorStatusBar::showZoom() {
    zoom_->setText(tr("Zoom %1%").arg(view_.zoomPercent()));
}

}  // namespace trundlex
