#include "LevelPicture.h"

#include <QPainter>
#include <algorithm>

#include "level/Level.h"
#include "render/ImageTiling.h"

namespace trundlex {

QImage LevelPicture::backgroundTile() {
    // A small grey weave, so that the picture's spare pixels do not pass for a material.
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(QColor(160, 160, 160));
    for (int i = 0; i < 8; ++i) {
        tile.setPixelColor(i, i, QColor(112, 112, 112));
        tile.setPixelColor(7 - i, i, QColor(200, 200, 200));
    }
    return tile;
}

void LevelPicture::rebuild(const Level& level, int cellSize, bool showGrid) {
    cellSize_ = std::max(cellSize, 1);
    image_ =
        QImage(level.width() * cellSize_ + 1, level.height() * cellSize_ + 1, QImage::Format_RGB32);
    fillTiled(image_, backgroundTile());
    if (look_ == Look::Modern) {
        drawModern(level, showGrid);
    } else {
        QPainter painter(&image_);
        renderer_.drawLevel(painter, level, 0, 0, cellSize_, showGrid);
    }
    drawEdges();
}

void LevelPicture::drawModern(const Level& level, bool showGrid) {
    const QImage blocks = modern_.renderLevel(level, cellSize_);
    QPainter painter(&image_);
    if (!blocks.isNull()) {
        painter.drawImage(0, 0, blocks);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    ModernRenderer::drawFlags(painter, level, 0, 0, cellSize_);
    painter.restore();
    if (showGrid) {
        // Half-dark lines: they mark the cells on the shaded materials without hiding their
        // chevrons and edges as solid black would.
        const QColor line(0, 0, 0, 110);
        const int w = level.width() * cellSize_ + 1;
        const int h = level.height() * cellSize_ + 1;
        for (int x = 0; x <= level.width(); ++x) {
            painter.fillRect(QRect(x * cellSize_, 0, 1, h), line);
        }
        for (int y = 0; y <= level.height(); ++y) {
            painter.fillRect(QRect(0, y * cellSize_, w, 1), line);
        }
    }
}

void LevelPicture::redrawCells(const Level& level, int x1, int y1, int x2, int y2, int cellSize,
                               bool showGrid) {
    const int size = std::max(cellSize, 1);
    if (image_.isNull() || size != cellSize_ || image_.width() != level.width() * size + 1 ||
        image_.height() != level.height() * size + 1) {
        rebuild(level, size, showGrid);
        return;
    }
    if (look_ == Look::Modern) {
        // Modern blocks blend into their neighbours and a flag stands over its cup group,
        // so a changed cell changes pixels beyond it: the whole level is drawn again.
        rebuild(level, size, showGrid);
        return;
    }
    const int left = std::clamp(std::min(x1, x2), 0, level.width() - 1);
    const int right = std::clamp(std::max(x1, x2), 0, level.width() - 1);
    const int top = std::clamp(std::min(y1, y2), 0, level.height() - 1);
    const int bottom = std::clamp(std::max(y1, y2), 0, level.height() - 1);
    QPainter painter(&image_);
    painter.setPen(Qt::NoPen);
    for (int x = left; x <= right; ++x) {
        for (int y = top; y <= bottom; ++y) {
            renderer_.drawBlock(painter, level.block(x, y), x * size, y * size, size);
        }
    }
    if (showGrid) {
        const int w = (right - left + 1) * size + 1;
        const int h = (bottom - top + 1) * size + 1;
        for (int x = left; x <= right + 1; ++x) {
            painter.fillRect(QRect(x * size, top * size, 1, h), Qt::black);
        }
        for (int y = top; y <= bottom + 1; ++y) {
            painter.fillRect(QRect(left * size, y * size, w, 1), Qt::black);
        }
    }
    painter.end();
    drawEdges();
}

void LevelPicture::drawEdges() {
    QPainter painter(&image_);
    painter.fillRect(QRect(0, 0, image_.width(), 1), Qt::black);
    painter.fillRect(QRect(0, 0, 1, image_.height()), Qt::black);
}

}  // namespace trundlex
