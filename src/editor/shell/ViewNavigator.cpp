#include "ViewNavigator.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>

namespace trundlex {

ViewNavigator::ViewNavigator(QWidget& view, EditorLayout& layout,
                             std::function<void(bool)> changed)
    : QObject(&view),
      view_(view),
      layout_(layout),
      changed_(std::move(changed)),
      horizontal_(new QScrollBar(Qt::Horizontal, &view)),
      vertical_(new QScrollBar(Qt::Vertical, &view)) {
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->hide();
        bar->setCursor(Qt::ArrowCursor);
        connect(bar, &QScrollBar::valueChanged, this, &ViewNavigator::scrolled);
    }
}

void ViewNavigator::layOut(std::int32_t levelWidth, std::int32_t levelHeight) {
    const int extent = view_.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = view_.width();
    const int height = view_.height();
    layout_.update(width, height, levelWidth, levelHeight);
    // Once zoomed both bars show, so that the level can always be moved back.
    const bool bars = !layout_.isFitting();
    const bool across = bars;
    const bool down = bars;
    layout_.update(width - (down ? extent : 0), height - (across ? extent : 0), levelWidth,
                   levelHeight);
    horizontal_->setGeometry(0, height - extent, width - (down ? extent : 0), extent);
    vertical_->setGeometry(width - extent, EditorLayout::OriginY, extent,
                           height - EditorLayout::OriginY - (across ? extent : 0));
    horizontal_->setVisible(across);
    vertical_->setVisible(down);
    syncBars();
}

void ViewNavigator::syncBars() {
    syncing_ = true;
    horizontal_->setRange(layout_.minScrollX(), layout_.maxScrollX());
    horizontal_->setPageStep(std::max(1, view_.width() - EditorLayout::OriginX));
    horizontal_->setSingleStep(std::max(8, layout_.cellSize()));
    horizontal_->setValue(layout_.scrollX());
    vertical_->setRange(layout_.minScrollY(), layout_.maxScrollY());
    vertical_->setPageStep(std::max(1, view_.height() - EditorLayout::OriginY));
    vertical_->setSingleStep(std::max(8, layout_.cellSize()));
    vertical_->setValue(layout_.scrollY());
    syncing_ = false;
}

void ViewNavigator::scrolled() {
    if (syncing_) {
        return;
    }
    layout_.scrollTo(horizontal_->value(), vertical_->value());
    changed_(false);
}

void ViewNavigator::zoomTo(QPoint around, int cellSize) {
    const int before = layout_.cellSize();
    const double x = layout_.cellX(around.x());
    const double y = layout_.cellY(around.y());
    layout_.zoomAt({around.x(), around.y()}, cellSize);
    // The bars come or go with the new size; then the point goes back under `around`.
    layOut(layout_.levelWidth(), layout_.levelHeight());
    const int cell = layout_.cellSize();
    layout_.scrollTo(static_cast<int>(std::lround(EditorLayout::OriginX + x * cell - around.x())),
                     static_cast<int>(std::lround(EditorLayout::OriginY + y * cell - around.y())));
    syncBars();
    changed_(cell != before);
}

void ViewNavigator::zoomIn(QPoint around) {
    zoomTo(around, layout_.zoomedIn());
}

void ViewNavigator::zoomOut(QPoint around) {
    zoomTo(around, layout_.zoomedOut());
}

void ViewNavigator::fit() {
    layout_.fit();
    layOut(layout_.levelWidth(), layout_.levelHeight());
    changed_(true);
}

int ViewNavigator::zoomPercent() const {
    return layout_.cellSize() * 100 / std::max(1, layout_.fitCellSize());
}

bool ViewNavigator::wheel(QWheelEvent* event) {
    const QPoint steps = event->angleDelta();
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        const QPoint at = event->position().toPoint();
        if (steps.y() > 0) {
            zoomIn(at);
        } else if (steps.y() < 0) {
            zoomOut(at);
        }
        return true;
    }
    const bool sideways = event->modifiers().testFlag(Qt::ShiftModifier) || steps.y() == 0;
    QScrollBar* bar = sideways ? horizontal_ : vertical_;
    const int delta = sideways && steps.x() != 0 ? steps.x() : steps.y();
    bar->setValue(bar->value() - delta * bar->singleStep() / 40);
    return true;
}

bool ViewNavigator::press(QMouseEvent* event) {
    if (event->button() != Qt::MiddleButton) {
        return false;
    }
    panning_ = true;
    panFrom_ = event->position().toPoint();
    scrollXFrom_ = layout_.scrollX();
    scrollYFrom_ = layout_.scrollY();
    view_.setCursor(Qt::ClosedHandCursor);
    return true;
}

bool ViewNavigator::move(QMouseEvent* event) {
    if (!panning_) {
        return false;
    }
    const QPoint moved = event->position().toPoint() - panFrom_;
    layout_.scrollTo(scrollXFrom_ - moved.x(), scrollYFrom_ - moved.y());
    syncBars();
    changed_(false);
    return true;
}

bool ViewNavigator::release(QMouseEvent* event) {
    if (!panning_ || event->button() != Qt::MiddleButton) {
        return false;
    }
    panning_ = false;
    view_.unsetCursor();
    return true;
}

}  // namespace trundlex
