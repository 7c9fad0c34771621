#include "BlockRenderer.h"

#include <QPainter>

#include "MaterialStyle.h"
#include "level/Level.h"

namespace trundlex {

const QRegion& BlockRenderer::frontMask(int shape, int rotation, int size) {
    const auto key = std::make_tuple(shape, rotation, size);
    auto it = masks_.find(key);
    if (it != masks_.end()) {
        return it->second;
    }
    // Any two different materials make the shape count as a shaped block.
    Block probe;
    probe.setShape(shape);
    probe.setRotation(rotation);
    probe.front().setKind(Wall);
    QRegion region;
    for (int y = 0; y < size; ++y) {
        // Runs of front pixels on one row become one rectangle each.
        int runStart = -1;
        for (int x = 0; x <= size; ++x) {
            const bool inside =
                x < size && probe.inFront((x + 0.5) / size, (y + 0.5) / size);
            if (inside && runStart < 0) {
                runStart = x;
            } else if (!inside && runStart >= 0) {
                region += QRect(runStart, y, x - runStart, 1);
                runStart = -1;
            }
        }
    }
    return masks_.emplace(key, region).first->second;
}

void BlockRenderer::drawBlock(QPainter& painter, const Block& block, int left, int top, int size) {
    if (size <= 0) {
        return;
    }
    const QRect square(left, top, size, size);
    painter.fillRect(square, brushFor(styleOf(block.back())));
    if (block.isPlain()) {
        return;
    }
    const QRegion& mask = frontMask(block.shape(), block.rotation(), size);
    painter.save();
    painter.setClipRegion(mask.translated(left, top),
                          painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.fillRect(square, brushFor(styleOf(block.front())));
    painter.restore();
}

void BlockRenderer::drawLevel(QPainter& painter, const Level& level, int left, int top,
                              int blockSize, bool showGrid) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (int c = 0; c < level.width(); ++c) {
        for (int r = 0; r < level.height(); ++r) {
            drawBlock(painter, level.block(c, r), left + c * blockSize, top + r * blockSize,
                      blockSize);
        }
    }
    if (showGrid) {
        const int w = level.width() * blockSize;
        const int h = level.height() * blockSize;
        for (int i = 0; i <= level.width(); ++i) {
            painter.fillRect(QRect(left + i * blockSize, top, 1, h), Qt::black);
        }
        for (int j = 0; j <= level.height(); ++j) {
            painter.fillRect(QRect(left, top + j * blockSize, w, 1), Qt::black);
        }
    }
    painter.restore();
}

}  // namespace trundlex
