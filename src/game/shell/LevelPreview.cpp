#include "LevelPreview.h"

#include <QPainter>

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
    renderer_.drawLevel(painter, level_, left, top, block, false);
}

}  // namespace trundlex
