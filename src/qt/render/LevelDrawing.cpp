#include "render/LevelDrawing.h"

#include <QPainter>
#include <QtMath>

#include "level/Level.h"
#include "render/BlockRenderer.h"
#include "render/ModernRenderer.h"

namespace trundlex {

void drawLevelInLook(QPainter& painter, Look look, BlockRenderer& classic, ModernRenderer& modern,
                     const Level& level, int left, int top, int blockSize, qreal pixelRatio) {
    if (look != Look::Modern) {
        classic.drawLevel(painter, level, left, top, blockSize, false);
        return;
    }
    const qreal ratio = std::max<qreal>(1.0, pixelRatio);
    QImage image = modern.renderLevel(level, qRound(blockSize * ratio));
    if (image.isNull()) {
        return;
    }
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(left, top), image);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    ModernRenderer::drawFlags(painter, level, left, top, blockSize);
    painter.restore();
}

}  // namespace trundlex
