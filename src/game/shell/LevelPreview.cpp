#include "LevelPreview.h"

#include <QPainter>

#include "render/LevelDrawing.h"

namespace trundlex {

LevelPreview::LevelPreview(QWidget* parent) : QWidget(parent) { setMinimumSize(160, 120); }

void LevelPreview::setLevel(const Level& level) {
    level_ = level;
    hasLevel_ = true;
    update();
}

void LevelPreview::clearLevel() {
    hasLevel_ = false;
    update();
}

void LevelPreview::setLook(Look look) {
    look_ = look;
    update();
}

void LevelPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!hasLevel_ || level_.width() < 1 || level_.height() < 1) {
        return;
    }
    const int block = std::min(width() / level_.width(), height() / level_.height());
    if (block < 1) {
        return;
    }
    const int left = (width() - block * level_.width()) / 2;
    const int top = (height() - block * level_.height()) / 2;
    drawLevelInLook(painter, look_, renderer_, modern_, level_, left, top, block,
                    devicePixelRatioF());
}

}  // namespace trundlex
