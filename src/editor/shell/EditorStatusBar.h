#pragma once

#include <QStatusBar>

class QLabel;

namespace trundlex {

class CEditorView;
class EditorActions;

// The editor's status bar: command hints on the left ("Ready" when there is none) and, kept
// up to date on the right, the size of a rectangle being dragged out, the cell under the
// pointer with what it holds, the current tool and the zoom. In test mode the cell's place tells how to putt, and the left one counts the
// strokes and tells where the last putt ended.
class EditorStatusBar : public QStatusBar {
    Q_OBJECT

public:
    // The view and its actions must outlive the status bar.
    EditorStatusBar(CEditorView& view, EditorActions& actions, QWidget* parent = nullptr);

    QString cellText() const;
    QString toolText() const;
    QString zoomText() const;
    // The size of the rectangle being dragged out, "5 × 3"; empty when none is.
    QString sizeText() const;

private:
    void showCell();
    void showTool();
    void showZoom();
    void showSize();

    CEditorView& view_;
    EditorActions& actions_;
    QLabel* cell_;
    QLabel* tool_;
    QLabel* zoom_;
    QLabel* size_;
};

}  // namespace trundlex
