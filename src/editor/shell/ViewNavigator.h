#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "model/EditorLayout.h"

class QMouseEvent;
class QScrollBar;
class QWheelEvent;
class QWidget;

namespace trundlex {

// Zoom and pan of the editor's view: Ctrl + wheel and the zoom commands around a point,
// the plain wheel and the scroll bars to scroll, the middle button to drag the level. Keeps
// the view's layout and the scroll bars (children of the view) in step.
class ViewNavigator : public QObject {
    Q_OBJECT

public:
    // `changed(zoomed)` runs after every change: `zoomed` when the cell size changed (the
    // picture must be drawn again), else only the level moved.
    ViewNavigator(QWidget& view, EditorLayout& layout, std::function<void(bool zoomed)> changed);

    // Lays a level of the given size out in the view's client area, with scroll bars where
    // the zoomed level is larger.
    void layOut(std::int32_t levelWidth, std::int32_t levelHeight);

    void zoomIn(QPoint around);
    void zoomOut(QPoint around);
    // The whole level in the view again.
    void fit();
    // The zoom as a percentage of the fitting size.
    int zoomPercent() const;

    // Event handlers of the view; true when the event was used.
    bool wheel(QWheelEvent* event);
    bool press(QMouseEvent* event);
    bool move(QMouseEvent* event);
    bool release(QMouseEvent* event);

private:
    void zoomTo(QPoint around, int cellSize);
    void syncBars();
    void scrolled();

    QWidget& view_;
    EditorLayout& layout_;
    std::function<void(bool)> changed_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    bool panning_ = false;
    QPoint panFrom_;
    int scrollXFrom_ = 0;
    int scrollYFrom_ = 0;
    bool syncing_ = false;
};

}  // namespace trundlex
