#include "StartScreen.h"

#include <QPainter>
#include <algorithm>

#include "ball/Ball.h"
#include "level/Level.h"
#include "render/BallLook.h"
#include "render/BallRenderer.h"
#include "render/BlockRenderer.h"
#include "render/ModernBall.h"
#include "render/ModernRenderer.h"

namespace trundlex {

namespace {

constexpr int kColumns = 11;
constexpr int kRows = 6;

// A small walled hole with a pond, a bunker, a slope and the cup.
Level sampleLevel() {
    Level level;
    level.init(kColumns, kRows, "", "");
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            Block& b = level.block(c, r);
            if (c == 0 || r == 0 || c == kColumns - 1 || r == kRows - 1) {
                b.back().setKind(Wall);
            }
        }
    }
    auto shaped = [&](int c, int r, int shape, int rotation, Material back, Material front) {
        Block& b = level.block(c, r);
        b.setShape(shape);
        b.setRotation(rotation);
        b.back() = back;
        b.front() = front;
    };
    const Material grass(Grass, Flat);
    for (int c = 5; c <= 6; ++c) {
        level.block(c, 1).back().setKind(Water);
        level.block(c, 2).back().setKind(Water);
    }
    level.block(6, 4).back().setKind(Sand);
    level.block(7, 4).back().setKind(Sand);
    for (int c = 2; c <= 4; ++c) {
        level.block(c, 4).back().setSlope(SlopeRight);
    }
    shaped(8, 2, Circle, 0, grass, Material(Cup, Flat));
    shaped(3, 2, Circle, 0, grass, Material(Wall, Flat));
    return level;
}

}  // namespace

const QImage& StartScreen::sample(Look look, int blockSize) {
    if (sample_.isNull() || look != sampleLook_ || blockSize != sampleBlock_) {
        const Level level = sampleLevel();
        sampleLook_ = look;
        sampleBlock_ = blockSize;
        if (look == Look::Modern) {
            ModernRenderer renderer;
            sample_ = renderer.renderLevel(level, blockSize);
        } else {
            sample_ = QImage(kColumns * blockSize, kRows * blockSize, QImage::Format_RGB32);
        }
        if (sample_.isNull()) {
            return sample_;
        }
        QPainter painter(&sample_);
        if (look == Look::Modern) {
            ModernRenderer::drawFlags(painter, level, 0, 0, blockSize);
        } else {
            BlockRenderer().drawLevel(painter, level, 0, 0, blockSize, false);
        }
        Ball ball;
        ball.SetLevel(level);
        ball.SetX(1.8);
        ball.SetY(2.4);
        BallLook ballLook(BallStyle{0x003C8CF5, 0, false});
        ballLook.setGeometry(0, 0, blockSize);
        if (look == Look::Modern) {
            drawModernBall(painter, ball, ballLook, false);
        } else {
            drawBall(painter, ball, ballLook, false);
        }
    }
    return sample_;
}

void StartScreen::paint(QPainter& painter, const QRect& area, Look look, const QFont& font) {
    const bool modern = look == Look::Modern;
    if (modern) {
        QLinearGradient backdrop(area.topLeft(), area.bottomLeft());
        backdrop.setColorAt(0, QColor(36, 70, 78));
        backdrop.setColorAt(1, QColor(18, 36, 44));
        painter.fillRect(area, backdrop);
    } else {
        painter.fillRect(area, QColor(0, 70, 35));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const int unit = std::max(8, std::min(area.width() / 40, area.height() / 28));
    QFont title = font;
    title.setPixelSize(unit * 3);
    title.setBold(true);
    QFont line = font;
    line.setPixelSize(std::max(12, unit));

    const int blockSize = std::max(6, std::min(area.width() / 2 / kColumns, area.height() / 3 / kRows));
    // Drawn in the screen's own pixels, so it stays sharp on a dense screen.
    const qreal ratio = std::max<qreal>(1.0, painter.device()->devicePixelRatioF());
    QImage picture = sample(look, qRound(blockSize * ratio));
    picture.setDevicePixelRatio(ratio);
    const QSize pictureSize = picture.deviceIndependentSize().toSize();
    const int pictureTop = area.top() + area.height() / 2 - pictureSize.height() / 2;
    const QRect titleBox(area.left(), pictureTop - unit * 6, area.width(), unit * 4);
    painter.setFont(title);
    painter.setPen(QColor(0, 0, 0, 120));
    painter.drawText(titleBox.translated(2, 3), Qt::AlignCenter, QStringLiteral("Trundlex"));
    painter.setPen(QColor(250, 250, 240));
    painter.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Trundlex"));

    const QRect pictureBox(area.left() + (area.width() - pictureSize.width()) / 2, pictureTop,
                           pictureSize.width(), pictureSize.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(QRectF(pictureBox).adjusted(-6, -4, 10, 12), 12, 12);
    painter.drawImage(pictureBox.topLeft(), picture);

    painter.setFont(line);
    const QString hint = tr("Press F2 to start a new game.");
    const int hintWidth = QFontMetrics(line).horizontalAdvance(hint) + 3 * unit;
    const QRectF pill(area.left() + (area.width() - hintWidth) / 2.0, pictureBox.bottom() + 2.5 * unit,
                      hintWidth, 2.4 * unit);
    painter.setBrush(QColor(250, 200, 60));
    painter.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    painter.setPen(QColor(40, 30, 10));
    painter.drawText(pill, Qt::AlignCenter, hint);
    painter.setPen(QColor(220, 230, 225));
    painter.drawText(QRectF(area.left(), pill.bottom() + unit, area.width(), 2 * unit), Qt::AlignCenter,
                     tr("Minigolf for one or more players, on one computer or over the network."));
}

}  // namespace trundlex
